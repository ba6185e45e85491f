#pragma once

#include <cstdio>
#include <string>

namespace vantor {

enum class LogCreation { Created, NameTaken, Failed };

// The measurement log's file object: created fresh, written line by line in Windows-1251 with
// CR LF line ends, each line handed to the disk as soon as it is written, so a crash or a power
// cut loses no completed line.
class CLogFile {
public:
    CLogFile() = default;
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;
    ~CLogFile() { Close(); }

    // Creates the file, never replacing another: NameTaken when `path` exists already, Failed
    // with the reason in `error` when it cannot be created. Closes an open file first.
    LogCreation Create(const std::string& path, std::string& error);
    // Writes UTF-8 `text` converted to Windows-1251, then CR LF.
    bool WriteLine(const std::string& text);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    const std::string& Path() const { return m_path; }

private:
    std::FILE* m_file = nullptr;
    std::string m_path;
};

}  // namespace vantor

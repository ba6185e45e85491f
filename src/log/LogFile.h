#pragma once

#include <memory>
#include <string>

#include "platform/Files.h"

namespace vantor {

// The measurement log's file object: created fresh, written line by line in Windows-1251 with
// CR LF line ends, each line handed to the disk as soon as it is written, so a crash or a power
// cut loses no completed line.
class CLogFile {
public:
    // Creates the file, never replacing another: NameTaken when `path` exists already, Failed
    // with the reason in `error` when it cannot be created. Closes an open file first.
    FileCreation Create(const std::string& path, std::string& error);
    // Writes UTF-8 `text` converted to Windows-1251, then CR LF.
    bool WriteLine(const std::string& text);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    const std::string& Path() const { return m_path; }

private:
    std::unique_ptr<IWriteFile> m_file;
    std::string m_path;
};

}  // namespace vantor

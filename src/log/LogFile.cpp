#include "log/LogFile.h"

#include "text/Windows1251.h"

namespace vantor {

FileCreation CLogFile::Create(const std::string& path, std::string& error) {
    Close();
    // Never replacing a file, so an existing log is never emptied.
    NewFile created = CreateNewFile(path);
    if (created.outcome != FileCreation::Created) {
        error = created.error;
        return created.outcome;
    }
    m_file = std::move(created.file);
    m_path = path;
    return FileCreation::Created;
}

bool CLogFile::WriteLine(const std::string& text) {
    if (m_file == nullptr) {
        return false;
    }
    const std::string line = Utf8ToWindows1251(text) + "\r\n";
    return m_file->WriteDurably(line);
}

void CLogFile::Close() {
    m_file.reset();
}

}  // namespace vantor

#include "log/LogFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/Windows1251.h"

namespace vantor {

LogCreation CLogFile::Create(const std::string& path, std::string& error) {
    Close();
    // "x": exclusive creation, so an existing log is never emptied.
    m_file = std::fopen(path.c_str(), "wbx");
    if (m_file == nullptr) {
        error = std::strerror(errno);
        return errno == EEXIST ? LogCreation::NameTaken : LogCreation::Failed;
    }
    m_path = path;
    return LogCreation::Created;
}

bool CLogFile::WriteLine(const std::string& text) {
    if (m_file == nullptr) {
        return false;
    }
    const std::string line = Utf8ToWindows1251(text) + "\r\n";
    const bool written = std::fwrite(line.data(), 1, line.size(), m_file) == line.size();
    return written && std::fflush(m_file) == 0 && ::fdatasync(::fileno(m_file)) == 0;
}

void CLogFile::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

}  // namespace vantor

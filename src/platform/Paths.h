#pragma once

#include <optional>
#include <string>

namespace vantor {

// What joins a folder and a name in the paths the program shows and writes (the log's first
// line is its own path).
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Where the program keeps its files and how port names become device paths.
class IPaths {
public:
    virtual ~IPaths() = default;
    // Folder of the measurement logs, without a trailing separator.
    virtual std::string LogFolder() = 0;
    // Creates a folder; false when it could not be created (it may already exist).
    virtual bool CreateFolder(const std::string& path) = 0;
    // "COM1" … "COM8" to a device path; nothing for any other name, "НЕТ" included.
    virtual std::optional<std::string> ResolvePort(const std::string& portName) = 0;
};

}  // namespace vantor

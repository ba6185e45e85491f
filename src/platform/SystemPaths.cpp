#include "platform/SystemPaths.h"

#include <sys/stat.h>

#include <cstdlib>

namespace vantor {
namespace {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? home : ".";
}

// 1 … 8 for "COM1" … "COM8", 0 for any other name.
int PortNumber(const std::string& portName) {
    if (portName.size() != 4 || portName.compare(0, 3, "COM") != 0) {
        return 0;
    }
    const char digit = portName[3];
    return digit >= '1' && digit <= '8' ? digit - '0' : 0;
}

}  // namespace

SystemPaths::SystemPaths(std::string home) : home_(home.empty() ? HomeFolder() : std::move(home)) {}

std::string SystemPaths::LogFolder() {
    return home_ + "/VantorTXT";
}

bool SystemPaths::CreateFolder(const std::string& path) {
    return mkdir(path.c_str(), 0777) == 0;
}

std::optional<std::string> SystemPaths::ResolvePort(const std::string& portName) {
    const int number = PortNumber(portName);
    if (number == 0) {
        return std::nullopt;
    }
    const std::string link = home_ + "/.vantor3/ports/com" + std::to_string(number);
    struct stat info;
    if (lstat(link.c_str(), &info) == 0) {
        return link;
    }
    return "/dev/ttyUSB" + std::to_string(number - 1);
}

}  // namespace vantor

#include "platform/SystemPaths.h"

#include "platform/PortNames.h"

#include <sys/stat.h>

#include <cstdlib>

namespace vantor {
namespace {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? home : ".";
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
    const int number = ComPortNumber(portName);
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

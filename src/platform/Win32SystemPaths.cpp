#include "platform/SystemPaths.h"

#include "platform/PortNames.h"

#include <windows.h>

namespace vantor {
namespace {}  // namespace

// `home` names the drive or folder that holds VantorTXT; the logs live on drive C: otherwise.
SystemPaths::SystemPaths(std::string home) : home_(home.empty() ? "C:" : std::move(home)) {}

std::string SystemPaths::LogFolder() {
    return home_ + "\\VantorTXT";
}

bool SystemPaths::CreateFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

// The device namespace form reaches every port, COM10 and above as well as COM1 … COM8.
std::optional<std::string> SystemPaths::ResolvePort(const std::string& portName) {
    if (ComPortNumber(portName) == 0) {
        return std::nullopt;
    }
    return "\\\\.\\" + portName;
}

}  // namespace vantor

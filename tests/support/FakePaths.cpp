#include "support/FakePaths.h"

#include <filesystem>

#include "support/TempFolder.h"

namespace vantor::test {

FakePaths::FakePaths() {
    root_ = MakeTempFolder("vantor-test-");
    for (int n = 1; n <= 8; ++n) {
        ports_["COM" + std::to_string(n)] = FakePortPath(n);
    }
}

FakePaths::~FakePaths() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

bool FakePaths::CreateFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::create_directory(path, error);
}

std::optional<std::string> FakePaths::ResolvePort(const std::string& portName) {
    const auto found = ports_.find(portName);
    if (found == ports_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace vantor::test

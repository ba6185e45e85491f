#include "support/FakePaths.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

namespace vantor::test {

FakePaths::FakePaths() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantor-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    root_ = pattern;
    for (int n = 1; n <= 8; ++n) {
        ports_["COM" + std::to_string(n)] = FakePortPath(n);
    }
}

FakePaths::~FakePaths() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

bool FakePaths::CreateFolder(const std::string& path) {
    created_.push_back(path);
    return mkdir(path.c_str(), 0777) == 0;
}

std::optional<std::string> FakePaths::ResolvePort(const std::string& portName) {
    const auto found = ports_.find(portName);
    if (found == ports_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace vantor::test

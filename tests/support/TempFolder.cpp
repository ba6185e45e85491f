#include "support/TempFolder.h"

#include <filesystem>
#include <random>
#include <stdexcept>

namespace vantor::test {

std::string MakeTempFolder(const std::string& prefix) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = base / (prefix + std::to_string(random() % 1000000000u));
        std::error_code error;
        // create_directory is false for a folder that already exists: someone else's.
        if (std::filesystem::create_directory(candidate, error)) {
            return candidate.string();
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

}  // namespace vantor::test

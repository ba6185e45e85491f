#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/Paths.h"

namespace vantor::test {

// Paths for tests: the log folder is "VantorTXT" inside a fresh temporary folder, removed with
// everything in it when the object is destroyed. "COM1" … "COM8" map to "/fake/com1" …
// "/fake/com8" (the paths a FakeSerialOpener is given); MapPort changes that.
class FakePaths : public IPaths {
public:
    FakePaths();
    FakePaths(const FakePaths&) = delete;
    FakePaths& operator=(const FakePaths&) = delete;
    ~FakePaths() override;

    static std::string FakePortPath(int number) { return "/fake/com" + std::to_string(number); }

    void MapPort(const std::string& portName, const std::string& path) { ports_[portName] = path; }
    // The temporary folder that holds the log folder.
    const std::string& Root() const { return root_; }

    std::string LogFolder() override { return root_ + "/VantorTXT"; }
    bool CreateFolder(const std::string& path) override;
    std::optional<std::string> ResolvePort(const std::string& portName) override;

private:
    std::string root_;
    std::map<std::string, std::string> ports_;
};

}  // namespace vantor::test

#pragma once

#include <string>

#include "platform/Paths.h"

namespace vantor {

// The system's places. POSIX: logs in $HOME/VantorTXT; "COMn" is $HOME/.vantor3/ports/comN when
// that exists (a link made by hand or by the simulator), else the n-th USB serial adapter.
// Windows: logs in C:\VantorTXT; "COMn" is the port of that name.
class SystemPaths : public IPaths {
public:
    // `home` empty: $HOME (or the current folder when it is unset), on Windows drive C:.
    explicit SystemPaths(std::string home = {});

    std::string LogFolder() override;
    bool CreateFolder(const std::string& path) override;
    std::optional<std::string> ResolvePort(const std::string& portName) override;

private:
    std::string home_;
};

}  // namespace vantor

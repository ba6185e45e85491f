#pragma once

#include <memory>
#include <string>

#include "platform/SerialDevice.h"

namespace vantor {

// Serial devices of a POSIX system (Linux: /dev/tty*, pseudo-terminals), opened exclusively,
// in raw mode without flow control. Any of the nine rates, 14400 and 76800 included, goes
// through the arbitrary-rate interface; mark and space parity through CMSPAR.
class PosixSerialOpener : public ISerialOpener {
public:
    // Null when the path is absent, not a terminal, or held by another program.
    std::unique_ptr<ISerialDevice> Open(const std::string& path) override;
};

}  // namespace vantor

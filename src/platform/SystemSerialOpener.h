#pragma once

#include <memory>
#include <string>

#include "platform/SerialDevice.h"

namespace vantor {

// The serial devices of the system the program was built for, opened exclusively, raw, without
// flow control. POSIX (PosixSerialDevice.cpp): /dev/tty* and pseudo-terminals through termios2,
// so 14400 and 76800 work like the standard rates and mark and space parity through CMSPAR.
// Windows (Win32SerialDevice.cpp): \\.\COMn through the communications functions.
class SystemSerialOpener : public ISerialOpener {
public:
    // Null when the path is absent, not a serial device, or held by another program.
    std::unique_ptr<ISerialDevice> Open(const std::string& path) override;
};

}  // namespace vantor

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
    // Null when the path is absent, not a serial device, not permitted or held by another
    // program.
    std::unique_ptr<ISerialDevice> Open(const std::string& path) override;
    bool LastOpenDenied() const override { return lastOpenDenied_; }

private:
    // Set by POSIX only: Windows refuses a port in use with "access denied" too, which group
    // membership does not mend.
    bool lastOpenDenied_ = false;
};

}  // namespace vantor

#include "platform/PosixLineSettings.h"

// The arbitrary-rate interface (termios2) lives in the kernel's own headers, which cannot be
// mixed with the C library's <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace vantor {
namespace {

std::uint8_t DataBitsOf(tcflag_t cflag) {
    switch (cflag & CSIZE) {
        case CS5:
            return 5;
        case CS6:
            return 6;
        case CS7:
            return 7;
        default:
            return 8;
    }
}

Parity ParityOf(tcflag_t cflag) {
    if ((cflag & PARENB) == 0) {
        return Parity::None;
    }
    const bool odd = (cflag & PARODD) != 0;
    if ((cflag & CMSPAR) != 0) {
        return odd ? Parity::Mark : Parity::Space;
    }
    return odd ? Parity::Odd : Parity::Even;
}

}  // namespace

bool ReadLineSettings(int fd, LineSettings& settings) {
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0) {
        return false;
    }
    settings.baudRate = tio.c_ospeed;
    settings.dataBits = DataBitsOf(tio.c_cflag);
    settings.parity = ParityOf(tio.c_cflag);
    settings.stopBits = (tio.c_cflag & CSTOPB) != 0 ? StopBits::Two : StopBits::One;
    return true;
}

}  // namespace vantor

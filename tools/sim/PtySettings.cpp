#include "PtySettings.h"

// termios2 gives the exact rate for every setting, 14400 and 76800 included.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace vantor::sim {
namespace {

char ParityLetter(tcflag_t cflag) {
    if ((cflag & PARENB) == 0) {
        return 'N';
    }
    const bool odd = (cflag & PARODD) != 0;
    if ((cflag & CMSPAR) != 0) {
        return odd ? 'M' : 'S';
    }
    return odd ? 'O' : 'E';
}

int DataBits(tcflag_t cflag) {
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

}  // namespace

std::string PtySettingsText(int masterFd) {
    termios2 tio{};
    // A pseudo-terminal's master answers with the settings of its slave side.
    if (ioctl(masterFd, TCGETS2, &tio) != 0) {
        return {};
    }
    return std::to_string(tio.c_ospeed) + ',' + ParityLetter(tio.c_cflag) + ',' +
           std::to_string(DataBits(tio.c_cflag)) + ',' + ((tio.c_cflag & CSTOPB) != 0 ? '2' : '1');
}

}  // namespace vantor::sim

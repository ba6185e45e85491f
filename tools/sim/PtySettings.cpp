#include "PtySettings.h"

#include "platform/PosixLineSettings.h"

namespace vantor::sim {
namespace {

char ParityLetter(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return 'O';
        case Parity::Even:
            return 'E';
        case Parity::Mark:
            return 'M';
        case Parity::Space:
            return 'S';
        case Parity::None:
            break;
    }
    return 'N';
}

}  // namespace

std::string PtySettingsText(int masterFd) {
    LineSettings settings;
    if (!ReadLineSettings(masterFd, settings)) {
        return {};
    }
    return std::to_string(settings.baudRate) + ',' + ParityLetter(settings.parity) + ',' +
           std::to_string(settings.dataBits) + ',' +
           (settings.stopBits == StopBits::Two ? '2' : '1');
}

}  // namespace vantor::sim

#include "platform/SerialDevice.h"

namespace vantor {

bool IsDriverSupported(const LineSettings& settings) {
    if (settings.baudRate == 0 || settings.dataBits < 5 || settings.dataBits > 8) {
        return false;
    }
    return settings.stopBits != StopBits::OneAndHalf || settings.dataBits == 5;
}

}  // namespace vantor

#include "platform/PortNames.h"

namespace vantor {

int ComPortNumber(const std::string& portName) {
    if (portName.size() != 4 || portName.compare(0, 3, "COM") != 0) {
        return 0;
    }
    const char digit = portName[3];
    return digit >= '1' && digit <= '8' ? digit - '0' : 0;
}

}  // namespace vantor

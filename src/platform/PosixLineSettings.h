#pragma once

#include "platform/SerialDevice.h"

namespace vantor {

// Reads the rate, data bits, parity and stop bits a terminal is set to into `settings` (the
// modem lines are left as they are); false when the terminal does not answer. The rate is the
// exact one of Linux's arbitrary-rate interface. A pseudo-terminal's master side reports the
// settings of its slave side, which is how the simulator sees what the program set.
bool ReadLineSettings(int fd, LineSettings& settings);

}  // namespace vantor

#pragma once

#include <string>

namespace vantor::sim {

// The line settings the program on the other end of a pseudo-terminal has set, read through the
// master side, as a settings text: "9600,N,8,2" (rate, parity letter N/O/E/M/S, data bits, stop
// bits); empty when they cannot be read.
std::string PtySettingsText(int masterFd);

}  // namespace vantor::sim

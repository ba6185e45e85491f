#pragma once

#include <string>

#include "platform/Types.h"

namespace vantor::test {

// An RTU frame of `body` with its CRC, low byte first.
ByteArray WithCrc(ByteArray body);
// An ASCII frame of `body`: ':' hex LRC CR LF, all upper case.
std::string AsciiOf(const ByteArray& body);

}  // namespace vantor::test

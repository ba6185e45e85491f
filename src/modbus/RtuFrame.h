#pragma once

#include <cstdint>
#include <span>

#include "platform/Types.h"

namespace vantor {

// Modbus RTU request: address, function, then for functions 4 and 16 the start address (high
// byte first) and the data bytes; CRC-16 low byte first.
ByteArray BuildRtuRequest(std::uint8_t device, std::uint8_t function, std::uint16_t start,
                          const ByteArray& data);

// Checks and decodes the bytes of one RTU reply, appending to `reply`: address and function,
// then the register bytes (function 3 or 4, without the byte count), the echoed start and
// quantity (function 16), or two zero bytes (exception). Returns the reply code, 100 + the
// exception code for an exception reply. A byte count beyond the bytes received throws
// InvalidArgument. The address and function are not compared with any request.
std::uint8_t ParseRtuReply(std::span<const std::uint8_t> received, ByteArray& reply);

}  // namespace vantor

#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/Types.h"

namespace vantor {

// Modbus ASCII request: ":", the bytes of the request as upper-case hexadecimal (function 4:
// start address and the quantity from data bytes 0 and 1; function 16: start address and every
// data byte), the LRC of those bytes in the same way, CR LF.
std::string BuildAsciiRequest(std::uint8_t device, std::uint8_t function, std::uint16_t start,
                              const ByteArray& data);

// Checks and decodes the characters of one ASCII reply into `reply`, as ParseRtuReply does.
// Only the final line feed is tested at the end: the checksum is the two characters four and
// three before the end, so a reply ending in CR CR LF passes the end test but not the checksum.
// An index beyond the characters received (a byte count claiming more than arrived, an
// exception reply cut short) throws InvalidArgument.
std::uint8_t ParseAsciiReply(std::span<const std::uint8_t> received, ByteArray& reply);

}  // namespace vantor

#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace vantor {

// The hexadecimal characters of Modbus ASCII. Only upper-case letters are digits: any other
// character's value is its own code, so a lower-case checksum never matches.
char HexDigit(std::uint8_t nibble);
std::uint8_t HexValue(std::uint8_t character);
// Two characters, the high nibble first.
std::string ByteToHex(std::uint8_t value);
std::uint8_t HexToByte(std::uint8_t high, std::uint8_t low);
// The value's high and low byte to `raw`, its four characters to `chars`.
void AppendHexWord(std::uint16_t value, ByteArray& raw, std::string& chars);

}  // namespace vantor

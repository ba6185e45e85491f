#pragma once

#include <cstdint>
#include <string>

#include "config/ByteStream.h"

namespace vantor {

// The primitive fields of a configuration file. Integers are little-endian; every read that
// finds too few bytes throws ReadFailure.
std::uint8_t ReadByte(IByteStream& stream);
std::uint16_t ReadWord(IByteStream& stream);
std::uint32_t ReadDword(IByteStream& stream);

// A length-prefixed string, one-byte Windows-1251 or (after the 0xFF 0xFFFE marker) UTF-16LE,
// returned as UTF-8. A 64-bit length above 0x7FFFFFFF is a ReadFailure of kind BadLength.
std::string ReadString(IByteStream& stream);

}  // namespace vantor

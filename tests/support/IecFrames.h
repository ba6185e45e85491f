#pragma once

#include <string>

#include "platform/Types.h"

namespace vantor::test {

// Octets written as hexadecimal pairs separated by blanks: Hex("10 49 01 4A 16").
ByteArray Hex(const std::string& text);

// A variable FT1.2 frame around `userData` (control field onwards), with its own length
// octets, checksum and end octet, built independently of the code under test.
ByteArray Framed(const ByteArray& userData);

}  // namespace vantor::test

#pragma once

#include <string>

namespace vantor {

// Numbers read from the start of a configuration text, the way the C library reads them:
// leading blanks and a sign are accepted, reading stops at the first character that does not
// belong to the number, and a text without digits gives 0. Out-of-range texts saturate instead
// of being undefined.

// Base 16, an optional "0x" prefix included.
long ParseHexText(const std::string& text);
// Base 10.
long ParseIntText(const std::string& text);
// A decimal real number.
double ParseRealText(const std::string& text);

}  // namespace vantor

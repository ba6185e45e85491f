#pragma once

#include <string>

namespace vantor {

// Every number the program reads from or writes into a text goes through here, so that no
// result depends on the process locale (our users run locales with a decimal comma, and the
// C library's conversions follow the locale the window toolkit sets from the environment).

// Numbers read from the start of a configuration text, the way the C library reads them in
// the "C" locale: leading blanks and a sign are accepted, reading stops at the first
// character that does not belong to the number, and a text without digits gives 0.
// Out-of-range texts saturate instead of being undefined.

// Base 16, an optional "0x" prefix included.
long ParseHexText(const std::string& text);
// Base 10.
long ParseIntText(const std::string& text);
// A decimal real number, always with a decimal point.
double ParseRealText(const std::string& text);

// The value with `decimals` digits after a decimal point, rounded as "%.*f" rounds
// ("inf", "-inf" and "nan" for what is not finite).
std::string FormatFixed(double value, int decimals);
// A whole number in at least `digits` digits, as "%.*d" writes it.
std::string FormatPadded(long value, int digits);

}  // namespace vantor

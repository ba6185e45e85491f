#include "text/TextNumbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vantor {
namespace {

struct Cursor {
    const char* first;
    const char* last;
};

// Blanks as the "C" locale's isspace knows them, then an optional sign.
bool SkipBlanksAndSign(Cursor& at) {
    while (at.first != at.last && (*at.first == ' ' || (*at.first >= '\t' && *at.first <= '\r'))) {
        ++at.first;
    }
    const bool negative = at.first != at.last && *at.first == '-';
    if (at.first != at.last && (*at.first == '-' || *at.first == '+')) {
        ++at.first;
    }
    return negative;
}

long ParseWhole(const std::string& text, int base) {
    Cursor at{text.data(), text.data() + text.size()};
    const bool negative = SkipBlanksAndSign(at);
    if (base == 16 && at.last - at.first > 2 && at.first[0] == '0' &&
        (at.first[1] == 'x' || at.first[1] == 'X')) {
        const char* digits = at.first + 2;
        unsigned long long probe = 0;
        // "0x" not followed by a digit reads as the number 0 followed by text.
        if (std::from_chars(digits, at.last, probe, 16).ptr != digits) {
            at.first = digits;
        }
    }
    unsigned long long magnitude = 0;
    const auto [end, error] = std::from_chars(at.first, at.last, magnitude, base);
    if (end == at.first) {
        return 0;
    }
    constexpr auto kHighest = static_cast<unsigned long long>(std::numeric_limits<long>::max());
    if (error == std::errc::result_out_of_range || magnitude > kHighest + (negative ? 1 : 0)) {
        return negative ? std::numeric_limits<long>::min() : std::numeric_limits<long>::max();
    }
    if (negative) {
        return magnitude == kHighest + 1 ? std::numeric_limits<long>::min()
                                         : -static_cast<long>(magnitude);
    }
    return static_cast<long>(magnitude);
}

// Whether a decimal text too large or too small for a double is large: its first significant
// digit stands left of the decimal point once the exponent is applied.
bool IsLargeMagnitude(const char* first, const char* last) {
    long position = 0;  // of the first significant digit, relative to the decimal point
    bool seenPoint = false;
    bool seenDigit = false;
    long exponent = 0;
    for (const char* c = first; c != last; ++c) {
        if (*c == '.') {
            seenPoint = true;
        } else if (*c == 'e' || *c == 'E') {
            exponent = ParseWhole(std::string(c + 1, last), 10);
            break;
        } else if (!seenDigit && *c == '0') {
            position -= seenPoint ? 1 : 0;
        } else if (!seenDigit) {
            seenDigit = true;
            position = seenPoint ? position : 1;
        } else if (!seenPoint) {
            ++position;
        }
    }
    return position + exponent > 0;
}

}  // namespace

long ParseHexText(const std::string& text) {
    return ParseWhole(text, 16);
}

long ParseIntText(const std::string& text) {
    return ParseWhole(text, 10);
}

double ParseRealText(const std::string& text) {
    Cursor at{text.data(), text.data() + text.size()};
    const bool negative = SkipBlanksAndSign(at);
    double value = 0.0;
    const auto [end, error] = std::from_chars(at.first, at.last, value);
    if (end == at.first || *at.first == '-') {  // one sign only
        return 0.0;
    }
    if (error == std::errc::result_out_of_range) {
        value = IsLargeMagnitude(at.first, end) ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

std::string FormatFixed(double value, int decimals) {
    char text[400];  // "%.3f" of the largest double needs 313 characters
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(text, end) : std::string();
}

std::string FormatPadded(long value, int digits) {
    const unsigned long magnitude =
        value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude).ptr;
    std::string text(buffer, end);
    const auto width = static_cast<std::size_t>(digits < 0 ? 0 : digits);
    if (text.size() < width) {
        text.insert(0, width - text.size(), '0');
    }
    return value < 0 ? "-" + text : text;
}

}  // namespace vantor

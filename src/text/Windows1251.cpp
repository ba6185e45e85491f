#include "text/Windows1251.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vantor {
namespace {

constexpr char kReplacement = '?';
constexpr char32_t kMalformed = 0xFFFFFFFF;

// Characters of the bytes 0x80 … 0xFF; below 0x80 Windows-1251 is ASCII.
// clang-format off
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};
// clang-format on

char EncodeCharacter(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<char>(cp);
    }
    const auto found = std::find(kUpperHalf.begin(), kUpperHalf.end(), cp);
    if (found == kUpperHalf.end()) {
        return kReplacement;
    }
    return static_cast<char>(0x80 + (found - kUpperHalf.begin()));
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes the character at `pos` and moves past it. A malformed sequence is skipped as far as
// it looked valid (at least one byte), so every broken sequence gives one replacement.
struct LeadByte {
    std::size_t continuations;
    char32_t bits;
    char32_t minimum;  // smaller values are overlong encodings
};

std::optional<LeadByte> ClassifyLead(std::uint8_t lead) {
    if ((lead & 0xE0) == 0xC0) {
        return LeadByte{1, char32_t{lead} & 0x1F, 0x80};
    }
    if ((lead & 0xF0) == 0xE0) {
        return LeadByte{2, char32_t{lead} & 0x0F, 0x800};
    }
    if ((lead & 0xF8) == 0xF0) {
        return LeadByte{3, char32_t{lead} & 0x07, 0x10000};
    }
    return std::nullopt;
}

// Decodes the character at `pos` and moves past it. A malformed sequence is skipped as far as
// it looked valid (at least one byte), so every broken sequence gives one replacement.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<std::uint8_t>(text[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    const auto shape = ClassifyLead(lead);
    if (!shape) {
        return kMalformed;
    }
    char32_t cp = shape->bits;
    for (std::size_t i = 0; i < shape->continuations; ++i) {
        if (pos >= text.size() || !IsContinuation(static_cast<std::uint8_t>(text[pos]))) {
            return kMalformed;
        }
        cp = (cp << 6) | (static_cast<std::uint8_t>(text[pos++]) & 0x3F);
    }
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (cp < shape->minimum || cp > 0x10FFFF || surrogate) {
        return kMalformed;
    }
    return cp;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::string Utf8ToWindows1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = DecodeUtf8(utf8, pos);
        out += cp == kMalformed ? kReplacement : EncodeCharacter(cp);
    }
    return out;
}

std::string Windows1251ToUtf8(std::string_view cp1251) {
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (const char c : cp1251) {
        const auto byte = static_cast<std::uint8_t>(c);
        AppendUtf8(out, byte < 0x80 ? char32_t{byte} : char32_t{kUpperHalf[byte - 0x80]});
    }
    return out;
}

std::string Utf16ToWindows1251(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (IsHighSurrogate(unit) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
            ++i;  // a character outside the basic plane: never in Windows-1251
            out += kReplacement;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            out += kReplacement;
        } else {
            out += EncodeCharacter(unit);
        }
    }
    return out;
}

}  // namespace vantor

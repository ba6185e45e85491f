#include "serial/SettingsText.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/Types.h"

namespace vantor {
namespace {

std::string WithoutSpaces(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ') {
            out += c;
        }
    }
    return out;
}

// The leading decimal digits; rates beyond 32 bits saturate, which every device refuses.
std::uint32_t LeadingNumber(std::string_view field) {
    std::uint64_t value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(c - '0'),
                                        std::numeric_limits<std::uint32_t>::max());
    }
    return static_cast<std::uint32_t>(value);
}

void ReplaceAll(std::string& text, std::string_view word, std::string_view by) {
    for (std::size_t pos = text.find(word); pos != std::string::npos;
         pos = text.find(word, pos + by.size())) {
        text.replace(pos, word.size(), by);
    }
}

std::optional<Parity> ParityOfText(std::string text) {
    // The Russian words are several bytes each in UTF-8: translate them before looking at the
    // first character. "НЕЧЕТ" goes before "ЧЕТ", which it contains.
    ReplaceAll(text, "НЕТ", "N");
    ReplaceAll(text, "НЕЧЕТ", "O");
    ReplaceAll(text, "ЧЕТ", "E");
    if (text.empty()) {
        return std::nullopt;
    }
    switch (text.front()) {
        case 'N':
            return Parity::None;
        case 'O':
            return Parity::Odd;
        case 'E':
            return Parity::Even;
        case 'M':
            return Parity::Mark;
        case 'S':
            return Parity::Space;
        default:
            return std::nullopt;
    }
}

std::optional<StopBits> StopBitsOfText(std::string_view text) {
    if (text == "1") {
        return StopBits::One;
    }
    if (text == "1.5") {
        return StopBits::OneAndHalf;
    }
    if (text == "2") {
        return StopBits::Two;
    }
    return std::nullopt;
}

std::size_t NextComma(const std::string& text, std::size_t from) {
    const std::size_t comma = text.find(',', from);
    if (comma == std::string::npos) {
        throw InvalidArgument();
    }
    return comma;
}

constexpr std::array<const char*, 16> kBaudTexts = {
    "",      "",      "1200",   "2400", "4800", "9600", "14400", "19200",
    "38400", "76800", "115200", "",     "",     "",     "",      ""};

}  // namespace

std::optional<SettingsFields> ParseSettingsText(std::string_view text) {
    const std::string s = WithoutSpaces(text);
    const std::size_t first = NextComma(s, 0);
    const std::size_t second = NextComma(s, first + 1);
    const std::size_t third = NextComma(s, second + 1);

    const std::string dataBits = s.substr(second + 1, third - second - 1);
    const auto parity = ParityOfText(s.substr(first + 1, second - first - 1));
    const auto stopBits = StopBitsOfText(std::string_view(s).substr(third + 1));
    if (!parity || !stopBits || dataBits.size() != 1 || dataBits[0] < '0' || dataBits[0] > '9') {
        return std::nullopt;
    }
    SettingsFields fields;
    fields.baudRate = LeadingNumber(std::string_view(s).substr(0, first));
    fields.dataBits = static_cast<std::uint8_t>(dataBits[0] - '0');
    fields.parity = *parity;
    fields.stopBits = *stopBits;
    return fields;
}

SettingsTexts UnpackSettingsByte(std::uint8_t packed) {
    SettingsTexts texts;
    texts.baud = kBaudTexts[packed & 0x0F];
    texts.stopBits = (packed & 0x10) != 0 ? "2" : "1";
    switch ((packed >> 5) & 0x03) {
        case 2:
            texts.parity = "ЧЕТ";
            break;
        case 3:
            texts.parity = "НЕЧЕТ";
            break;
        default:
            texts.parity = "НЕТ";
            break;
    }
    texts.eightBit = (packed & 0x80) != 0;
    texts.dataBits = texts.eightBit ? "8" : "7";
    return texts;
}

std::string JoinSettingsText(const std::string& baud, const std::string& parity,
                             const std::string& dataBits, const std::string& stopBits) {
    return baud + "," + parity + "," + dataBits + "," + stopBits;
}

}  // namespace vantor

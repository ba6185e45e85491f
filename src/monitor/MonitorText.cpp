#include "monitor/MonitorText.h"

#include "text/ClockText.h"

namespace vantor {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

void AppendPair(std::string& text, std::uint8_t value) {
    text += kDigits[value >> 4];
    text += kDigits[value & 0x0F];
}

}  // namespace

std::string HexOctet(std::uint8_t value) {
    std::string text = "0x";
    AppendPair(text, value);
    return text;
}

std::string HexWord(std::uint16_t value) {
    std::string text = "0x";
    AppendPair(text, static_cast<std::uint8_t>(value >> 8));
    AppendPair(text, static_cast<std::uint8_t>(value & 0xFF));
    return text;
}

std::string HexOctets(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t octet : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        AppendPair(text, octet);
    }
    return text;
}

std::string OctetCount(std::size_t count) {
    const std::size_t lastTwo = count % 100;
    const std::size_t last = count % 10;
    const bool few = last >= 2 && last <= 4 && !(lastTwo >= 12 && lastTwo <= 14);
    return std::to_string(count) + (few ? " байта" : " байт");
}

std::string UtcText(const SystemTime& utc) {
    return TimeOfDayText(utc.hour, utc.minute, utc.second, utc.milliseconds);
}

}  // namespace vantor

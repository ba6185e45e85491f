#include "modbus/ModbusHex.h"

namespace vantor {

char HexDigit(std::uint8_t nibble) {
    return "0123456789ABCDEF"[nibble & 0x0F];
}

std::uint8_t HexValue(std::uint8_t character) {
    if (character >= '0' && character <= '9') {
        return static_cast<std::uint8_t>(character - '0');
    }
    if (character >= 'A' && character <= 'F') {
        return static_cast<std::uint8_t>(character - 'A' + 10);
    }
    return character;
}

std::string ByteToHex(std::uint8_t value) {
    return {HexDigit(static_cast<std::uint8_t>(value >> 4)), HexDigit(value)};
}

std::uint8_t HexToByte(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint8_t>(HexValue(high) * 16 + HexValue(low));
}

void AppendHexWord(std::uint16_t value, ByteArray& raw, std::string& chars) {
    const auto high = static_cast<std::uint8_t>(value >> 8);
    const auto low = static_cast<std::uint8_t>(value & 0xFF);
    raw.push_back(high);
    raw.push_back(low);
    chars += ByteToHex(high);
    chars += ByteToHex(low);
}

}  // namespace vantor

#include "ModbusFraming.h"

#include <cctype>

#include "modbus/ModbusChecksums.h"
#include "modbus/ModbusHex.h"

namespace vantor::sim {
namespace {

constexpr std::size_t kRtuMinimum = 4;    // address, function, CRC
constexpr std::size_t kAsciiMinimum = 9;  // ":", address, function, LRC, CR LF

bool IsHexCharacter(std::uint8_t c) {
    return std::isxdigit(c) != 0;
}

std::uint8_t Upper(std::uint8_t c) {
    return static_cast<std::uint8_t>(std::toupper(c));
}

}  // namespace

std::optional<ByteArray> DecodeRtu(std::span<const std::uint8_t> frame) {
    if (frame.size() < kRtuMinimum) {
        return std::nullopt;
    }
    const auto body = frame.first(frame.size() - 2);
    const std::uint16_t received =
        static_cast<std::uint16_t>(frame[frame.size() - 1] << 8) | frame[frame.size() - 2];
    if (Crc16(body) != received) {
        return std::nullopt;
    }
    return ByteArray(body.begin(), body.end());
}

std::optional<ByteArray> DecodeAscii(std::span<const std::uint8_t> frame) {
    const std::size_t n = frame.size();
    if (n < kAsciiMinimum || frame[0] != ':' || frame[n - 2] != '\r' || frame[n - 1] != '\n' ||
        (n - 3) % 2 != 0) {
        return std::nullopt;
    }
    ByteArray bytes;
    for (std::size_t i = 1; i + 1 < n - 2; i += 2) {
        if (!IsHexCharacter(frame[i]) || !IsHexCharacter(frame[i + 1])) {
            return std::nullopt;
        }
        bytes.push_back(HexToByte(Upper(frame[i]), Upper(frame[i + 1])));
    }
    const std::uint8_t received = bytes.back();
    bytes.pop_back();
    if (Lrc(bytes) != received) {
        return std::nullopt;
    }
    return bytes;
}

ByteArray EncodeRtu(const ByteArray& message, bool corrupt) {
    ByteArray frame = message;
    const std::uint16_t crc = static_cast<std::uint16_t>(Crc16(message) ^ (corrupt ? 0xFFFF : 0));
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    return frame;
}

ByteArray EncodeAscii(const ByteArray& message, bool corrupt) {
    std::string text = ":";
    for (const std::uint8_t byte : message) {
        text += ByteToHex(byte);
    }
    text += ByteToHex(static_cast<std::uint8_t>(Lrc(message) + (corrupt ? 1 : 0)));
    text += "\r\n";
    return ByteArray(text.begin(), text.end());
}

}  // namespace vantor::sim

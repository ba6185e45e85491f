#include "modbus/AsciiFrame.h"

#include "modbus/ModbusChecksums.h"
#include "modbus/ModbusHex.h"
#include "modbus/ModbusReply.h"

namespace vantor {
namespace {

void AppendHexByte(std::uint8_t value, ByteArray& raw, std::string& chars) {
    raw.push_back(value);
    chars += ByteToHex(value);
}

// The byte whose two characters start at `pos`.
std::uint8_t ByteAt(std::span<const std::uint8_t> chars, std::size_t pos) {
    return HexToByte(At(chars, pos), At(chars, pos + 1));
}

}  // namespace

std::string BuildAsciiRequest(std::uint8_t device, std::uint8_t function, std::uint16_t start,
                              const ByteArray& data) {
    ByteArray raw;
    std::string chars = ":";
    AppendHexByte(device, raw, chars);
    AppendHexByte(function, raw, chars);
    if (function == 4) {
        AppendHexWord(start, raw, chars);
        AppendHexWord(static_cast<std::uint16_t>(At(data, 0) * 256 + At(data, 1)), raw, chars);
    } else if (function == 16) {
        AppendHexWord(start, raw, chars);
        for (const std::uint8_t byte : data) {
            AppendHexByte(byte, raw, chars);
        }
    }
    chars += ByteToHex(Lrc(raw));
    chars += "\r\n";
    return chars;
}

std::uint8_t ParseAsciiReply(std::span<const std::uint8_t> received, ByteArray& reply) {
    const std::size_t n = received.size();
    if (n < 5) {
        return kModbusTooShort;
    }
    if (At(received, 0) != ':') {
        return kModbusBadStart;
    }
    if (At(received, n - 1) != '\n') {
        return kModbusBadEnd;
    }
    std::uint8_t sum = 0;
    for (std::size_t i = 1; i < n - 4; i += 2) {
        sum = static_cast<std::uint8_t>(sum + ByteAt(received, i));
    }
    const std::string lrc = ByteToHex(static_cast<std::uint8_t>(0 - sum));
    if (lrc[0] != At(received, n - 4) || lrc[1] != At(received, n - 3)) {
        return kModbusBadChecksum;
    }
    const std::uint8_t function = ByteAt(received, 3);
    reply.push_back(ByteAt(received, 1));
    reply.push_back(function);
    if (function >= 128) {
        const auto code = static_cast<std::uint8_t>(ByteAt(received, 5) + kModbusExceptionBase);
        reply.resize(reply.size() + 2, 0);
        return code;
    }
    std::size_t count = 0;
    std::size_t from = 0;
    if (function == 3 || function == 4) {
        count = ByteAt(received, 5);
        from = 7;
    } else if (function == 16) {
        count = n > 9 ? (n - 9) / 2 : 0;
        from = 5;
    }
    for (std::size_t i = 0; i < count; ++i) {
        reply.push_back(ByteAt(received, from + 2 * i));
    }
    return kModbusAccepted;
}

}  // namespace vantor

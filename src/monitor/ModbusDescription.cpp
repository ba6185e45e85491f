// The Modbus side of the monitor's decoder: RTU and ASCII frames share the words for what
// they carry and differ in their framing and checksum.
#include <algorithm>

#include "modbus/ModbusChecksums.h"
#include "modbus/ModbusHex.h"
#include "monitor/FrameDecoder.h"
#include "monitor/MonitorText.h"
#include "platform/Types.h"

namespace vantor {

namespace {

constexpr std::uint8_t kReadHolding = 3;
constexpr std::uint8_t kReadInput = 4;
constexpr std::uint8_t kWriteMultiple = 16;
constexpr std::uint8_t kExceptionBit = 0x80;
// Registers shown of an answer; the rest is counted.
constexpr std::size_t kShownRegisters = 16;
constexpr std::size_t kShortestRtu = 4;              // address, function, CRC
constexpr std::size_t kAsciiFraming = 3;             // ':' and CR LF
constexpr std::size_t kShortestAsciiCharacters = 6;  // address, function, LRC

std::uint16_t WordAt(std::span<const std::uint8_t> body, std::size_t at) {
    return static_cast<std::uint16_t>(At(body, at) << 8 | At(body, at + 1));
}

std::string FunctionText(std::uint8_t function) {
    std::string text = "функция " + std::to_string(function);
    switch (function) {
        case kReadHolding:
            return text + " (чтение регистров хранения)";
        case kReadInput:
            return text + " (чтение входных регистров)";
        case kWriteMultiple:
            return text + " (запись регистров)";
        default:
            return text;
    }
}

std::string ExceptionText(std::uint8_t code) {
    std::string text = "исключение " + std::to_string(code);
    switch (code) {
        case 1:
            return text + " (функция не поддерживается)";
        case 2:
            return text + " (адрес данных недоступен)";
        case 3:
            return text + " (недопустимое значение)";
        case 4:
            return text + " (отказ подчинённого)";
        default:
            return text;
    }
}

std::string RegisterRange(std::span<const std::uint8_t> body) {
    std::string text = ", регистры с " + HexWord(WordAt(body, 2));
    return text + ", количество " + std::to_string(WordAt(body, 4));
}

void DescribeRequest(std::span<const std::uint8_t> body, std::string& text) {
    const std::uint8_t function = At(body, 1);
    text += ", " + FunctionText(function);
    if (function == kReadHolding || function == kReadInput || function == kWriteMultiple) {
        text += RegisterRange(body);
    }
    if (function == kWriteMultiple) {
        text += ", " + OctetCount(At(body, 6)) + " данных";
    }
}

void DescribeRegisters(std::span<const std::uint8_t> body, std::string& text) {
    const std::size_t count = At(body, 2);
    text += ", " + OctetCount(count) + ":";
    const std::size_t registers = count / 2;
    for (std::size_t i = 0; i < std::min(registers, kShownRegisters); ++i) {
        text += " " + HexWord(WordAt(body, 3 + 2 * i));
    }
    if (registers > kShownRegisters) {
        text += " … ещё " + std::to_string(registers - kShownRegisters);
    }
}

void DescribeAnswer(std::span<const std::uint8_t> body, std::string& text) {
    const std::uint8_t function = At(body, 1);
    if ((function & kExceptionBit) != 0) {
        text += ", на функцию " + std::to_string(function & ~kExceptionBit) + " " +
                ExceptionText(At(body, 2));
        return;
    }
    text += ", " + FunctionText(function);
    if (function == kReadHolding || function == kReadInput) {
        DescribeRegisters(body, text);
    } else if (function == kWriteMultiple) {
        text += RegisterRange(body);
    }
}

// The fields of `body` (the frame without its checksum and framing). A body shorter than its
// fields says where it ends.
std::string DescribeBody(TraceDirection direction, std::span<const std::uint8_t> body) {
    std::string text = "адрес " + std::to_string(At(body, 0));
    try {
        if (direction == TraceDirection::Sent) {
            DescribeRequest(body, text);
        } else {
            DescribeAnswer(body, text);
        }
    } catch (const InvalidArgument&) {
        text += "; кадр короче своих полей";
    }
    return text;
}

std::string ChecksumText(const char* name, unsigned found, unsigned expected, bool word) {
    const auto hex = [word](unsigned v) {
        return word ? HexWord(static_cast<std::uint16_t>(v))
                    : HexOctet(static_cast<std::uint8_t>(v));
    };
    if (found == expected) {
        return std::string(", ") + name + " верна";
    }
    return std::string(", ") + name + " неверна (" + hex(found) + ", ожидалась " + hex(expected) +
           ")";
}

bool IsHexCharacter(std::uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

}  // namespace

std::string DescribeModbusRtu(TraceDirection direction, std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kShortestRtu) {
        return "слишком короткий кадр RTU: " + OctetCount(bytes.size());
    }
    const auto body = bytes.first(bytes.size() - 2);
    const unsigned found = At(bytes, bytes.size() - 2) | At(bytes, bytes.size() - 1) << 8;
    return DescribeBody(direction, body) + ChecksumText("CRC", found, Crc16(body), true);
}

std::string DescribeModbusAscii(TraceDirection direction, std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || At(bytes, 0) != ':') {
        return "нет начального символа «:»";
    }
    const bool crlf = bytes.size() >= kAsciiFraming && At(bytes, bytes.size() - 2) == '\r' &&
                      At(bytes, bytes.size() - 1) == '\n';
    const auto characters = bytes.subspan(1, bytes.size() - 1 - (crlf ? 2 : 0));
    const auto bad = std::find_if_not(characters.begin(), characters.end(), IsHexCharacter);
    if (bad != characters.end()) {
        return "не шестнадцатеричный символ " + HexOctet(*bad) + " на месте " +
               std::to_string(bad - characters.begin() + 1);
    }
    if (characters.size() % 2 != 0) {
        return "нечётное число символов: " + std::to_string(characters.size());
    }
    if (characters.size() < kShortestAsciiCharacters) {
        return "слишком короткий кадр ASCII: " + std::to_string(characters.size()) + " симв.";
    }
    ByteArray decoded;
    for (std::size_t i = 0; i < characters.size(); i += 2) {
        decoded.push_back(HexToByte(characters[i], characters[i + 1]));
    }
    const auto body = std::span<const std::uint8_t>(decoded).first(decoded.size() - 1);
    std::string text =
        DescribeBody(direction, body) + ChecksumText("LRC", decoded.back(), Lrc(body), false);
    return crlf ? text : text + "; нет CR LF в конце";
}

}  // namespace vantor

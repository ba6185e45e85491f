#include "ModbusSlave.h"

namespace vantor::sim {
namespace {

constexpr std::uint8_t kReadInputRegisters = 4;
constexpr std::uint8_t kWriteMultipleRegisters = 16;
constexpr std::uint8_t kIllegalFunction = 1;
constexpr std::uint8_t kIllegalAddress = 2;
constexpr std::uint8_t kIllegalValue = 3;
constexpr std::uint32_t kMaxReadCount = 125;
// The clock write: 3 registers and 7 bytes (milliseconds high and low, hour, minute,
// year - 2000, month, weekday * 32 + day), as the program sends it.
constexpr std::uint32_t kClockRegisters = 3;
constexpr std::uint8_t kClockBytes = 7;

std::uint32_t WordAt(const ByteArray& message, std::size_t offset) {
    return static_cast<std::uint32_t>(At(message, offset) << 8 | At(message, offset + 1));
}

SystemTime ClockFromBytes(const ByteArray& m, std::size_t at) {
    SystemTime t;
    const std::uint32_t ms = WordAt(m, at);
    t.second = static_cast<std::uint16_t>(ms / 1000);
    t.milliseconds = static_cast<std::uint16_t>(ms % 1000);
    t.hour = At(m, at + 2);
    t.minute = At(m, at + 3);
    t.year = static_cast<std::uint16_t>(2000 + At(m, at + 4));
    t.month = At(m, at + 5);
    t.day = At(m, at + 6) & 0x1F;
    return t;
}

}  // namespace

ModbusSlave::ModbusSlave(const SimDevice& device, Transducer& transducer, const SimOptions& options)
    : device_(device), transducer_(transducer), options_(options), registers_(device.items) {}

std::optional<ModbusFraming> ModbusSlave::FramingOf(std::span<const std::uint8_t> frame) const {
    switch (options_.framing) {
        case SimFraming::Rtu:
            return ModbusFraming::Rtu;
        case SimFraming::Ascii:
            return ModbusFraming::Ascii;
        case SimFraming::Auto:
            break;
    }
    if (frame.empty()) {
        return std::nullopt;
    }
    return frame[0] == ':' ? ModbusFraming::Ascii : ModbusFraming::Rtu;
}

std::optional<SlaveAnswer> ModbusSlave::Answer(std::span<const std::uint8_t> frame) {
    const auto framing = FramingOf(frame);
    if (!framing) {
        return std::nullopt;
    }
    const auto request = *framing == ModbusFraming::Ascii ? DecodeAscii(frame) : DecodeRtu(frame);
    if (!request || request->size() < 2 ||
        (*request)[0] != static_cast<std::uint8_t>(device_.address & 0xFF)) {
        return std::nullopt;
    }
    SlaveAnswer answer = Serve(*request);
    answer.frame[0] = options_.replyAddress.value_or(answer.frame[0]);
    ++answers_;
    const bool corrupt =
        options_.badChecksumEvery != 0 && answers_ % options_.badChecksumEvery == 0;
    answer.frame = *framing == ModbusFraming::Ascii ? EncodeAscii(answer.frame, corrupt)
                                                    : EncodeRtu(answer.frame, corrupt);
    return answer;
}

SlaveAnswer ModbusSlave::Serve(const ByteArray& request) {
    if (options_.exceptionCode) {
        return Exception(request, *options_.exceptionCode);
    }
    try {
        switch (request[1]) {
            case kReadInputRegisters:
                return ReadInputRegisters(request);
            case kWriteMultipleRegisters:
                return WriteClock(request);
            default:
                return Exception(request, kIllegalFunction);
        }
    } catch (const InvalidArgument&) {
        return Exception(request, kIllegalValue);  // a request shorter than its fields
    }
}

SlaveAnswer ModbusSlave::ReadInputRegisters(const ByteArray& request) {
    const std::uint32_t start = WordAt(request, 2);
    const std::uint32_t count = WordAt(request, 4);
    if (request.size() != 6 || count == 0 || count > kMaxReadCount) {
        return Exception(request, kIllegalValue);
    }
    const Reading reading = transducer_.Read();
    const auto words = registers_.Read(start, count, reading);
    if (!words) {
        return Exception(request, kIllegalAddress);
    }
    SlaveAnswer answer;
    answer.frame = {request[0], request[1], static_cast<std::uint8_t>(2 * count)};
    for (const std::uint16_t word : *words) {
        answer.frame.push_back(static_cast<std::uint8_t>(word >> 8));
        answer.frame.push_back(static_cast<std::uint8_t>(word & 0xFF));
    }
    answer.served = CodesServed(device_.items, registers_.ItemsWithin(start, count), reading);
    return answer;
}

SlaveAnswer ModbusSlave::WriteClock(const ByteArray& request) {
    const std::uint32_t start = WordAt(request, 2);
    const std::uint32_t count = WordAt(request, 4);
    if (start != registers_.ClockRegister()) {
        return Exception(request, kIllegalAddress);
    }
    if (count != kClockRegisters || At(request, 6) != kClockBytes ||
        request.size() != 7u + kClockBytes ||
        !transducer_.Clock().Set(ClockFromBytes(request, 7))) {
        return Exception(request, kIllegalValue);
    }
    return {ByteArray(request.begin(), request.begin() + 6), {}, transducer_.Clock().Describe()};
}

SlaveAnswer ModbusSlave::Exception(const ByteArray& request, std::uint8_t code) {
    return {{request[0], static_cast<std::uint8_t>(request[1] | 0x80), code}, {}, {}};
}

}  // namespace vantor::sim

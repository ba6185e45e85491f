// The Modbus transactions of the port object: thin I/O around the pure frame codecs.
#include <array>

#include "modbus/AsciiFrame.h"
#include "modbus/ClockData.h"
#include "modbus/RtuFrame.h"
#include "serial/ComPort.h"

namespace vantor {

void CComPort::SendRtuRequest(std::uint8_t device, std::uint8_t function, std::uint16_t start,
                              const ByteArray& data) {
    const ByteArray frame = BuildRtuRequest(device, function, start, data);
    WriteFrame(m_hCom, frame.data(), frame.size());
}

void CComPort::SendAsciiRequest(std::uint8_t device, std::uint8_t function, std::uint16_t start,
                                const ByteArray& data) {
    const std::string frame = BuildAsciiRequest(device, function, start, data);
    WriteFrame(m_hCom, reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size());
}

std::uint8_t CComPort::ReceiveRtuReply(ByteArray& reply) {
    std::array<std::uint8_t, kAccumBufferSize> accum{};
    std::array<std::uint8_t, kRtuChunkSize> chunk{};
    const std::size_t n = CollectReply(accum, chunk);
    return ParseRtuReply(std::span(accum).first(n), reply);
}

std::uint8_t CComPort::ReceiveAsciiReply(ByteArray& reply) {
    std::array<std::uint8_t, kAccumBufferSize> accum{};
    std::array<std::uint8_t, kWideChunkSize> chunk{};
    const std::size_t n = CollectReply(accum, chunk);
    return ParseAsciiReply(std::span(accum).first(n), reply);
}

void CComPort::AppendClockData(ByteArray& data) {
    const ByteArray clock = ClockBytes(m_clock.UtcNow());
    data.insert(data.end(), clock.begin(), clock.end());
}

}  // namespace vantor

#include "modbus/RtuFrame.h"

#include "modbus/ModbusChecksums.h"
#include "modbus/ModbusReply.h"

namespace vantor {

ByteArray BuildRtuRequest(std::uint8_t device, std::uint8_t function, std::uint16_t start,
                          const ByteArray& data) {
    ByteArray frame;
    frame.reserve(data.size() + 6);
    frame.push_back(device);
    frame.push_back(function);
    if (function == 4 || function == 16) {
        frame.push_back(static_cast<std::uint8_t>(start >> 8));
        frame.push_back(static_cast<std::uint8_t>(start & 0xFF));
        frame.insert(frame.end(), data.begin(), data.end());
    }
    const std::uint16_t crc = Crc16(frame);
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    return frame;
}

std::uint8_t ParseRtuReply(std::span<const std::uint8_t> received, ByteArray& reply) {
    const std::size_t n = received.size();
    if (n < 5) {
        return kModbusTooShort;
    }
    const auto body = received.first(n - 2);
    const auto sentCrc =
        static_cast<std::uint16_t>(At(received, n - 1) * 256 + At(received, n - 2));
    if (Crc16(body) != sentCrc) {
        return kModbusBadChecksum;
    }
    const std::uint8_t function = At(body, 1);
    reply.push_back(At(body, 0));
    reply.push_back(function);
    if (function >= 128) {
        reply.resize(reply.size() + 2, 0);
        return static_cast<std::uint8_t>(At(body, 2) + kModbusExceptionBase);
    }
    if (function == 16) {
        reply.insert(reply.end(), body.begin() + 2, body.end());
    } else if (function == 3 || function == 4) {
        const std::uint8_t count = At(body, 2);
        for (std::size_t i = 0; i < count; ++i) {
            reply.push_back(At(body, 3 + i));
        }
    }
    return kModbusAccepted;
}

}  // namespace vantor

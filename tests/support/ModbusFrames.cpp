#include "support/ModbusFrames.h"

#include "modbus/ModbusChecksums.h"
#include "modbus/ModbusHex.h"

namespace vantor::test {

ByteArray WithCrc(ByteArray body) {
    const std::uint16_t crc = Crc16(body);
    body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    body.push_back(static_cast<std::uint8_t>(crc >> 8));
    return body;
}

std::string AsciiOf(const ByteArray& body) {
    std::string s = ":";
    for (const std::uint8_t b : body) {
        s += ByteToHex(b);
    }
    return s + ByteToHex(Lrc(body)) + "\r\n";
}

}  // namespace vantor::test

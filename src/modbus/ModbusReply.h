#pragma once

#include <cstdint>

namespace vantor {

// Reply codes of the Modbus receivers; 1 to 4 mean the same for IEC 60870-5-101.
enum ModbusReply : std::uint8_t {
    kModbusAccepted = 0,
    kModbusBadStart = 1,
    kModbusBadEnd = 2,
    kModbusBadChecksum = 3,
    kModbusTooShort = 4,         // nothing, or fewer than 5 bytes
    kModbusExceptionBase = 100,  // + the exception code
};

}  // namespace vantor

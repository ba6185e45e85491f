#pragma once

#include <cstdint>
#include <span>

namespace vantor {

// CRC-16 of Modbus RTU: reflected polynomial 0xA001, start 0xFFFF, no final inversion. Sent low
// byte first.
std::uint16_t Crc16(std::span<const std::uint8_t> bytes);
// LRC of Modbus ASCII: the two's complement of the 8-bit sum of the bytes (not their characters).
std::uint8_t Lrc(std::span<const std::uint8_t> bytes);

}  // namespace vantor

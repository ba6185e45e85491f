#pragma once

#include <cstdint>

namespace vantor {

// The protocol tag of a configuration (m_nProtoTag): 1 names IEC 60870-5-101, any other value
// Modbus. Choosing Modbus in the window writes 255.
inline constexpr std::uint8_t kIecProtoTag = 1;
inline constexpr std::uint8_t kModbusProtoTag = 255;

// The protocol choice of the window's radio buttons (m_nProtocol), which a configuration sets
// from its tag.
inline constexpr int kModbusProtocol = 0;
inline constexpr int kIecProtocol = 1;

}  // namespace vantor

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

// The IEC 60870-5-101 poll mode of the window's radio buttons (m_nIecMode).
inline constexpr int kIecGroupPolling = 0;  // the interrogation activated, its values as they come
inline constexpr int kIecReadCommand = 1;   // a read command for each block
inline constexpr int kIecLinkReading = 2;   // class 2 data requested at every tick

// Packed settings bytes of the configuration file (serial/SettingsText.h): 9600 baud, no
// parity, two stop bits. With 7 data bits the framing is Modbus ASCII, the start-up choice;
// with 8 it is Modbus RTU or IEC 60870-5-101, as the protocol choice says.
inline constexpr std::uint8_t kSettings9600N72 = 0x15;
inline constexpr std::uint8_t kSettings9600N82 = 0x95;

}  // namespace vantor

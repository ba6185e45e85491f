#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/Types.h"

namespace vantor::sim {

enum class ModbusFraming { Rtu, Ascii };

// A Modbus message is the device address, the function code and the data, without the
// checksum and the framing characters.

// The message of an RTU frame whose CRC is sound.
std::optional<ByteArray> DecodeRtu(std::span<const std::uint8_t> frame);
// The message of an ASCII frame (":", hexadecimal pairs, LRC, CR LF) whose LRC is sound.
std::optional<ByteArray> DecodeAscii(std::span<const std::uint8_t> frame);

// `corrupt` spoils the checksum, for masters under test.
ByteArray EncodeRtu(const ByteArray& message, bool corrupt);
ByteArray EncodeAscii(const ByteArray& message, bool corrupt);

}  // namespace vantor::sim

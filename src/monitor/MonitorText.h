#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/Clock.h"

namespace vantor {

// The number formats of the monitor's texts; none depends on the process locale.
std::string HexOctet(std::uint8_t value);  // "0x0A"
std::string HexWord(std::uint16_t value);  // "0x000A"
// The octets as upper-case pairs separated by blanks: "01 04 00 0A".
std::string HexOctets(std::span<const std::uint8_t> bytes);
// "1 байт", "3 байта", "12 байт".
std::string OctetCount(std::size_t count);
// "21:15:03.125".
std::string UtcText(const SystemTime& utc);

}  // namespace vantor

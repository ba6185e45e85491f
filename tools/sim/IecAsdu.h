#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "iec101/AsduCodec.h"
#include "iec101/ParameterBlock.h"
#include "platform/Clock.h"
#include "platform/Types.h"

namespace vantor::sim {

// A command ASDU from the primary station, its fields located.
struct IncomingAsdu {
    std::uint8_t type = 0;
    std::uint8_t cause = 0;  // the whole first cause octet
    std::uint16_t commonAddress = 0;
    std::uint32_t objectAddress = 0;
    ByteArray elements;  // the information elements of the first object
    ByteArray octets;    // the whole ASDU, for mirroring
};

// None for an ASDU shorter than its header.
std::optional<IncomingAsdu> ParseAsdu(std::span<const std::uint8_t> asdu,
                                      const IecFieldSizes& sizes);
// The command sent back with another cause octet: confirmation, termination or refusal.
ByteArray Mirror(const IncomingAsdu& command, std::uint8_t cause);

struct ObjectValue {
    std::uint32_t address;
    std::int32_t code;  // sent as its low 16 bits
};

// Measured values of type 9, 10, 21 or 143 in one ASDU. With `sequence` (SQ = 1) only the
// first object carries its address. Type 10 tags each object with a CP24Time2a of `clock`;
// type 143 has a quality octet per object and one CP56Time2a of `clock` after the last.
ByteArray ValueAsdu(std::uint8_t type, std::uint8_t cause, bool sequence,
                    const std::vector<ObjectValue>& objects, const SystemTime& clock,
                    std::uint16_t commonAddress, const IecFieldSizes& sizes);

// Confirmation of delay acquisition with the CP16Time2a `stamp`.
ByteArray DelayAnswerAsdu(std::uint16_t stamp, std::uint16_t commonAddress,
                          const IecFieldSizes& sizes);

// The time of a CP56Time2a, none when fewer than seven octets are given.
std::optional<SystemTime> FromCp56Time2a(std::span<const std::uint8_t> octets);

}  // namespace vantor::sim

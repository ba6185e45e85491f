#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "Transducer.h"
#include "platform/Types.h"

namespace vantor::sim {

struct SlaveAnswer {
    ByteArray frame;
    ServedCodes served;  // the codes the answer carried, for the record
    std::string report;  // a line to tell (a clock set, a delay received); empty for none
};

// The transducer's side of one protocol: what it answers to a frame from the line.
class IStation {
public:
    virtual ~IStation() = default;
    // None for a frame it does not answer (not for this device, garbled, or a broadcast).
    virtual std::optional<SlaveAnswer> Answer(std::span<const std::uint8_t> frame) = 0;
};

}  // namespace vantor::sim

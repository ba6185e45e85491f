#pragma once

#include <cstdint>
#include <optional>

#include "config/ConfigFailure.h"
#include "platform/Types.h"

namespace vantor {

// What a configuration file holds, decoded and not yet applied. A file may end anywhere, and
// applying it must then change exactly the fields it reached: so every field that a short file
// may lack is optional, and a list says how far it got.

enum class SectionOutcome {
    Read,       // read to its end
    Recovered,  // ended early: what was read stands, the rest keeps its values or its defaults
    Failed,     // ended with a failure that the load reports
};

// The items, the device address, the line settings and the wiring.
struct ConfigFixedPart {
    SectionOutcome outcome = SectionOutcome::Failed;
    ReadFailure::Kind failure = ReadFailure::Kind::PastEnd;  // when the outcome is Failed
    // Once the header is passed: the address of the first active record, if there is one.
    std::optional<std::uint32_t> firstAddr;
    // Once the item count is read: the active items of the records read, three texts each.
    std::optional<TextArray> items;
    // One per record read, dropped records included; they follow the divisors loaded before.
    TextArray divisors;
    std::optional<std::uint8_t> addressLow;
    std::optional<std::uint8_t> serialSettings;
    std::optional<std::uint8_t> spare;
    std::optional<std::uint8_t> wiring;
};

// The protocol tag, the IEC 60870-5-101 field sizes and the interrogation groups. Never fails:
// a short file leaves the fields it does not reach as they were.
struct ConfigProtocolSection {
    SectionOutcome outcome = SectionOutcome::Recovered;
    std::optional<std::uint8_t> protoTag;
    std::optional<std::uint8_t> asduAddrSize;
    std::optional<std::uint8_t> ioaSize;
    std::optional<std::uint8_t> fixedFrame;
    std::optional<std::uint8_t> cotSize;
    std::optional<std::uint8_t> addressHigh;
    // Once the reserved bytes are passed: the group bytes read.
    std::optional<ByteArray> groups;
};

struct TransformerRatios {
    std::uint32_t kn = 0;
    std::uint32_t kt = 0;
};

// The nominal input, the item attributes, the transformer ratios and the ranges. A short file
// takes defaults for the lists; with four or fewer active items even the defaults fail.
struct ConfigMeasurementSection {
    SectionOutcome outcome = SectionOutcome::Recovered;
    std::optional<std::uint8_t> nominalCode;
    // When the file holds all 18 ratio bytes.
    std::optional<TransformerRatios> ratios;
    // The lists the section leaves: as read, or the defaults of a recovery (empty after a
    // failure).
    ByteArray itemAttr;
    ByteArray attrBit6;
    ByteArray ratioBytes;
    // As read or recovered; after a failure the words read before it, if the ranges were
    // reached at all.
    std::optional<WordArray> ranges;
};

struct Configuration {
    ConfigFixedPart fixed;
    // Both absent when the fixed part failed.
    std::optional<ConfigProtocolSection> protocol;
    std::optional<ConfigMeasurementSection> measurement;
};

}  // namespace vantor

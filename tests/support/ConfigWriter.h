#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/Protocol.h"
#include "platform/Types.h"

namespace vantor::test {

// Builds configuration (.dat) files for tests, the simulator and fuzz seeds. The program only
// reads them; this is the one place that writes them. Texts are given in UTF-8.

struct ConfigRecord {
    std::string name;
    std::string address;     // hexadecimal text
    std::string size;        // decimal text, bytes
    std::uint32_t kind = 0;  // 0: active, anything else: only the divisor counts
    std::string divisor = "1";
    bool wideName = false;  // the name as UTF-16LE instead of Windows-1251
};

// The protocol section; a description without one ends after the wiring code.
struct ProtocolSection {
    std::uint8_t tag = kModbusProtoTag;
    std::uint8_t asduAddrSize = 1;
    std::uint8_t ioaSize = 2;
    std::uint8_t fixedFrame = 16;
    std::uint8_t cotSize = 1;
    std::uint8_t addressHigh = 0;
    std::array<std::uint8_t, 2> reserved{};
    ByteArray groups;  // one per active item and nine more
};

// The measurement section; written after the protocol section.
struct MeasurementSection {
    std::uint8_t nominal = 0;
    ByteArray attributes;  // four per active item that is not a clock item
    std::array<std::uint32_t, 6> ratios{1, 1, 1, 1, 1, 1};  // 24 bits each; 0 is Кн, 3 is Кт
    WordArray ranges;
};

struct ConfigDescription {
    std::array<std::uint8_t, 4> header{};
    std::vector<ConfigRecord> records;
    std::uint8_t addressLow = 1;
    std::uint8_t serial = kSettings9600N82;
    std::uint8_t spare = 0;
    std::uint8_t wiring = 0;
    std::optional<ProtocolSection> protocol;
    std::optional<MeasurementSection> measurement;
    ByteArray trailer;  // after everything; the reader ignores it
};

// The file's bytes, in the order the reader takes them.
ByteArray WriteConfiguration(const ConfigDescription& description);

// A string field with the shortest length prefix: Windows-1251 characters, or (wide) the UTF-16
// marker and UTF-16LE units.
void AppendString(ByteArray& out, std::string_view utf8);
void AppendWideString(ByteArray& out, std::string_view utf8);
void AppendWord(ByteArray& out, std::uint16_t value);
void AppendDword(ByteArray& out, std::uint32_t value);

}  // namespace vantor::test

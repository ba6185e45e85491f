#include "support/ConfigWriter.h"

#include <stdexcept>

#include "text/Windows1251.h"

namespace vantor::test {
namespace {

constexpr std::uint8_t kLongerLength = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kDwordLength = 0xFFFF;

// A word holds lengths below `wordLimit`: the plain prefix keeps 0xFFFE for the UTF-16
// marker, the prefix after the marker does not.
void AppendLength(ByteArray& out, std::size_t length, std::size_t wordLimit) {
    if (length < kLongerLength) {
        out.push_back(static_cast<std::uint8_t>(length));
        return;
    }
    out.push_back(kLongerLength);
    if (length < wordLimit) {
        AppendWord(out, static_cast<std::uint16_t>(length));
        return;
    }
    AppendWord(out, kDwordLength);
    AppendDword(out, static_cast<std::uint32_t>(length));
}

// The writer is given well-formed UTF-8 by its own callers.
std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string units;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        const std::size_t extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        if (i + extra >= utf8.size()) {
            throw std::invalid_argument("truncated UTF-8 in a wide string");
        }
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            cp = (cp << 6) | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3F);
        }
        i += extra + 1;
        if (cp >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(cp));
        }
    }
    return units;
}

void AppendRecord(ByteArray& out, const ConfigRecord& record) {
    if (record.wideName) {
        AppendWideString(out, record.name);
    } else {
        AppendString(out, record.name);
    }
    AppendString(out, record.address);
    AppendString(out, record.size);
    AppendDword(out, record.kind);
    AppendString(out, record.divisor);
}

void AppendProtocol(ByteArray& out, const ProtocolSection& section) {
    out.insert(out.end(), {section.tag, section.asduAddrSize, section.ioaSize, section.fixedFrame,
                           section.cotSize, section.addressHigh});
    out.insert(out.end(), section.reserved.begin(), section.reserved.end());
    out.insert(out.end(), section.groups.begin(), section.groups.end());
}

void AppendMeasurement(ByteArray& out, const MeasurementSection& section) {
    out.push_back(section.nominal);
    out.insert(out.end(), section.attributes.begin(), section.attributes.end());
    for (const std::uint32_t ratio : section.ratios) {
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(ratio >> 16), static_cast<std::uint8_t>(ratio >> 8),
                    static_cast<std::uint8_t>(ratio)});
    }
    for (const std::uint16_t range : section.ranges) {
        AppendWord(out, range);
    }
}

}  // namespace

void AppendWord(ByteArray& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendDword(ByteArray& out, std::uint32_t value) {
    AppendWord(out, static_cast<std::uint16_t>(value));
    AppendWord(out, static_cast<std::uint16_t>(value >> 16));
}

void AppendString(ByteArray& out, std::string_view utf8) {
    const std::string text = Utf8ToWindows1251(utf8);
    AppendLength(out, text.size(), kWideMarker);
    out.insert(out.end(), text.begin(), text.end());
}

void AppendWideString(ByteArray& out, std::string_view utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    out.push_back(kLongerLength);
    AppendWord(out, kWideMarker);
    AppendLength(out, units.size(), kDwordLength);
    for (const char16_t unit : units) {
        AppendWord(out, unit);
    }
}

ByteArray WriteConfiguration(const ConfigDescription& description) {
    ByteArray out(description.header.begin(), description.header.end());
    if (description.records.size() > 255) {
        throw std::invalid_argument("a configuration holds at most 255 records");
    }
    out.push_back(static_cast<std::uint8_t>(description.records.size()));
    for (const ConfigRecord& record : description.records) {
        AppendRecord(out, record);
    }
    out.insert(out.end(),
               {description.addressLow, description.serial, description.spare, description.wiring});
    if (description.protocol) {
        AppendProtocol(out, *description.protocol);
    }
    if (description.measurement) {
        AppendMeasurement(out, *description.measurement);
    }
    out.insert(out.end(), description.trailer.begin(), description.trailer.end());
    return out;
}

}  // namespace vantor::test

#include "config/ConfigDecoder.h"

#include <array>
#include <string>

#include "config/ConfigFields.h"
#include "config/ItemList.h"
#include "text/TextNumbers.h"

namespace vantor {
namespace {

constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kReservedSize = 2;
constexpr std::uint32_t kNoFirstAddr = 0xFFFFFF;
constexpr std::uint32_t kActiveKind = 0;
// Group bytes and recovered ranges cover the active items and nine rows more.
constexpr std::size_t kExtraRows = 9;
// Range slots run from 0 to 2P + 17.
constexpr std::size_t kExtraRangeSlots = 18;
// Range slots and recovered rows belong to the items three at a time: slot s to item s / 3.
constexpr std::size_t kRowsPerOwner = 3;
constexpr std::size_t kAttributeSize = 4;
constexpr std::size_t kFlagAttribute = 3;
constexpr unsigned kFlagBit = 6;
constexpr std::size_t kRatioSize = 18;
constexpr std::size_t kKnOffset = 0;
constexpr std::size_t kKtOffset = 9;
// Each of the six recovered ratios is 1.
constexpr std::array<std::uint8_t, 3> kRecoveredRatio = {0, 0, 1};

// Default ranges of a recovered configuration: around 50 Hz for a frequency, 10 to 110 % of
// the nominal code for anything else.
constexpr std::uint16_t kFrequencyRangeLow = 49500;
constexpr std::uint16_t kFrequencyRangeHigh = 50500;
constexpr std::uint16_t kRangeLow = 500;
constexpr std::uint16_t kRangeHigh = 5500;
constexpr const char* kFrequencyWord = "Частота";

// The item a range slot or a recovered row belongs to; a row beyond the items is a failure of
// the file.
const std::string& OwnerName(const ItemList& items, std::size_t row) {
    if (row / kRowsPerOwner >= items.Count()) {
        throw IndexFailure();
    }
    return items.Name(row / kRowsPerOwner);
}

// Older files write the second reactive power as Q'a, Q'b, Q'c; the keys say Qfa, Qfb, Qfc.
void MendPrimedQ(std::string& name) {
    const std::size_t at = name.find("Q'");
    if (at != std::string::npos) {
        name[at + 1] = 'f';
    }
}

std::uint32_t ReadBigEndian24(const ByteArray& bytes, std::size_t offset) {
    return (std::uint32_t{At(bytes, offset)} << 16) | (std::uint32_t{At(bytes, offset + 1)} << 8) |
           At(bytes, offset + 2);
}

void ReadItemRecord(IByteStream& stream, ConfigFixedPart& fixed) {
    std::string name = ReadString(stream);
    MendPrimedQ(name);
    std::string address = ReadString(stream);
    std::string size = ReadString(stream);
    if (ReadDword(stream) == kActiveKind) {
        if (fixed.firstAddr == kNoFirstAddr) {
            fixed.firstAddr = static_cast<std::uint32_t>(ParseHexText(address));
        }
        ItemList::Append(*fixed.items, std::move(name), std::move(address), std::move(size));
    }
    // Divisors are kept for every record, so they stay indexed by record.
    fixed.divisors.push_back(ReadString(stream));
}

void ReadFixedPart(IByteStream& stream, ConfigFixedPart& fixed) {
    stream.Read(kHeaderSize);
    fixed.firstAddr = kNoFirstAddr;
    const std::uint8_t count = ReadByte(stream);
    fixed.items.emplace();
    for (std::uint8_t i = 0; i < count; ++i) {
        ReadItemRecord(stream, fixed);
    }
    fixed.addressLow = ReadByte(stream);
    fixed.serialSettings = ReadByte(stream);
    fixed.spare = ReadByte(stream);
    fixed.wiring = ReadByte(stream);
    fixed.outcome = SectionOutcome::Read;
}

void ReadProtocolSection(IByteStream& stream, const ItemList& items,
                         ConfigProtocolSection& section) {
    section.protoTag = ReadByte(stream);
    section.asduAddrSize = ReadByte(stream);
    section.ioaSize = ReadByte(stream);
    section.fixedFrame = ReadByte(stream);
    section.cotSize = ReadByte(stream);
    section.addressHigh = ReadByte(stream);
    stream.Read(kReservedSize);
    section.groups.emplace();
    for (std::size_t i = 0; i < items.Count() + kExtraRows; ++i) {
        section.groups->push_back(ReadByte(stream));
    }
    section.outcome = SectionOutcome::Read;
}

void ReadAttributes(IByteStream& stream, const ItemList& items, ConfigMeasurementSection& section) {
    for (std::size_t item = 0; item < items.Count(); ++item) {
        if (IsTimeItem(items.Name(item))) {
            continue;
        }
        const ByteArray attributes = stream.Read(kAttributeSize);
        section.itemAttr.insert(section.itemAttr.end(), attributes.begin(), attributes.end());
        section.attrBit6.push_back((At(attributes, kFlagAttribute) >> kFlagBit) & 1);
    }
}

void ReadRatios(IByteStream& stream, ConfigMeasurementSection& section) {
    section.ratioBytes = stream.Read(kRatioSize);
    section.ratios = TransformerRatios{ReadBigEndian24(section.ratioBytes, kKnOffset),
                                       ReadBigEndian24(section.ratioBytes, kKtOffset)};
}

// There are more slots than items have room for when there are 17 or fewer, which ends the
// section in an IndexFailure.
void ReadRanges(IByteStream& stream, const ItemList& items, ConfigMeasurementSection& section) {
    section.ranges.emplace();
    const std::size_t slots = 2 * items.Count() + kExtraRangeSlots;
    for (std::size_t slot = 0; slot < slots; ++slot) {
        if (!IsTimeItem(OwnerName(items, slot))) {
            section.ranges->push_back(ReadWord(stream));
        }
    }
}

void ReadMeasurementSection(IByteStream& stream, const ItemList& items,
                            ConfigMeasurementSection& section) {
    section.nominalCode = ReadByte(stream);
    ReadAttributes(stream, items, section);
    ReadRatios(stream, section);
    ReadRanges(stream, items, section);
    section.outcome = SectionOutcome::Read;
}

// Defaults for the attributes, ratios and ranges of a section that could not be read. A row
// without an owner is an IndexFailure that is not absorbed; the ranges read so far then stay.
void RecoverMeasurementSection(const ItemList& items, ConfigMeasurementSection& section) {
    section.itemAttr.clear();
    section.ratioBytes.clear();
    section.attrBit6.clear();
    const std::size_t rows = items.Count() + kExtraRows;
    std::size_t ownedRows = 0;
    for (std::size_t row = 0; row < rows; ++row) {
        ownedRows += IsTimeItem(OwnerName(items, row)) ? 0 : 1;
    }
    section.itemAttr.assign(kAttributeSize * ownedRows, 0);
    for (std::size_t value = 0; value < kRatioSize / kRecoveredRatio.size(); ++value) {
        section.ratioBytes.insert(section.ratioBytes.end(), kRecoveredRatio.begin(),
                                  kRecoveredRatio.end());
    }
    WordArray ranges;
    for (std::size_t row = 0; row < rows; ++row) {
        const std::string& owner = OwnerName(items, row);
        if (IsTimeItem(owner)) {
            continue;
        }
        const bool frequency = owner.find(kFrequencyWord) != std::string::npos;
        ranges.push_back(frequency ? kFrequencyRangeLow : kRangeLow);
        ranges.push_back(frequency ? kFrequencyRangeHigh : kRangeHigh);
    }
    section.ranges = std::move(ranges);
    section.outcome = SectionOutcome::Recovered;
}

ConfigFixedPart DecodeFixedPart(IByteStream& stream) {
    ConfigFixedPart fixed;
    try {
        ReadFixedPart(stream, fixed);
    } catch (const ReadFailure& failure) {
        fixed.outcome = SectionOutcome::Failed;
        fixed.failure = failure.GetKind();
    }
    return fixed;
}

ConfigProtocolSection DecodeProtocolSection(IByteStream& stream, const ItemList& items) {
    ConfigProtocolSection section;
    try {
        ReadProtocolSection(stream, items, section);
    } catch (const ConfigFailure&) {
        // Older files end here or early; what was read stands, the rest keeps its values.
    }
    return section;
}

ConfigMeasurementSection DecodeMeasurementSection(IByteStream& stream, const ItemList& items) {
    ConfigMeasurementSection section;
    try {
        ReadMeasurementSection(stream, items, section);
    } catch (const ConfigFailure&) {
        try {
            RecoverMeasurementSection(items, section);
        } catch (const IndexFailure&) {
            section.outcome = SectionOutcome::Failed;
        }
    }
    return section;
}

}  // namespace

Configuration DecodeConfiguration(IByteStream& stream) {
    Configuration config;
    config.fixed = DecodeFixedPart(stream);
    if (config.fixed.outcome == SectionOutcome::Failed) {
        return config;
    }
    const ItemList items(*config.fixed.items);
    config.protocol = DecodeProtocolSection(stream, items);
    config.measurement = DecodeMeasurementSection(stream, items);
    return config;
}

std::optional<std::string> LoadFailureText(const Configuration& config) {
    if (config.fixed.outcome == SectionOutcome::Failed) {
        return ReadFailure(config.fixed.failure).what();
    }
    if (config.measurement && config.measurement->outcome == SectionOutcome::Failed) {
        return IndexFailure().what();
    }
    return std::nullopt;
}

}  // namespace vantor

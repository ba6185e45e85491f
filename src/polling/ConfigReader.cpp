#include "polling/ConfigReader.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "config/ConfigFields.h"
#include "config/Protocol.h"
#include "polling/MorvikDlg.h"
#include "text/QuantityMatch.h"
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
constexpr std::size_t kAttributeSize = 4;
constexpr std::size_t kRatioSize = 18;
constexpr std::size_t kKnOffset = 0;
constexpr std::size_t kKtOffset = 9;

struct Nominal {
    double unom;
    double inom;
};
constexpr std::array<Nominal, 8> kNominals = {{{100, 5.0},
                                               {100, 2.5},
                                               {100, 1.0},
                                               {100, 0.5},
                                               {380, 5.0},
                                               {380, 2.5},
                                               {380, 1.0},
                                               {380, 0.5}}};

// A wiring without the neutral has no phase quantities: these keys are never present then.
constexpr std::uint8_t kWiringWithoutNeutral = 32;
constexpr std::array<std::size_t, 18> kPhaseQuantityKeys = {0,  1,  2,  3,  7,  11, 12, 13, 15,
                                                            16, 17, 19, 20, 21, 23, 24, 25, 27};

// Default ranges of a recovered configuration: around 50 Hz for a frequency, 10 to 110 % of
// the nominal code for anything else.
constexpr std::uint16_t kFrequencyRangeLow = 49500;
constexpr std::uint16_t kFrequencyRangeHigh = 50500;
constexpr std::uint16_t kRangeLow = 500;
constexpr std::uint16_t kRangeHigh = 5500;
constexpr const char* kFrequencyWord = "Частота";

std::size_t ActiveItemCount(const CMorvikDlg& dlg) {
    return ItemList(dlg.m_saItems).Count();
}

// An item the file's layout needs but the item list does not hold is a failure of the file.
const std::string& ItemName(const CMorvikDlg& dlg, std::size_t item) {
    if (item >= ActiveItemCount(dlg)) {
        throw IndexFailure();
    }
    return ItemList(dlg.m_saItems).Name(item);
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

void ReadItemRecord(IByteStream& stream, CMorvikDlg& dlg) {
    std::string name = ReadString(stream);
    MendPrimedQ(name);
    std::string address = ReadString(stream);
    std::string size = ReadString(stream);
    if (ReadDword(stream) == kActiveKind) {
        if (dlg.m_nFirstAddr == kNoFirstAddr) {
            dlg.m_nFirstAddr = static_cast<std::uint32_t>(ParseHexText(address));
        }
        ItemList::Append(dlg.m_saItems, std::move(name), std::move(address), std::move(size));
    }
    // Divisors are kept for every record, so they stay indexed by record.
    dlg.m_saDivisors.push_back(ReadString(stream));
}

void ReadFixedPart(IByteStream& stream, CMorvikDlg& dlg) {
    stream.Read(kHeaderSize);
    dlg.m_nFirstAddr = kNoFirstAddr;
    const std::uint8_t count = ReadByte(stream);
    dlg.m_saItems.clear();
    for (std::uint8_t i = 0; i < count; ++i) {
        ReadItemRecord(stream, dlg);
    }
    dlg.m_nDevAddr = ReadByte(stream);
    dlg.ApplySerialSettings(ReadByte(stream));
    dlg.m_nCfgSpare = ReadByte(stream);
    dlg.m_nWiring = ReadByte(stream);
}

void ReadProtocolSection(IByteStream& stream, CMorvikDlg& dlg) {
    dlg.m_nProtoTag = ReadByte(stream);
    dlg.m_nIecAsduAddrSize = ReadByte(stream);
    dlg.m_nIecIoaSize = ReadByte(stream);
    dlg.m_nIecFixedFrame = ReadByte(stream);
    dlg.m_nIecCotSize = ReadByte(stream);
    dlg.m_nDevAddrHigh = ReadByte(stream);
    dlg.m_nDevAddr = static_cast<std::uint16_t>(dlg.m_nDevAddr + 256 * dlg.m_nDevAddrHigh);
    stream.Read(kReservedSize);
    dlg.m_baItemCot.clear();
    const std::size_t groupCount = ActiveItemCount(dlg) + kExtraRows;
    for (std::size_t i = 0; i < groupCount; ++i) {
        dlg.m_baItemCot.push_back(ReadByte(stream));
    }
    dlg.m_nProtocol = dlg.m_nProtoTag == kIecProtoTag ? kIecProtocol : kModbusProtocol;
}

void ReadNominal(IByteStream& stream, CMorvikDlg& dlg) {
    dlg.m_nNomCode = ReadByte(stream);
    if (dlg.m_nNomCode < kNominals.size()) {
        dlg.m_dUnom = kNominals[dlg.m_nNomCode].unom;
        dlg.m_dInom = kNominals[dlg.m_nNomCode].inom;
    }
}

void ReadAttributes(IByteStream& stream, CMorvikDlg& dlg) {
    dlg.m_baItemAttr.clear();
    dlg.m_baAttrBit6.clear();
    for (std::size_t item = 0; item < ActiveItemCount(dlg); ++item) {
        if (IsTimeItem(ItemName(dlg, item))) {
            continue;
        }
        const ByteArray attributes = stream.Read(kAttributeSize);
        dlg.m_baItemAttr.insert(dlg.m_baItemAttr.end(), attributes.begin(), attributes.end());
        dlg.m_baAttrBit6.push_back((At(attributes, 3) >> 6) & 1);
    }
}

void ReadRatios(IByteStream& stream, CMorvikDlg& dlg) {
    dlg.m_baRatioBytes = stream.Read(kRatioSize);
    dlg.m_nKn = ReadBigEndian24(dlg.m_baRatioBytes, kKnOffset);
    dlg.m_nKt = ReadBigEndian24(dlg.m_baRatioBytes, kKtOffset);
}

// Slot s belongs to item s / 3; there are more slots than items have room for when there are
// 17 or fewer, which ends the section in an IndexFailure.
void ReadRanges(IByteStream& stream, CMorvikDlg& dlg) {
    dlg.m_waRanges.clear();
    const std::size_t slots = 2 * ActiveItemCount(dlg) + kExtraRangeSlots;
    for (std::size_t slot = 0; slot < slots; ++slot) {
        if (!IsTimeItem(ItemName(dlg, slot / 3))) {
            dlg.m_waRanges.push_back(ReadWord(stream));
        }
    }
}

void ReadMeasurementSection(IByteStream& stream, CMorvikDlg& dlg) {
    ReadNominal(stream, dlg);
    dlg.ResetValues();
    dlg.RecomputeAllCoefficients();
    dlg.RefreshValues();
    ReadAttributes(stream, dlg);
    ReadRatios(stream, dlg);
    ChooseUnitDivisors(dlg);
    // The caption update first takes the controls into the state, and the protocol buttons
    // still show the choice made before this file; the file's choice must survive it.
    const int protocol = dlg.m_nProtocol;
    dlg.UpdateUnitCaptions();
    dlg.m_nProtocol = protocol;
    ReadRanges(stream, dlg);
}

// Defaults for the attributes, ratios and ranges of a section that could not be read. Rows
// are owned like range slots; a row without an owner is an IndexFailure that is not absorbed.
void RecoverMeasurementSection(CMorvikDlg& dlg) {
    dlg.m_baItemAttr.clear();
    dlg.m_baRatioBytes.clear();
    dlg.m_baAttrBit6.clear();
    const std::size_t rows = ActiveItemCount(dlg) + kExtraRows;
    std::size_t ownedRows = 0;
    for (std::size_t row = 0; row < rows; ++row) {
        ownedRows += IsTimeItem(ItemName(dlg, row / 3)) ? 0 : 1;
    }
    dlg.m_baItemAttr.assign(kAttributeSize * ownedRows, 0);
    for (std::size_t value = 0; value < kRatioSize / 3; ++value) {
        dlg.m_baRatioBytes.insert(dlg.m_baRatioBytes.end(), {0, 0, 1});
    }
    dlg.m_waRanges.clear();
    for (std::size_t row = 0; row < rows; ++row) {
        const std::string& owner = ItemName(dlg, row / 3);
        if (IsTimeItem(owner)) {
            continue;
        }
        const bool frequency = owner.find(kFrequencyWord) != std::string::npos;
        dlg.m_waRanges.push_back(frequency ? kFrequencyRangeLow : kRangeLow);
        dlg.m_waRanges.push_back(frequency ? kFrequencyRangeHigh : kRangeHigh);
    }
}

}  // namespace

void ReadConfiguration(IByteStream& stream, CMorvikDlg& dlg) {
    ReadFixedPart(stream, dlg);
    try {
        ReadProtocolSection(stream, dlg);
    } catch (const ConfigFailure&) {
        // Older files end here or early; what was read stays, the rest keeps its values.
    }
    try {
        ReadMeasurementSection(stream, dlg);
    } catch (const ConfigFailure&) {
        RecoverMeasurementSection(dlg);
    }
}

void UpdateActiveQuantities(CMorvikDlg& dlg) {
    for (std::size_t key = 0; key < dlg.m_saQtyKeys.size(); ++key) {
        At(dlg.m_baActive, key) = 0;
    }
    for (std::size_t item = 0; item < ActiveItemCount(dlg); ++item) {
        if (const auto key = FindQuantityKey(ItemName(dlg, item), dlg.m_saQtyKeys)) {
            At(dlg.m_baActive, *key) = 1;
        }
    }
    if (dlg.m_nWiring == kWiringWithoutNeutral) {
        for (const std::size_t key : kPhaseQuantityKeys) {
            At(dlg.m_baActive, key) = 0;
        }
    }
}

void ChooseUnitDivisors(CMorvikDlg& dlg) {
    // The primary values at 120 % of the nominal input.
    const double voltage = static_cast<double>(dlg.m_nKn) * dlg.m_kUph * 1.2 * 5000.0;
    const double current = static_cast<double>(dlg.m_nKt) * dlg.m_kI * 1.2 * 5000.0;
    const double power = voltage * current;
    dlg.m_nUnitU = dlg.m_nUnitI = dlg.m_nUnitP = 1;
    if (std::trunc(voltage / 1000.0) >= 1) {
        dlg.m_nUnitU = 1000;
    }
    if (std::trunc(voltage / 1000000.0) >= 1) {
        dlg.m_nUnitU = 1000000;
    }
    if (std::trunc(current / 1000.0) >= 1) {
        dlg.m_nUnitI = 1000;
    }
    if (std::trunc(power / 1000.0) >= 1) {
        dlg.m_nUnitP = 1000;
    }
    if (std::trunc(power / 1000000.0) >= 1) {
        dlg.m_nUnitP = 1000000;
    }
}

}  // namespace vantor

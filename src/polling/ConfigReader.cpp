#include "polling/ConfigReader.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "config/ConfigDecoder.h"
#include "config/Protocol.h"
#include "display/Conversion.h"
#include "polling/MorvikDlg.h"
#include "text/QuantityMatch.h"

namespace vantor {
namespace {

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

constexpr unsigned kHighByte = 256;
// The units are chosen for the primary values at 120 % of the nominal input.
constexpr double kRangeOverNominal = 1.2;

// A field the file did not reach keeps the value it had.
template <typename Field, typename Value>
void AssignIfRead(Field& field, const std::optional<Value>& value) {
    if (value) {
        field = *value;
    }
}

void ApplyFixedPart(const ConfigFixedPart& fixed, CMorvikDlg& dlg) {
    AssignIfRead(dlg.m_nFirstAddr, fixed.firstAddr);
    AssignIfRead(dlg.m_saItems, fixed.items);
    // The file page empties the divisors before the file is chosen; a load only adds to them.
    dlg.m_saDivisors.insert(dlg.m_saDivisors.end(), fixed.divisors.begin(), fixed.divisors.end());
    AssignIfRead(dlg.m_nDevAddr, fixed.addressLow);
    if (fixed.serialSettings) {
        dlg.ApplySerialSettings(*fixed.serialSettings);
    }
    AssignIfRead(dlg.m_nCfgSpare, fixed.spare);
    AssignIfRead(dlg.m_nWiring, fixed.wiring);
    if (fixed.outcome == SectionOutcome::Failed) {
        throw ReadFailure(fixed.failure);
    }
}

void ApplyProtocolSection(const ConfigProtocolSection& section, CMorvikDlg& dlg) {
    AssignIfRead(dlg.m_nProtoTag, section.protoTag);
    AssignIfRead(dlg.m_nIecAsduAddrSize, section.asduAddrSize);
    AssignIfRead(dlg.m_nIecIoaSize, section.ioaSize);
    AssignIfRead(dlg.m_nIecFixedFrame, section.fixedFrame);
    AssignIfRead(dlg.m_nIecCotSize, section.cotSize);
    if (section.addressHigh) {
        dlg.m_nDevAddrHigh = *section.addressHigh;
        dlg.m_nDevAddr =
            static_cast<std::uint16_t>(dlg.m_nDevAddr + kHighByte * dlg.m_nDevAddrHigh);
    }
    AssignIfRead(dlg.m_baItemCot, section.groups);
    if (section.outcome == SectionOutcome::Read) {
        dlg.m_nProtocol = dlg.m_nProtoTag == kIecProtoTag ? kIecProtocol : kModbusProtocol;
    }
}

void ApplyNominal(std::uint8_t code, CMorvikDlg& dlg) {
    dlg.m_nNomCode = code;
    if (code < kNominals.size()) {
        dlg.m_dUnom = kNominals[code].unom;
        dlg.m_dInom = kNominals[code].inom;
    }
    dlg.ResetValues();
    dlg.RecomputeAllCoefficients();
    dlg.RefreshValues();
}

void ApplyRatios(const TransformerRatios& ratios, CMorvikDlg& dlg) {
    dlg.m_nKn = ratios.kn;
    dlg.m_nKt = ratios.kt;
    ChooseUnitDivisors(dlg);
    // The caption update first takes the controls into the state, and the protocol buttons
    // still show the choice made before this file; the file's choice must survive it.
    const int protocol = dlg.m_nProtocol;
    dlg.UpdateUnitCaptions();
    dlg.m_nProtocol = protocol;
}

void ApplyMeasurementSection(const ConfigMeasurementSection& section, CMorvikDlg& dlg) {
    if (section.nominalCode) {
        ApplyNominal(*section.nominalCode, dlg);
    }
    if (section.ratios) {
        ApplyRatios(*section.ratios, dlg);
    }
    dlg.m_baItemAttr = section.itemAttr;
    dlg.m_baAttrBit6 = section.attrBit6;
    dlg.m_baRatioBytes = section.ratioBytes;
    AssignIfRead(dlg.m_waRanges, section.ranges);
    if (section.outcome == SectionOutcome::Failed) {
        throw IndexFailure();
    }
}

}  // namespace

void ReadConfiguration(IByteStream& stream, CMorvikDlg& dlg) {
    ApplyConfiguration(DecodeConfiguration(stream), dlg);
}

void ApplyConfiguration(const Configuration& config, CMorvikDlg& dlg) {
    ApplyFixedPart(config.fixed, dlg);
    if (config.protocol) {
        ApplyProtocolSection(*config.protocol, dlg);
    }
    if (config.measurement) {
        ApplyMeasurementSection(*config.measurement, dlg);
    }
}

void UpdateActiveQuantities(CMorvikDlg& dlg) {
    for (std::size_t key = 0; key < dlg.m_saQtyKeys.size(); ++key) {
        At(dlg.m_baActive, key) = 0;
    }
    const ItemList items(dlg.m_saItems);
    for (std::size_t item = 0; item < items.Count(); ++item) {
        if (const auto key = FindQuantityKey(items.Name(item), dlg.m_saQtyKeys)) {
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
    const double voltage =
        static_cast<double>(dlg.m_nKn) * dlg.m_kUph * kRangeOverNominal * kNominalCode;
    const double current =
        static_cast<double>(dlg.m_nKt) * dlg.m_kI * kRangeOverNominal * kNominalCode;
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

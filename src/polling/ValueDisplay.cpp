#include <array>

#include "display/Conversion.h"
#include "polling/MorvikDlg.h"
#include "text/ClockText.h"

namespace vantor {
namespace {

// How the quantities of one group become physical values.
struct ConversionGroup {
    double CMorvikDlg::*coefficient;
    bool byKn;
    bool byKt;
    std::uint32_t CMorvikDlg::*unit;
    ShortestPrecision shortest;
};

constexpr ConversionGroup kPhaseVoltage{&CMorvikDlg::m_kUph, true, false, &CMorvikDlg::m_nUnitU,
                                        ShortestPrecision::TwoDecimals};
constexpr ConversionGroup kCurrent{&CMorvikDlg::m_kI, false, true, &CMorvikDlg::m_nUnitI,
                                   ShortestPrecision::TwoDecimals};
constexpr ConversionGroup kLineVoltage{&CMorvikDlg::m_kUl, true, false, &CMorvikDlg::m_nUnitU,
                                       ShortestPrecision::OneDecimal};
constexpr ConversionGroup kPhasePower{&CMorvikDlg::m_kPph, true, true, &CMorvikDlg::m_nUnitP,
                                      ShortestPrecision::TwoDecimals};
constexpr ConversionGroup kTotalPower{&CMorvikDlg::m_kP, true, true, &CMorvikDlg::m_nUnitP,
                                      ShortestPrecision::OneDecimal};

struct ValueField {
    RawIndex raw;
    std::string CMorvikDlg::*text;
    const ConversionGroup& group;
};

using D = CMorvikDlg;
const std::array<ValueField, kRawCount> kValueFields = {{
    {kRawUa, &D::m_strUa, kPhaseVoltage},  {kRawUb, &D::m_strUb, kPhaseVoltage},
    {kRawUc, &D::m_strUc, kPhaseVoltage},  {kRawUfcp, &D::m_strUfcp, kPhaseVoltage},
    {kRawUo, &D::m_strUo, kPhaseVoltage},  {kRawIa, &D::m_strIa, kCurrent},
    {kRawIb, &D::m_strIb, kCurrent},       {kRawIc, &D::m_strIc, kCurrent},
    {kRawIcp, &D::m_strIcp, kCurrent},     {kRawIo, &D::m_strIo, kCurrent},
    {kRawUab, &D::m_strUab, kLineVoltage}, {kRawUbc, &D::m_strUbc, kLineVoltage},
    {kRawUca, &D::m_strUca, kLineVoltage}, {kRawUcp, &D::m_strUcp, kLineVoltage},
    {kRawPa, &D::m_strPa, kPhasePower},    {kRawPb, &D::m_strPb, kPhasePower},
    {kRawPc, &D::m_strPc, kPhasePower},    {kRawP, &D::m_strP, kTotalPower},
    {kRawQa, &D::m_strQa, kPhasePower},    {kRawQb, &D::m_strQb, kPhasePower},
    {kRawQc, &D::m_strQc, kPhasePower},    {kRawQ, &D::m_strQ, kTotalPower},
    {kRawSa, &D::m_strSa, kPhasePower},    {kRawSb, &D::m_strSb, kPhasePower},
    {kRawSc, &D::m_strSc, kPhasePower},    {kRawS, &D::m_strS, kTotalPower},
    {kRawQfa, &D::m_strQfa, kPhasePower},  {kRawQfb, &D::m_strQfb, kPhasePower},
    {kRawQfc, &D::m_strQfc, kPhasePower},
}};

// A unit divisor is 1, 1000 or 1000000 once initialised; before that it is 0, and a value
// shown then stays unscaled rather than infinite.
double UnitDivisor(std::uint32_t divisor) {
    return divisor == 0 ? 1.0 : static_cast<double>(divisor);
}

// Rounded to thousandths of the device's own unit first, then scaled to the primary side.
double PhysicalValue(const CMorvikDlg& dlg, const ValueField& field) {
    const ConversionGroup& group = field.group;
    const double code = dlg.m_raw[field.raw];
    double value = RoundCode(code * (dlg.*group.coefficient) * 1000.0) / 1000.0;
    if (group.byKn) {
        value *= static_cast<double>(dlg.m_nKn);
    }
    if (group.byKt) {
        value *= static_cast<double>(dlg.m_nKt);
    }
    return value / UnitDivisor(dlg.*group.unit);
}

// A group box whose caption names the unit chosen by a divisor of 1, 1000 or 1000000.
struct UnitCaption {
    int id;
    std::uint32_t CMorvikDlg::*unit;
    const char* codeCaption;
    std::array<const char*, 3> byDivisor;
};

const std::array<UnitCaption, 5> kUnitCaptions = {{
    {ctl::kVoltageGroup,
     &D::m_nUnitU,
     "Напряжение",
     {"Напряжение, В", "Напряжение, кВ", "Напряжение, МВ"}},
    {ctl::kActivePowerGroup,
     &D::m_nUnitP,
     "Активная мощность",
     {"Активная мощность, Вт", "Активная мощность, кВт", "Активная мощность, МВт"}},
    {ctl::kReactivePowerGroup,
     &D::m_nUnitP,
     "Реактивная мощность",
     {"Реактивная мощность, вар", "Реактивная мощность, квар", "Реактивная мощность, Мвар"}},
    {ctl::kApparentPowerGroup,
     &D::m_nUnitP,
     "Полная мощность",
     {"Полная мощность, ВА", "Полная мощность, кВА", "Полная мощность, МВА"}},
    {ctl::kQfGroup,
     &D::m_nUnitP,
     "Реактивная мощность",
     {"Реактивная мощность (Qf),вар", "Реактивная мощность (Qf),квар",
      "Реактивная мощность (Qf),Мвар"}},
}};

// The caption for a divisor; none for a divisor that names no unit, which keeps the old one.
const char* CaptionForDivisor(const UnitCaption& caption, std::uint32_t divisor) {
    switch (divisor) {
        case 1:
            return caption.byDivisor[0];
        case 1000:
            return caption.byDivisor[1];
        case 1000000:
            return caption.byDivisor[2];
        default:
            return nullptr;
    }
}

void ShowPhysicalCaptions(CMorvikDlg& dlg) {
    IDialogWindow& wnd = dlg.Window();
    wnd.SetControlText(ctl::kPhysicalCheck, "Физ. ед");
    wnd.SetControlText(ctl::kCurrentGroup, dlg.m_nUnitI == 1000 ? "Ток, кА" : "Ток, А");
    for (const UnitCaption& caption : kUnitCaptions) {
        if (const char* text = CaptionForDivisor(caption, dlg.*caption.unit)) {
            wnd.SetControlText(caption.id, text);
        }
    }
    wnd.SetControlText(ctl::kFrequencyGroup, "Частота, Гц");
    wnd.SetControlText(ctl::kKnText, "Кн = " + std::to_string(dlg.m_nKn));
    wnd.SetControlText(ctl::kKtText, "Кт = " + std::to_string(dlg.m_nKt));
    wnd.ShowControl(ctl::kRatioGroup, true);
}

void ShowCodeCaptions(CMorvikDlg& dlg) {
    IDialogWindow& wnd = dlg.Window();
    wnd.SetControlText(ctl::kPhysicalCheck, "Код");
    wnd.SetControlText(ctl::kCurrentGroup, "Ток");
    for (const UnitCaption& caption : kUnitCaptions) {
        wnd.SetControlText(caption.id, caption.codeCaption);
    }
    wnd.SetControlText(ctl::kFrequencyGroup, "Частота");
    wnd.SetControlText(ctl::kKnText, "");
    wnd.SetControlText(ctl::kKtText, "");
    wnd.ShowControl(ctl::kRatioGroup, false);
}

}  // namespace

void CMorvikDlg::RefreshValues() {
    for (const ValueField& field : kValueFields) {
        this->*field.text = m_bPhysical
                                ? FormatPhysical(PhysicalValue(*this, field), field.group.shortest)
                                : FormatCode(m_raw[field.raw]);
    }
    m_strFreq = m_bPhysical ? FormatFrequency(FrequencyHertz(m_dFreqRaw)) : FormatCode(m_dFreqRaw);
    m_strDevTime = ClockText(m_nDevHour, m_nDevMin, m_nDevMs, " : ", '.');
    m_strAsdu = std::to_string(m_nAsduType);
}

void CMorvikDlg::ResetValues() {
    m_dFreqRaw = 0;
    m_strFreq = FormatFrequency(0.0);
    m_raw.fill(0);
}

void CMorvikDlg::UpdateUnitCaptions() {
    UpdateData(true);
    if (m_bPhysical) {
        ShowPhysicalCaptions(*this);
    } else {
        ShowCodeCaptions(*this);
    }
    RefreshValues();
    UpdateData(false);
}

void CMorvikDlg::RecomputeVoltageCoefficients() {
    m_kUph = PhaseVoltageCoefficient(m_dUnom);
    m_kUl = LineVoltageCoefficient(m_dUnom);
    m_kPph = PhasePowerCoefficient(m_dUnom, m_dInom);
    m_kP = 3.0 * m_kPph;
}

void CMorvikDlg::RecomputeCurrentCoefficients() {
    m_kI = CurrentCoefficient(m_dInom);
    m_kPph = PhasePowerCoefficient(m_dUnom, m_dInom);
    m_kP = 3.0 * m_kPph;
}

void CMorvikDlg::RecomputeAllCoefficients() {
    RecomputeVoltageCoefficients();
    m_kI = CurrentCoefficient(m_dInom);
}

}  // namespace vantor

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "display/Conversion.h"
#include "polling/MorvikDlg.h"
#include "support/FakePlatform.h"
#include "support/RecordingWindow.h"

namespace vantor {
namespace {

using test::FakePlatform;
using test::RecordingWindow;

TEST(RoundCode, RoundsHalfAwayFromZeroAtTheFirstDecimal) {
    struct Case {
        double x;
        std::int32_t expected;
    };
    const Case cases[] = {
        {0.0, 0},
        {2.4, 2},
        {2.5, 3},
        {2.99, 3},
        {57734.99, 57735},
        // Negative values round to the nearest integer as well, not one step toward zero.
        {-2.4, -2},
        {-2.5, -3},
        {-71244.99, -71245},
        {-71244.3, -71244},
        {-0.6, -1},
        // Nothing outside the 32-bit range is converted undefined.
        {1e12, std::numeric_limits<std::int32_t>::max()},
        {-1e12, std::numeric_limits<std::int32_t>::min()},
        {std::numeric_limits<double>::infinity(), std::numeric_limits<std::int32_t>::max()},
        {std::nan(""), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundCode(c.x), c.expected) << c.x;
    }
}

TEST(Coefficients, FollowTheNominalValues) {
    struct Case {
        double unom, inom, kUph, kUl, kI, kPph;
    };
    const Case cases[] = {
        {100, 5, 0.0115470054, 0.02, 0.001, 0.0577350269},
        {380, 5, 0.0438786205, 0.076, 0.001, 0.2193931023},
        {100, 0.5, 0.0115470054, 0.02, 0.0001, 0.0057735027},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(PhaseVoltageCoefficient(c.unom), c.kUph, 1e-10);
        EXPECT_NEAR(LineVoltageCoefficient(c.unom), c.kUl, 1e-10);
        EXPECT_NEAR(CurrentCoefficient(c.inom), c.kI, 1e-10);
        EXPECT_NEAR(PhasePowerCoefficient(c.unom, c.inom), c.kPph, 1e-10);
    }
}

class ValueDisplay : public ::testing::Test {
protected:
    ValueDisplay() {
        dlg.m_dUnom = 100.0;
        dlg.m_dInom = 5.0;
        dlg.RecomputeAllCoefficients();
        dlg.m_nKn = dlg.m_nKt = 1;
        dlg.m_nUnitU = dlg.m_nUnitI = dlg.m_nUnitP = 1;
    }

    FakePlatform fake;
    RecordingWindow window;
    CMorvikDlg dlg{window, fake.platform};
};

struct FieldCase {
    RawIndex raw;
    std::string CMorvikDlg::*text;
    std::int16_t code;
    const char* physical;
    const char* rawText;
};

TEST_F(ValueDisplay, ShowsCodesAndPhysicalValues) {
    using D = CMorvikDlg;
    const FieldCase cases[] = {
        {kRawUa, &D::m_strUa, 5000, "57.735", "5000"},  // 6 characters: kept at 3 decimals
        {kRawUab, &D::m_strUab, 5000, "100.00", "5000"},
        {kRawIa, &D::m_strIa, 5000, "5.000", "5000"},
        {kRawPa, &D::m_strPa, 5000, "288.68", "5000"},  // 288.675 at 2 decimals
        {kRawP, &D::m_strP, 5000, "866.02", "5000"},    // 866.025 lies just below
        {kRawQfc, &D::m_strQfc, 5000, "288.68", "5000"},
        {kRawP, &D::m_strP, 32767, "5675.4", "32767"},     // 5675.411 needs the 1-decimal step
        {kRawSb, &D::m_strSb, 32767, "1891.80", "32767"},  // no 1-decimal step for phase power
        {kRawIo, &D::m_strIo, -1234, "-1.234", "-1234"},
        // -11.547 and -23.094 thousandths: nearest, not one step toward zero.
        {kRawUfcp, &D::m_strUfcp, -1, "-0.012", "-1"},
        {kRawUo, &D::m_strUo, -2, "-0.023", "-2"},
    };
    for (const auto& c : cases) {
        dlg.m_raw.fill(0);
        dlg.m_raw[c.raw] = c.code;
        dlg.m_bPhysical = TRUE;
        dlg.RefreshValues();
        EXPECT_EQ(dlg.*c.text, c.physical) << c.raw;
        dlg.m_bPhysical = FALSE;
        dlg.RefreshValues();
        EXPECT_EQ(dlg.*c.text, c.rawText) << c.raw;
    }
}

TEST_F(ValueDisplay, ScalesByRatiosAndUnits) {
    dlg.m_nKn = 100;
    dlg.m_nKt = 200;
    dlg.m_nUnitU = 1000;
    dlg.m_nUnitI = 1000;
    dlg.m_nUnitP = 1000000;
    dlg.m_raw[kRawUa] = 5000;
    dlg.m_raw[kRawIa] = 5000;
    dlg.m_raw[kRawP] = 5000;
    dlg.m_bPhysical = TRUE;
    dlg.RefreshValues();
    EXPECT_EQ(dlg.m_strUa, "5.774");  // 57.735 V x 100 in kV
    EXPECT_EQ(dlg.m_strIa, "1.000");  // 5 A x 200 in kA
    EXPECT_EQ(dlg.m_strP, "17.320");  // 866.025 W x 20000 in MW
}

TEST_F(ValueDisplay, RecognisesTheFrequencyScale) {
    struct Case {
        double code;
        const char* physical;
        const char* rawText;
    };
    const Case cases[] = {
        {50000, "50.000", "50000"}, {5000, "50.000", "5000"},   {500, "50.000", "500"},
        {50, "50.000", "50"},       {49987, "49.987", "49987"}, {99, "99.000", "99"},
        {100, "0.100", "100"},  // no scale condition holds
        {65535, "65.535", "65535"},
    };
    for (const auto& c : cases) {
        dlg.m_dFreqRaw = c.code;
        dlg.m_bPhysical = TRUE;
        dlg.RefreshValues();
        EXPECT_EQ(dlg.m_strFreq, c.physical) << c.code;
        dlg.m_bPhysical = FALSE;
        dlg.RefreshValues();
        EXPECT_EQ(dlg.m_strFreq, c.rawText) << c.code;
    }
}

TEST_F(ValueDisplay, ResetGivesZerosEverywhere) {
    dlg.m_raw.fill(1234);
    dlg.m_dFreqRaw = 50000;
    dlg.m_strUa = "stale";
    dlg.ResetValues();
    EXPECT_EQ(dlg.m_strFreq, "0.000");
    EXPECT_EQ(dlg.m_strUa, "stale");  // until the next refresh
    dlg.m_bPhysical = TRUE;
    dlg.RefreshValues();
    for (const auto* text : {&dlg.m_strUa, &dlg.m_strUab, &dlg.m_strIo, &dlg.m_strP, &dlg.m_strQfc,
                             &dlg.m_strS, &dlg.m_strFreq}) {
        EXPECT_EQ(*text, "0.000");
    }
    EXPECT_EQ(dlg.m_strDevTime, "00 : 00 : 0.00");
}

TEST_F(ValueDisplay, FormatsClockAndAsduType) {
    dlg.m_nDevHour = 7;
    dlg.m_nDevMin = 5;
    dlg.m_nDevMs = 59999;
    dlg.m_nAsduType = 143;
    dlg.RefreshValues();
    EXPECT_EQ(dlg.m_strDevTime, "07 : 05 : 60.00");
    EXPECT_EQ(dlg.m_strAsdu, "143");
}

TEST_F(ValueDisplay, UnsetUnitDivisorLeavesValuesUnscaled) {
    dlg.m_nUnitU = 0;
    dlg.m_raw[kRawUa] = 5000;
    dlg.m_bPhysical = TRUE;
    dlg.RefreshValues();
    EXPECT_EQ(dlg.m_strUa, "57.735");
}

TEST_F(ValueDisplay, RecomputesOnlyWhatTheTriggerChanges) {
    dlg.m_kUph = 0.011547;
    dlg.m_kUl = 0.02;
    dlg.m_kI = 0.001;
    dlg.m_dUnom = 380.0;
    dlg.m_dInom = 1.0;
    dlg.RecomputeVoltageCoefficients();
    EXPECT_NEAR(dlg.m_kUph, 0.0438786205, 1e-10);
    EXPECT_NEAR(dlg.m_kUl, 0.076, 1e-12);
    EXPECT_EQ(dlg.m_kI, 0.001);  // the literal stays
    EXPECT_NEAR(dlg.m_kPph, 0.0438786205, 1e-10);
    EXPECT_EQ(dlg.m_kP, 3 * dlg.m_kPph);

    dlg.m_dUnom = 100.0;
    dlg.RecomputeCurrentCoefficients();
    EXPECT_NEAR(dlg.m_kI, 0.0002, 1e-12);
    EXPECT_NEAR(dlg.m_kUph, 0.0438786205, 1e-10);  // voltage untouched
    EXPECT_NEAR(dlg.m_kPph, 0.0115470054, 1e-10);
}

TEST_F(ValueDisplay, CaptionsFollowModeAndUnits) {
    window.onSave = [this] {
        dlg.m_bPhysical = TRUE;  // the operator ticked the check box
        return true;
    };
    dlg.m_nKn = 100;
    dlg.m_nKt = 200;
    dlg.m_nUnitU = 1000;
    dlg.m_nUnitI = 1000;
    dlg.m_nUnitP = 1000000;
    dlg.m_raw[kRawIa] = 5000;
    dlg.UpdateUnitCaptions();
    EXPECT_EQ(window.saves, 1);
    EXPECT_EQ(window.loads, 1);
    EXPECT_EQ(dlg.m_strIa, "1.000");  // refreshed before the transfer to the controls
    const std::pair<int, const char*> physical[] = {
        {ctl::kPhysicalCheck, "Физ. ед"},
        {ctl::kCurrentGroup, "Ток, кА"},
        {ctl::kVoltageGroup, "Напряжение, кВ"},
        {ctl::kActivePowerGroup, "Активная мощность, МВт"},
        {ctl::kReactivePowerGroup, "Реактивная мощность, Мвар"},
        {ctl::kApparentPowerGroup, "Полная мощность, МВА"},
        {ctl::kQfGroup, "Реактивная мощность (Qf),Мвар"},
        {ctl::kFrequencyGroup, "Частота, Гц"},
        {ctl::kKnText, "Кн = 100"},
        {ctl::kKtText, "Кт = 200"},
    };
    for (const auto& [id, text] : physical) {
        EXPECT_EQ(window.Control(id).text, text) << id;
    }
    EXPECT_TRUE(window.Control(ctl::kRatioGroup).shown);

    window.onSave = [this] {
        dlg.m_bPhysical = FALSE;
        return true;
    };
    dlg.UpdateUnitCaptions();
    const std::pair<int, const char*> codes[] = {
        {ctl::kPhysicalCheck, "Код"},
        {ctl::kCurrentGroup, "Ток"},
        {ctl::kVoltageGroup, "Напряжение"},
        {ctl::kActivePowerGroup, "Активная мощность"},
        {ctl::kReactivePowerGroup, "Реактивная мощность"},
        {ctl::kApparentPowerGroup, "Полная мощность"},
        {ctl::kQfGroup, "Реактивная мощность"},
        {ctl::kFrequencyGroup, "Частота"},
        {ctl::kKnText, ""},
        {ctl::kKtText, ""},
    };
    for (const auto& [id, text] : codes) {
        EXPECT_EQ(window.Control(id).text, text) << id;
    }
    EXPECT_FALSE(window.Control(ctl::kRatioGroup).shown);
}

TEST_F(ValueDisplay, UnitCaptionsForEachDivisor) {
    dlg.m_bPhysical = TRUE;
    struct Case {
        std::uint32_t divisor;
        const char* voltage;
        const char* current;
        const char* apparent;
    };
    const Case cases[] = {
        {1, "Напряжение, В", "Ток, А", "Полная мощность, ВА"},
        {1000, "Напряжение, кВ", "Ток, кА", "Полная мощность, кВА"},
        {1000000, "Напряжение, МВ", "Ток, А", "Полная мощность, МВА"},
        // A divisor that names no unit keeps the caption before it.
        {7, "Напряжение, МВ", "Ток, А", "Полная мощность, МВА"},
    };
    for (const auto& c : cases) {
        dlg.m_nUnitU = dlg.m_nUnitI = dlg.m_nUnitP = c.divisor;
        dlg.UpdateUnitCaptions();
        EXPECT_EQ(window.Control(ctl::kVoltageGroup).text, c.voltage) << c.divisor;
        EXPECT_EQ(window.Control(ctl::kCurrentGroup).text, c.current) << c.divisor;
        EXPECT_EQ(window.Control(ctl::kApparentPowerGroup).text, c.apparent) << c.divisor;
    }
}

}  // namespace
}  // namespace vantor

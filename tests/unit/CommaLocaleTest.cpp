#include <gtest/gtest.h>

#include "display/Conversion.h"
#include "log/LogText.h"
#include "support/ScopedLocale.h"
#include "text/ClockText.h"
#include "text/TextNumbers.h"

namespace vantor::test {
namespace {

// What users run: a locale whose decimal separator is a comma.
class UnderCommaLocale : public testing::Test {
protected:
    void SetUp() override {
        if (!locale.Active()) {
            GTEST_SKIP() << kCommaLocale << " is not available (see tools/run-tests.sh)";
        }
    }
    ScopedLocale locale{kCommaLocale};
};

TEST_F(UnderCommaLocale, ScreenTextsKeepTheDecimalPointAndTheLogItsComma) {
    EXPECT_EQ(FormatPhysical(57.735, ShortestPrecision::TwoDecimals), "57.735");
    EXPECT_EQ(FormatPhysical(100.0, ShortestPrecision::TwoDecimals), "100.00");
    EXPECT_EQ(FormatCode(12345.0), "12345");
    EXPECT_EQ(FormatFrequency(50.0), "50.000");
    EXPECT_EQ(ClockText(0, 0, 7250, " : ", '.'), "00 : 00 : 7.25");
    EXPECT_EQ(LogValueColumn(FormatPhysical(57.735, ShortestPrecision::TwoDecimals), true),
              "57,735\t");
    EXPECT_EQ(DeviceClockColumn(3, 7, 59990), "03:07:59,99\t");
}

TEST_F(UnderCommaLocale, DecimalTextsReadWithTheirPoint) {
    EXPECT_DOUBLE_EQ(ParseRealText("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(ParseRealText("0.5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseRealText("0.1"), 0.1);
    EXPECT_DOUBLE_EQ(ParseRealText("2,5"), 2.0);  // a comma ends the number, as in a .dat
}

}  // namespace
}  // namespace vantor::test

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/Protocol.h"
#include "support/ScopedLocale.h"
#include "support/WorkingStateFixture.h"
#include "text/QuantityMatch.h"
#include "text/TextNumbers.h"

namespace vantor::test {
namespace {

class PollBlocks : public WorkingStateFixture {
protected:
    std::vector<std::pair<std::uint32_t, std::uint16_t>> PlanBlocks(int count) {
        std::vector<std::pair<std::uint32_t, std::uint16_t>> blocks;
        for (int i = 0; i < count; ++i) {
            dlg.PlanNextBlock();
            blocks.emplace_back(dlg.m_nBlockAddr, dlg.m_nBlockCount);
        }
        return blocks;
    }
};

TEST(TextNumbers, ReadLikeTheCLibrary) {
    EXPECT_EQ(ParseHexText("100"), 0x100);
    EXPECT_EQ(ParseHexText("  0x1aZ"), 0x1A);
    EXPECT_EQ(ParseHexText("-10"), -0x10);
    EXPECT_EQ(ParseHexText("Время"), 0);
    EXPECT_EQ(ParseHexText(""), 0);
    EXPECT_EQ(ParseIntText(" 42 байта"), 42);
    EXPECT_EQ(ParseIntText("x"), 0);
    EXPECT_EQ(ParseIntText("99999999999999999999999"), std::numeric_limits<long>::max());
    EXPECT_DOUBLE_EQ(ParseRealText("2.5e1"), 25.0);
    EXPECT_DOUBLE_EQ(ParseRealText("нет"), 0.0);
    EXPECT_EQ(ParseHexText("0x"), 0);
    EXPECT_EQ(ParseIntText("-9223372036854775808"), std::numeric_limits<long>::min());
    EXPECT_EQ(ParseIntText("-99999999999999999999999"), std::numeric_limits<long>::min());
    // Decimal texts read as strtod reads them in the "C" locale.
    const std::pair<const char*, double> reals[] = {
        {" +1.5e3x", 1500.0}, {"-0.1", -0.1},        {".5", 0.5},     {"5.", 5.0},
        {"1e400", HUGE_VAL},  {"-1e400", -HUGE_VAL}, {"1e-400", 0.0}, {"0.000e999", 0.0},
        {"inf", HUGE_VAL},    {"e5", 0.0},           {"+-1", 0.0},    {"-", 0.0},
        {"12.34.5", 12.34},
    };
    for (const auto& [text, expected] : reals) {
        EXPECT_EQ(ParseRealText(text), expected) << text;
    }
    EXPECT_TRUE(std::isnan(ParseRealText("-nan")));
}

TEST(TextNumbers, FixedTextsAsPrintfWritesThemInTheCLocale) {
    struct Case {
        double value;
        std::array<const char*, 4> byDecimals;  // "%.0f" ... "%.3f"
    };
    const Case cases[] = {
        {0.0, {"0", "0.0", "0.00", "0.000"}},
        {-0.0, {"-0", "-0.0", "-0.00", "-0.000"}},
        {2.5, {"2", "2.5", "2.50", "2.500"}},  // exact halves round to even
        {3.5, {"4", "3.5", "3.50", "3.500"}},
        {0.125, {"0", "0.1", "0.12", "0.125"}},
        {2.675, {"3", "2.7", "2.67", "2.675"}},  // the double lies below 2.675
        {-1e-9, {"-0", "-0.0", "-0.00", "-0.000"}},
        {57.735, {"58", "57.7", "57.73", "57.735"}},
        {99.995, {"100", "100.0", "100.00", "99.995"}},
        {-0.5, {"-0", "-0.5", "-0.50", "-0.500"}},
        {1234567.891, {"1234568", "1234567.9", "1234567.89", "1234567.891"}},
    };
    for (const Case& c : cases) {
        for (int decimals = 0; decimals <= 3; ++decimals) {
            EXPECT_EQ(FormatFixed(c.value, decimals), c.byDecimals.at(decimals))
                << c.value << " " << decimals;
        }
    }
    EXPECT_EQ(FormatFixed(1e300, 0).size(), 301u);
    EXPECT_EQ(FormatPadded(7, 2), "07");
    EXPECT_EQ(FormatPadded(123, 2), "123");
    EXPECT_EQ(FormatPadded(-5, 2), "-05");
    EXPECT_EQ(FormatPadded(42, 3), "042");
}

TEST(QuantityMatch, FirstOccurrenceOfTheFirstMatchingKeyFollowedByParenthesis) {
    const TextArray keys(kQuantityKeys.begin(), kQuantityKeys.end());
    const std::vector<std::pair<std::string, std::optional<std::size_t>>> cases = {
        {"Напряжение фазы А (Ua)", 0}, {"Ток (Ia)", 4},          {"Линейное (Uab)", 8},
        {"Uab x Uab)", std::nullopt},  {"Мощность (P)", 14},     {"Pa Pb)", 12},
        {"Частота (f)", 26},           {"Среднее (Uф.cp)", 27},  {"Время (tms)", 30},
        {"Время (thm)", 31},           {"Резерв", std::nullopt}, {"Ua", std::nullopt},
    };
    for (const auto& [name, key] : cases) {
        EXPECT_EQ(FindQuantityKey(name, keys), key) << name;
    }
}

TEST_F(PollBlocks, ConsecutiveAddressesFormOneBlockAndAGapOrStepBackStartsAnother) {
    SetItems({{"Ua)", "100"}, {"Ub)", "101"}, {"Uc)", "103"}});
    EXPECT_EQ(PlanBlocks(3), (std::vector<std::pair<std::uint32_t, std::uint16_t>>{
                                 {0x100, 2}, {0x103, 1}, {0x100, 2}}));
    dlg.m_nItemIndex = 0;
    SetItems({{"Ua)", "100"}, {"Ub)", "0FF"}});
    EXPECT_EQ(PlanBlocks(3), (std::vector<std::pair<std::uint32_t, std::uint16_t>>{
                                 {0x100, 1}, {0x0FF, 1}, {0x100, 1}}));
}

TEST_F(PollBlocks, WithTheIecTagABlockNeverBeginsAtTheClockItem) {
    SetItems({{"Ua)", "100"}, {"Ub)", "101"}, {"Время (tms)", "200"}, {"Время (thm)", "201"}});
    dlg.m_nProtoTag = kIecProtoTag;
    EXPECT_EQ(PlanBlocks(2),
              (std::vector<std::pair<std::uint32_t, std::uint16_t>>{{0x100, 2}, {0x100, 2}}));
    dlg.m_nProtoTag = kModbusProtoTag;
    EXPECT_EQ(PlanBlocks(2),
              (std::vector<std::pair<std::uint32_t, std::uint16_t>>{{0x200, 2}, {0x100, 2}}));
}

TEST_F(PollBlocks, AnEmptyItemListOrAnswerIsAnIndexError) {
    EXPECT_THROW(dlg.PlanNextBlock(), InvalidArgument);
    SetItems({{"Ua)", "100"}});
    EXPECT_THROW(dlg.TakeAnswer({}), InvalidArgument);
    EXPECT_THROW(dlg.TakeAnswer({0x05}), InvalidArgument);
}

TEST_F(PollBlocks, ValuesAreStoredOnlyWhenTheLastBlockIsAnswered) {
    SetItems({{"Ua)", "100"}, {"Ub)", "101"}, {"Uc)", "103"}});
    dlg.PlanNextBlock();
    EXPECT_FALSE(dlg.TakeAnswer({0x05, 0x04, 0x13, 0x88, 0x00, 0x07}));
    EXPECT_EQ(dlg.m_raw[kRawUa], 0);
    dlg.PlanNextBlock();
    EXPECT_TRUE(dlg.TakeAnswer({0x05, 0x04, 0xFB, 0x2E}));
    EXPECT_EQ(dlg.m_raw[kRawUa], 5000);
    EXPECT_EQ(dlg.m_raw[kRawUb], 7);
    EXPECT_EQ(dlg.m_raw[kRawUc], -1234);
    EXPECT_TRUE(dlg.m_baAccum.empty());
}

TEST_F(PollBlocks, ValuesAreBigEndianAndStoredByKey) {
    SetItems({{"Ua)", "100"},
              {"Частота (f)", "101"},
              {"Ток (Ia)", "102", "4"},
              {"Частота 2 (f)", "104", "4"},
              {"Время (tms)", "106"},
              {"Время (thm)", "107"}});
    dlg.DecodeCycle({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x23, 0x45, 0x00, 0x01, 0x86, 0xA0, 0x1C,
                     0x52, 0x0D, 0x05});
    EXPECT_EQ(dlg.m_raw[kRawUa], -1);
    EXPECT_EQ(dlg.m_raw[kRawIa], 0x2345);        // the low 16 bits of a 4-byte value
    EXPECT_DOUBLE_EQ(dlg.m_dFreqRaw, 100000.0);  // the second "f" item wins
    EXPECT_EQ(dlg.m_nDevMs, 7250);
    EXPECT_EQ(dlg.m_nDevHour, 13);
    EXPECT_EQ(dlg.m_nDevMin, 5);

    SetItems({{"Частота (f)", "101"}});
    dlg.DecodeCycle({0xFF, 0xFF});
    EXPECT_DOUBLE_EQ(dlg.m_dFreqRaw, 65535.0);
}

TEST_F(PollBlocks, OverIecTheClockItemsTakeTheirBytesButStoreNothing) {
    SetItems({{"Время (tms)", "100"}, {"Время (thm)", "101"}, {"Ua)", "102"}});
    dlg.m_nProtocol = kIecProtocol;
    dlg.DecodeCycle({0x1C, 0x52, 0x0D, 0x05, 0x13, 0x88});
    EXPECT_EQ(dlg.m_nDevMs, 0);
    EXPECT_EQ(dlg.m_nDevHour, 0);
    EXPECT_EQ(dlg.m_raw[kRawUa], 5000);
}

TEST_F(PollBlocks, AnItemWithoutAKeyTakesNoBytes) {
    SetItems({{"Резерв", "100"}, {"Ub)", "101"}});
    dlg.DecodeCycle({0x00, 0x2A});
    EXPECT_EQ(dlg.m_raw[kRawUb], 42);
}

TEST_F(PollBlocks, TheOffsetWrapsAfter256Bytes) {
    std::vector<ItemRow> items(128, ItemRow{"Ua)", "100"});
    items.push_back({"Ub)", "180"});
    SetItems(items);
    ByteArray data(258, 0);
    data[0] = 0x12;
    data[1] = 0x34;
    data[256] = 0x55;
    data[257] = 0x66;
    dlg.DecodeCycle(data);
    EXPECT_EQ(dlg.m_raw[kRawUb], 0x1234);  // byte 256 is read as byte 0
}

TEST_F(PollBlocks, AShortCycleReadsTheBytesThereAre) {
    SetItems({{"Ua)", "100", "4"}, {"Ub)", "102"}});
    dlg.DecodeCycle({0x01, 0x02, 0x03});
    EXPECT_EQ(dlg.m_raw[kRawUa], 0x0203);
    EXPECT_EQ(dlg.m_raw[kRawUb], 0);
}

TEST_F(PollBlocks, AnIecInterrogationAnswerCompletesTheCycleAtOnce) {
    SetItems({{"Ua)", "100"}, {"Ub)", "200"}, {"Uc)", "300"}});
    dlg.m_nProtocol = kIecProtocol;
    dlg.PlanNextBlock();
    EXPECT_FALSE(dlg.TakeAnswer({0x00, 0x00, 0x00, 0x01}));
    EXPECT_TRUE(dlg.TakeAnswer({0xFF, 0x00, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04}));
    // The bytes of the earlier answer come first.
    EXPECT_EQ(dlg.m_raw[kRawUa], 1);
    EXPECT_EQ(dlg.m_raw[kRawUb], 2);
    EXPECT_EQ(dlg.m_raw[kRawUc], 3);
}

TEST_F(PollBlocks, WithTheIecTagTheLastThreeItemsDoNotCount) {
    SetItems({{"Ua)", "100"}, {"Ub)", "102"}, {"Uc)", "104"}, {"Ia)", "106"}, {"Ib)", "108"}});
    dlg.m_nProtoTag = kIecProtoTag;
    dlg.PlanNextBlock();
    EXPECT_FALSE(dlg.TakeAnswer({0, 4, 0, 1}));
    dlg.PlanNextBlock();
    EXPECT_TRUE(dlg.TakeAnswer({0, 4, 0, 2}));
    EXPECT_EQ(dlg.m_raw[kRawUb], 2);
}

TEST_F(PollBlocks, PhysicalUnitsDivideByTheItemsDivisor) {
    // The divisors belong to the items with a key: the time item between takes none.
    SetItems({{"Ua)", "100"}, {"Время (ty)", "101"}, {"Ub)", "102"}, {"Uc)", "103"}});
    dlg.m_saDivisors = {"10", "4", "0", "1000"};
    dlg.m_bPhysical = TRUE;
    dlg.DecodeCycle({0x30, 0x3A, 0x00, 0x0A, 0x30, 0x3A});
    EXPECT_EQ(dlg.m_raw[kRawUa], 1235);   // 12346 / 10, rounded
    EXPECT_EQ(dlg.m_raw[kRawUb], 2);      // 10 / 4 = 2.5, rounded to even as "%.0f" does
    EXPECT_EQ(dlg.m_raw[kRawUc], 12346);  // a divisor of 0 leaves the value undivided

    dlg.m_saDivisors = {"10"};
    EXPECT_THROW(dlg.DecodeCycle({0, 1, 0, 2, 0, 3}), InvalidArgument);
}

TEST_F(PollBlocks, FractionalDivisorsDivideUnderACommaLocale) {
    const ScopedLocale russian(kCommaLocale);
    if (!russian.Active()) {
        GTEST_SKIP() << kCommaLocale << " is not available (see tools/run-tests.sh)";
    }
    SetItems({{"Ua)", "100"}, {"Ub)", "101"}});
    dlg.m_saDivisors = {"0.5", "0.1"};
    dlg.m_bPhysical = TRUE;
    dlg.DecodeCycle({0x00, 0x64, 0x00, 0x0A});
    EXPECT_EQ(dlg.m_raw[kRawUa], 200);
    EXPECT_EQ(dlg.m_raw[kRawUb], 100);
}

}  // namespace
}  // namespace vantor::test

#include "polling/ConfigReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "config/ConfigDecoder.h"
#include "config/ConfigFields.h"
#include "config/Protocol.h"
#include "polling/MorvikDlg.h"
#include "support/ConfigLoadTest.h"
#include "support/ConfigWriter.h"

namespace vantor {
namespace {

using test::AppendString;
using test::ConfigDescription;
using test::ConfigRecord;
using test::MeasurementSection;
using test::ProtocolSection;
using test::WriteConfiguration;

ConfigRecord Item(const std::string& name, const std::string& address) {
    return ConfigRecord{name, address, "2", 0, "1", false};
}

// The 18 measurement items of a three-phase transducer.
std::vector<ConfigRecord> MeasurementItems() {
    const char* names[] = {"Напряжение фазы A (Ua)",
                           "Напряжение фазы B (Ub)",
                           "Напряжение фазы C (Uc)",
                           "Ток фазы A (Ia)",
                           "Ток фазы B (Ib)",
                           "Ток фазы C (Ic)",
                           "Напряжение AB (Uab)",
                           "Напряжение BC (Ubc)",
                           "Напряжение CA (Uca)",
                           "Активная мощность A (Pa)",
                           "Активная мощность B (Pb)",
                           "Активная мощность C (Pc)",
                           "Активная мощность (P)",
                           "Реактивная мощность A (Qa)",
                           "Реактивная мощность B (Qb)",
                           "Реактивная мощность C (Qc)",
                           "Реактивная мощность (Q)",
                           "Частота (f)"};
    std::vector<ConfigRecord> items;
    for (const char* name : names) {
        items.push_back(Item(name, std::to_string(10 + items.size())));
    }
    return items;
}

// Eighteen measurement items, the two clock items and a record that is not polled; Modbus RTU
// at 9600, device address 5, 380 V / 5 A, Кн 100, Кт 200.
ConfigDescription WorkedExample(bool timeItemsFirst = false) {
    ConfigDescription d;
    d.records = MeasurementItems();
    const std::vector<ConfigRecord> clock = {Item("Время (tms)", "40"), Item("Время (thm)", "41")};
    d.records.insert(timeItemsFirst ? d.records.begin() : d.records.end(), clock.begin(),
                     clock.end());
    d.records.push_back({"Резерв", "50", "2", 1, "7", false});
    d.addressLow = 5;
    d.serial = kSettings9600N82;
    d.protocol = ProtocolSection{};
    d.protocol->tag = kModbusProtoTag;
    d.protocol->groups.assign(29, 20);
    MeasurementSection m;
    m.nominal = 4;
    for (std::uint8_t k = 0; k < 18; ++k) {
        m.attributes.insert(m.attributes.end(), {k, 1, 2, std::uint8_t(k % 2 ? 0x40 : 0xBF)});
    }
    m.ratios = {100, 7, 7, 200, 7, 7};
    for (std::uint16_t w = 0; w < 54; ++w) {
        m.ranges.push_back(1000 + w);
    }
    d.measurement = m;
    return d;
}

// `count` active items; the third is a frequency and the fifth the clock, when there are so many.
// The sections are sized for them, the range words included.
ConfigDescription SmallConfiguration(std::size_t count) {
    ConfigDescription d = WorkedExample();
    d.records.clear();
    d.measurement->attributes.clear();
    for (std::size_t k = 0; k < count; ++k) {
        const bool clock = k == 4;
        const std::string name = k == 2 ? "Частота (f)" : clock ? "Время (tms)" : "Ток (Ia)";
        d.records.push_back(Item(name, std::to_string(k)));
        if (!clock) {
            d.measurement->attributes.insert(d.measurement->attributes.end(), {1, 2, 3, 4});
        }
    }
    d.protocol->groups.assign(count + 9, 20);
    return d;
}

using ConfigReader = test::ConfigLoadTest;

TEST_F(ConfigReader, ReadsTheWorkedExample) {
    Load(WorkedExample());
    EXPECT_EQ(dlg.m_saItems.size(), 60u);
    EXPECT_EQ(dlg.m_saDivisors.size(), 21u);
    EXPECT_EQ(dlg.m_saDivisors.back(), "7");  // the dropped record keeps its divisor
    EXPECT_EQ(dlg.m_baItemCot.size(), 29u);
    EXPECT_EQ(dlg.m_baItemAttr.size(), 72u);
    EXPECT_EQ(dlg.m_baAttrBit6, ByteArray({0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(dlg.m_baRatioBytes.size(), 18u);
    ASSERT_EQ(dlg.m_waRanges.size(), 54u);
    EXPECT_EQ(dlg.m_waRanges.back(), 1053);
    EXPECT_EQ(dlg.m_nKn, 100u);
    EXPECT_EQ(dlg.m_nKt, 200u);
    EXPECT_EQ(dlg.m_nUnitU, 1000u);
    EXPECT_EQ(dlg.m_nUnitI, 1000u);
    EXPECT_EQ(dlg.m_nUnitP, 1000000u);
    EXPECT_EQ(dlg.m_nDevAddr, 5);
    EXPECT_EQ(dlg.m_nProtoTag, kModbusProtoTag);
    EXPECT_EQ(dlg.m_nProtocol, kModbusProtocol);
    EXPECT_EQ(dlg.m_nFirstAddr, 0x10u);
    EXPECT_EQ(dlg.m_dUnom, 380.0);
    EXPECT_EQ(dlg.m_dInom, 5.0);
    EXPECT_NEAR(dlg.m_kUph, 0.0438786205, 1e-10);
    EXPECT_NEAR(dlg.m_kP, 0.6581793069, 1e-10);
    EXPECT_EQ(dlg.m_strBaud, "9600");
    EXPECT_EQ(dlg.m_strDataBits, "8");
    EXPECT_EQ(dlg.m_b8Bit, TRUE);
    EXPECT_EQ(window.Control(ctl::kPhysicalCheck).text, "Код");  // captions were refreshed

    UpdateActiveQuantities(dlg);
    EXPECT_EQ(ActiveKeys(), std::vector<std::string>({"Ua",  "Ub",  "Uc", "Ia", "Ib",  "Ic", "Uab",
                                                      "Ubc", "Uca", "Pa", "Pb", "Pc",  "P",  "Qa",
                                                      "Qb",  "Qc",  "Q",  "f",  "tms", "thm"}));
}

TEST_F(ConfigReader, ClockItemsOwnNoAttributesOrRanges) {
    Load(WorkedExample(true));
    EXPECT_EQ(dlg.m_baItemAttr.size(), 72u);
    ASSERT_EQ(dlg.m_waRanges.size(), 52u);
    EXPECT_EQ(dlg.m_waRanges.back(), 1051);
    EXPECT_EQ(dlg.m_nFirstAddr, 0x40u);
}

TEST_F(ConfigReader, FewItemsGetDefaultRanges) {
    dlg.m_baAttrBit6 = {9};
    Load(SmallConfiguration(6));  // holds every range word the file format asks for
    // Rows 0..14 belong to items 0..4; item 4 is the clock, item 2 the frequency.
    const WordArray expected = {500,   5500,  500, 5500, 500,   5500,  500,   5500,
                                500,   5500,  500, 5500, 49500, 50500, 49500, 50500,
                                49500, 50500, 500, 5500, 500,   5500,  500,   5500};
    EXPECT_EQ(dlg.m_waRanges, expected);
    EXPECT_EQ(dlg.m_baItemAttr, ByteArray(48, 0));
    EXPECT_TRUE(dlg.m_baAttrBit6.empty());
    EXPECT_EQ(dlg.m_baRatioBytes,
              ByteArray({0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}));
    // Read before the failure: ratios and units stay as the file gave them.
    EXPECT_EQ(dlg.m_nKn, 100u);
    EXPECT_EQ(dlg.m_nKt, 200u);
    EXPECT_EQ(dlg.m_nUnitU, 1000u);
    EXPECT_EQ(dlg.m_nUnitP, 1000000u);
}

TEST_F(ConfigReader, FourOrFewerItemsFailInTheRecovery) {
    for (const std::size_t count : {0, 1, 4}) {
        dlg.m_baActive.assign(32, 1);
        try {
            Load(SmallConfiguration(count));
            ADD_FAILURE() << count << " items: no failure";
        } catch (const IndexFailure& failure) {
            EXPECT_STREQ(failure.what(), "Encountered an improper argument.");
        }
        EXPECT_EQ(dlg.m_nKt, 200u) << count;          // applied up to the range words
        EXPECT_EQ(dlg.m_waRanges.size(), 3 * count);  // those of slots 0 .. 3P-1
        EXPECT_TRUE(dlg.m_baItemAttr.empty());
        EXPECT_TRUE(dlg.m_baRatioBytes.empty());
        EXPECT_EQ(dlg.m_baActive, ByteArray(32, 1));
    }
}

TEST_F(ConfigReader, FileEndingAfterTheWiringCodeKeepsTheOldSettings) {
    ConfigDescription iec = WorkedExample();
    iec.protocol->tag = kIecProtoTag;
    iec.protocol->addressHigh = 2;
    Load(iec);
    ASSERT_EQ(dlg.m_nProtocol, kIecProtocol);
    ASSERT_EQ(dlg.m_nDevAddr, 0x205);

    dlg.m_dUnom = 100.0;  // as a nominal page could have left them
    dlg.m_kUph = 0.5;
    ConfigDescription shorter = WorkedExample();
    shorter.addressLow = 9;
    shorter.protocol.reset();
    shorter.measurement.reset();
    Load(shorter);
    EXPECT_EQ(dlg.m_nDevAddr, 9);
    EXPECT_EQ(dlg.m_nProtocol, kIecProtocol);
    EXPECT_EQ(dlg.m_nProtoTag, kIecProtoTag);
    EXPECT_EQ(dlg.m_dUnom, 100.0);
    EXPECT_EQ(dlg.m_kUph, 0.5);
    EXPECT_EQ(dlg.m_nKn, 100u);
    EXPECT_EQ(dlg.m_nUnitP, 1000000u);
    EXPECT_EQ(dlg.m_waRanges.size(), 2u * 29);  // recovered: rows 0..28 belong to items 0..9
    EXPECT_EQ(dlg.m_baRatioBytes.size(), 18u);
}

TEST_F(ConfigReader, FileEndingInsideARecordFails) {
    ByteArray bytes = WriteConfiguration(WorkedExample());
    ByteArray firstRecords;
    AppendString(firstRecords, "Напряжение фазы A (Ua)");
    const std::size_t firstRecordEnd = 4 + 1 + firstRecords.size() + 3 + 2 + 4 + 2;
    bytes.resize(firstRecordEnd + 10);
    try {
        Load(bytes);
        FAIL() << "no failure";
    } catch (const ReadFailure& failure) {
        EXPECT_EQ(failure.GetKind(), ReadFailure::Kind::PastEnd);
        EXPECT_STREQ(failure.what(), "Attempted to access an unnamed file past its end.");
    }
    EXPECT_EQ(dlg.m_saItems, TextArray({"Напряжение фазы A (Ua)", "10", "2"}));
    EXPECT_EQ(dlg.m_saDivisors, TextArray({"1"}));
}

// Every prefix of a file ends in one of the documented outcomes: a read failure while the fixed
// part is incomplete, a normal return afterwards.
TEST_F(ConfigReader, EveryTruncationEndsInADocumentedOutcome) {
    const ByteArray whole = WriteConfiguration(WorkedExample());
    ByteArray fixedPart = whole;
    {
        ConfigDescription d = WorkedExample();
        d.protocol.reset();
        d.measurement.reset();
        fixedPart = WriteConfiguration(d);
    }
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        const ByteArray prefix(whole.begin(), whole.begin() + static_cast<long>(length));
        dlg.m_saDivisors.clear();
        if (length < fixedPart.size()) {
            EXPECT_THROW(Load(prefix), ReadFailure) << length;
        } else {
            EXPECT_NO_THROW(Load(prefix)) << length;
        }
    }
}

TEST_F(ConfigReader, ReadsUtf16NamesThroughTheCodePage) {
    ConfigDescription d = WorkedExample();
    d.records[3].name = "Tок фазы A é (Ia)";
    d.records[3].wideName = true;
    Load(d);
    EXPECT_EQ(dlg.m_saItems[9], "Tок фазы A ? (Ia)");
    UpdateActiveQuantities(dlg);
    EXPECT_EQ(dlg.m_baActive[4], 1);  // Ia
}

TEST_F(ConfigReader, MendsOnlyTheFirstPrimedQ) {
    ConfigDescription d = WorkedExample();
    d.records[13].name = "Реактивная мощность (Q'b) Q'";
    Load(d);
    EXPECT_EQ(dlg.m_saItems[39], "Реактивная мощность (Qfb) Q'");
    UpdateActiveQuantities(dlg);
    EXPECT_EQ(dlg.m_baActive[24], 1);  // Qfb
    EXPECT_EQ(dlg.m_baActive[15], 0);  // Qa is gone
}

TEST_F(ConfigReader, WiringWithoutNeutralDropsPhaseQuantities) {
    ConfigDescription d = WorkedExample();
    d.wiring = 32;
    Load(d);
    EXPECT_EQ(dlg.m_nWiring, 32);
    UpdateActiveQuantities(dlg);
    EXPECT_EQ(ActiveKeys(), std::vector<std::string>({"Ia", "Ib", "Ic", "Uab", "Ubc", "Uca", "P",
                                                      "Q", "f", "tms", "thm"}));
}

TEST_F(ConfigReader, UnknownNominalCodeKeepsTheNominalValues) {
    ConfigDescription d = WorkedExample();
    d.measurement->nominal = 9;
    Load(d);
    EXPECT_EQ(dlg.m_nNomCode, 9);
    EXPECT_EQ(dlg.m_dUnom, 100.0);
    EXPECT_EQ(dlg.m_dInom, 5.0);
    EXPECT_NEAR(dlg.m_kUph, 0.0115470054, 1e-10);
    EXPECT_NEAR(dlg.m_kI, 0.001, 1e-12);
}

TEST_F(ConfigReader, SerialByteAndAddressBytes) {
    struct Case {
        std::uint8_t serial;
        const char *baud, *stopBits, *parity, *dataBits;
        BOOL eightBit;
    };
    const Case cases[] = {
        {0x95, "9600", "2", "НЕТ", "8", TRUE},
        {0x00, "", "1", "НЕТ", "7", FALSE},
        {0xCA, "115200", "1", "ЧЕТ", "8", TRUE},
    };
    for (const auto& c : cases) {
        ConfigDescription d = WorkedExample();
        d.serial = c.serial;
        d.addressLow = 0x34;
        d.protocol->addressHigh = 0x12;
        Load(d);
        EXPECT_EQ(dlg.m_strBaud, c.baud) << int(c.serial);
        EXPECT_EQ(dlg.m_strStopBits, c.stopBits);
        EXPECT_EQ(dlg.m_strParity, c.parity);
        EXPECT_EQ(dlg.m_strDataBits, c.dataBits);
        EXPECT_EQ(dlg.m_b8Bit, c.eightBit);
        EXPECT_EQ(dlg.m_nDevAddr, 0x1234);
        EXPECT_EQ(dlg.m_nDevAddrHigh, 0x12);
    }
}

TEST_F(ConfigReader, FirstAddressSkipsDroppedAndUnsetRecords) {
    struct Case {
        const char* first;
        std::uint32_t kind;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"FFFFFF", 0, 0x11},  // reads as "none yet": the next active record decides
        {"0x1A", 0, 0x1A},   {"  -0", 0, 0},
        {"zz", 0, 0},        {"99", 1, 0x11},  // a dropped record sets nothing
    };
    for (const auto& c : cases) {
        ConfigDescription d = WorkedExample();
        d.records[0].address = c.first;
        d.records[0].kind = c.kind;
        Load(d);
        EXPECT_EQ(dlg.m_nFirstAddr, c.expected) << c.first;
    }
}

// A length prefix claiming more than the file holds fails at once, whatever its size.
TEST_F(ConfigReader, RefusesImpossibleStringLengths) {
    struct Case {
        ByteArray prefix;
        ReadFailure::Kind kind;
    };
    const Case cases[] = {
        {{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF}, ReadFailure::Kind::PastEnd},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0},
         ReadFailure::Kind::PastEnd},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0, 0, 0, 0},
         ReadFailure::Kind::BadLength},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
         ReadFailure::Kind::BadLength},
        {{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
         ReadFailure::Kind::PastEnd},  // UTF-16: twice as many bytes
    };
    for (const auto& c : cases) {
        ByteArray bytes = {0, 0, 0, 0, 1};  // header and one record
        for (const std::uint8_t b : c.prefix) {
            bytes.push_back(b);
        }
        bytes.resize(bytes.size() + 64, 'x');
        try {
            Load(bytes);
            ADD_FAILURE() << "no failure";
        } catch (const ReadFailure& failure) {
            EXPECT_EQ(failure.GetKind(), c.kind);
            if (c.kind == ReadFailure::Kind::BadLength) {
                EXPECT_STREQ(failure.what(),
                             "An unknown error occurred while accessing an unnamed file.");
            }
        }
    }
}

TEST_F(ConfigReader, DecodesEveryLengthPrefixForm) {
    ConfigDescription d = WorkedExample();
    d.records[0].name = std::string(300, 'x') + " (Ua)";    // word prefix
    d.records[1].name = std::string(70000, 'y') + " (Ub)";  // dword prefix
    d.records[2].name = std::string(300, 'z') + " (Uc)";
    d.records[2].wideName = true;  // UTF-16 with a word prefix
    Load(d);
    EXPECT_EQ(dlg.m_saItems[0], d.records[0].name);
    EXPECT_EQ(dlg.m_saItems[3], d.records[1].name);
    EXPECT_EQ(dlg.m_saItems[6], d.records[2].name);

    // A 64-bit length in range reads as well.
    ByteArray bytes = {0, 0, 0, 0, 0};
    ByteArray name = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 0, 0, 0, 0, 'h', 'i'};
    CMemoryByteStream stream(name);
    EXPECT_EQ(ReadString(stream), "hi");
    EXPECT_EQ(stream.Remaining(), 0u);
}

// Random damage to a valid file: the reader returns or reports a failure, never anything else.
TEST_F(ConfigReader, SurvivesDamagedFiles) {
    const ByteArray original = WriteConfiguration(WorkedExample());
    std::mt19937 random(20240611);
    for (int round = 0; round < 400; ++round) {
        ByteArray bytes = original;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < changes; ++i) {
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
        bytes.resize(random() % (bytes.size() + 1));
        dlg.m_saDivisors.clear();
        try {
            Load(bytes);
        } catch (const ConfigFailure&) {
        }
        EXPECT_EQ(dlg.m_saItems.size() % 3, 0u);
    }
}

// Decoding alone, without a working state: each section says how it ended, and a section the
// file never reached is absent.
TEST(ConfigDecoder, TellsHowEachSectionEnded) {
    using enum SectionOutcome;
    ConfigDescription shorter = WorkedExample();
    shorter.protocol.reset();
    shorter.measurement.reset();
    ByteArray insideRecord = WriteConfiguration(WorkedExample());
    insideRecord.resize(20);
    struct Case {
        const char* what;
        ByteArray bytes;
        SectionOutcome fixed;
        std::optional<SectionOutcome> protocol, measurement;
        bool reported;
    };
    const Case cases[] = {
        {"whole", WriteConfiguration(WorkedExample()), Read, Read, Read, false},
        {"ends after the wiring code", WriteConfiguration(shorter), Read, Recovered, Recovered,
         false},
        {"ends inside a record", insideRecord, Failed, std::nullopt, std::nullopt, true},
        {"six items", WriteConfiguration(SmallConfiguration(6)), Read, Read, Recovered, false},
        {"four items", WriteConfiguration(SmallConfiguration(4)), Read, Read, Failed, true},
    };
    for (const auto& c : cases) {
        CMemoryByteStream stream(c.bytes);
        const Configuration config = DecodeConfiguration(stream);
        EXPECT_EQ(config.fixed.outcome, c.fixed) << c.what;
        EXPECT_EQ(config.protocol ? std::optional(config.protocol->outcome) : std::nullopt,
                  c.protocol)
            << c.what;
        EXPECT_EQ(config.measurement ? std::optional(config.measurement->outcome) : std::nullopt,
                  c.measurement)
            << c.what;
        EXPECT_EQ(LoadFailureText(config).has_value(), c.reported) << c.what;
    }
}

using ActiveQuantities = test::ConfigLoadTest;

TEST_F(ActiveQuantities, MatchKeysFollowedByAParenthesis) {
    struct Case {
        const char* name;
        std::vector<std::string> active;
    };
    const Case cases[] = {
        {"Напряжение (Ua", {}},   {"Активная мощность A (Pa)", {"Pa"}},
        {"P x (P)", {}},  // only the first "P" is examined
        {"Время (ty)", {}},       {"Время (tmd)", {}},
        {"Время (tms)", {"tms"}}, {"Среднее (Uф.cp)", {"Uф.cp"}},
    };
    for (const auto& c : cases) {
        dlg.m_saItems = {c.name, "0", "2"};
        UpdateActiveQuantities(dlg);
        EXPECT_EQ(ActiveKeys(), c.active) << c.name;
    }
}

using UnitDivisors = test::ConfigLoadTest;

TEST_F(UnitDivisors, FollowTheRatiosAtTwentyPercentOverNominal) {
    struct Case {
        double unom, inom;
        std::uint32_t kn, kt, unitU, unitI, unitP;
    };
    const Case cases[] = {
        {100, 5, 1, 1, 1, 1, 1},  // 69 V, 6 A, 415 W
        {100, 5, 0, 200, 1, 1000, 1},
        {100, 5, 15, 1, 1000, 1, 1000},  // 1039 V
        {380, 5, 100, 200, 1000, 1000, 1000000},
        {380, 0.5, 100000, 1, 1000000, 1, 1000000},
        {100, 1, 1, 833, 1, 1, 1000},  // 999.6 A: still А
        {100, 1, 1, 834, 1, 1000, 1000},
    };
    for (const auto& c : cases) {
        dlg.m_dUnom = c.unom;
        dlg.m_dInom = c.inom;
        dlg.RecomputeAllCoefficients();
        dlg.m_nKn = c.kn;
        dlg.m_nKt = c.kt;
        ChooseUnitDivisors(dlg);
        EXPECT_EQ(dlg.m_nUnitU, c.unitU) << c.kn << " " << c.kt;
        EXPECT_EQ(dlg.m_nUnitI, c.unitI) << c.kn << " " << c.kt;
        EXPECT_EQ(dlg.m_nUnitP, c.unitP) << c.kn << " " << c.kt;
    }
}

TEST(ByteStreams, AShortReadConsumesNothing) {
    const std::string path = testing::TempDir() + "/vantor-stream.bin";
    {
        std::ofstream out(path, std::ios::binary);
        out << "abc";
    }
    CFileByteStream file;
    ASSERT_TRUE(file.Open(path));
    CMemoryByteStream memory(ByteArray{'a', 'b', 'c'});
    for (IByteStream* stream : std::vector<IByteStream*>{&file, &memory}) {
        EXPECT_EQ(stream->Read(1), ByteArray{'a'});
        EXPECT_THROW(stream->Read(3), ReadFailure);
        EXPECT_THROW(stream->Read(std::size_t{1} << 40), ReadFailure);
        EXPECT_EQ(stream->Read(2), ByteArray({'b', 'c'}));
        EXPECT_EQ(stream->Read(0), ByteArray{});
        EXPECT_THROW(stream->Read(1), ReadFailure);
    }
    file.Close();  // Windows removes no file that is open
    std::remove(path.c_str());
    EXPECT_FALSE(file.Open(path));
    EXPECT_FALSE(file.Open(testing::TempDir()));  // a folder is no configuration
}

}  // namespace
}  // namespace vantor

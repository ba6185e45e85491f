#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "config/Protocol.h"
#include "polling/ConfigReader.h"
#include "support/ConfigDescriptionText.h"
#include "support/ConfigLoadTest.h"
#include "support/ConfigWriter.h"

namespace vantor {
namespace {

std::string SamplePath(const std::string& name) {
    return std::string(VANTOR_SOURCE_DIR) + "/samples/" + name;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const char* const kSamples[] = {"demo", "demo-iec"};

TEST(Samples, RegenerateToTheCommittedBytes) {
    for (const std::string sample : kSamples) {
        const ByteArray written = test::WriteConfiguration(
            test::ParseConfigDescription(ReadWhole(SamplePath(sample + ".txt"))));
        const std::string committed = ReadWhole(SamplePath(sample + ".dat"));
        EXPECT_EQ(written, ByteArray(committed.begin(), committed.end())) << sample;
    }
}

class SampleLoad : public test::ConfigLoadTest {
protected:
    void LoadSample(const std::string& sample) {
        CFileByteStream stream;
        ASSERT_TRUE(stream.Open(SamplePath(sample)));
        ReadConfiguration(stream, dlg);
        UpdateActiveQuantities(dlg);
    }
};

const std::vector<std::string> kDemoKeys = {"Ua",  "Ub",  "Uc", "Ia", "Ib",  "Ic", "Uab",
                                            "Ubc", "Uca", "Pa", "Pb", "Pc",  "P",  "Qa",
                                            "Qb",  "Qc",  "Q",  "f",  "tms", "thm"};

TEST_F(SampleLoad, ModbusDemo) {
    ASSERT_NO_THROW(LoadSample("demo.dat"));
    EXPECT_EQ(ActiveKeys(), kDemoKeys);
    EXPECT_EQ(dlg.m_saItems.size(), 60u);
    EXPECT_EQ(dlg.m_saDivisors.size(), 21u);
    EXPECT_EQ(dlg.m_waRanges.size(), 54u);
    EXPECT_EQ(dlg.m_nProtocol, kModbusProtocol);
    EXPECT_EQ(dlg.SettingsText(), "9600,НЕТ,8,2");
    EXPECT_EQ(dlg.m_nDevAddr, 5);
    EXPECT_EQ(dlg.m_nKn, 100u);
    EXPECT_EQ(dlg.m_nKt, 200u);
    EXPECT_EQ(dlg.m_nUnitU, 1000u);
}

TEST_F(SampleLoad, IecDemo) {
    window.onSave = [this] {
        dlg.m_nProtocol =
            kModbusProtocol;  // the radio buttons still show "ModBus" while the file is read
        return true;
    };
    ASSERT_NO_THROW(LoadSample("demo-iec.dat"));
    EXPECT_GE(window.saves, 1);
    EXPECT_EQ(ActiveKeys(), kDemoKeys);
    EXPECT_EQ(dlg.m_nProtoTag, kIecProtoTag);
    EXPECT_EQ(dlg.m_nProtocol, kIecProtocol);
    EXPECT_EQ(dlg.SettingsText(), "9600,ЧЕТ,8,1");
    const ByteArray groups = {21, 21, 21, 22, 22, 22, 21, 21, 21, 23, 23, 23, 23, 23, 23,
                              23, 23, 24, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20};
    EXPECT_EQ(dlg.m_baItemCot, groups);
    EXPECT_EQ(dlg.m_waRanges.size(), 54u);
}

TEST(ConfigDescriptionText, NamesTheLineOfAMistake) {
    const char* const mistakes[] = {
        "address 5\nfrobnicate 1\n",
        "address 5\nrecord Ua \"0\" \"2\" 0 \"1\"\n",
        "address 5\nserial 256\n",
        "address 5\nwiring 1 2\n",
        "address 5\nrecord \"Ua\" \"0\" \"2\" 0\n",
        "address 5\nrecord \"Ua \"0\" \"2\" 0 \"1\n",
        "address 5\nratios 1 2 3 4 5 0x1000000\n",
    };
    for (const char* text : mistakes) {
        try {
            test::ParseConfigDescription(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()).rfind("line 2: ", 0), 0u) << e.what();
        }
    }
}

TEST(ConfigDescriptionText, ReadsEveryField) {
    const test::ConfigDescription d = test::ParseConfigDescription(
        "header 1 2 3 0xFF  # comment\n"
        "record utf16 \"a \\\"(Ua)\\\"\" \"0x10\" \"2\" 1 \"10\"\n"
        "address 7\nserial 0x95\nspare 3\nwiring 32\n"
        "protocol-tag 1\niec-sizes 2 3 4 2\naddress-high 0x12\nreserved 8 9\ngroups 21\n"
        "groups 22 23\nnominal 5\nattributes 1 2\nratios 1 2 3 4 5 6\nranges 500 65535\n"
        "trailer 0xAA\n");
    EXPECT_EQ(d.header, (std::array<std::uint8_t, 4>{1, 2, 3, 0xFF}));
    ASSERT_EQ(d.records.size(), 1u);
    EXPECT_EQ(d.records[0].name, "a \"(Ua)\"");
    EXPECT_TRUE(d.records[0].wideName);
    EXPECT_EQ(d.records[0].kind, 1u);
    EXPECT_EQ(d.records[0].divisor, "10");
    EXPECT_EQ(d.wiring, 32);
    ASSERT_TRUE(d.protocol && d.measurement);
    EXPECT_EQ(d.protocol->cotSize, 2);
    EXPECT_EQ(d.protocol->groups, ByteArray({21, 22, 23}));
    EXPECT_EQ(d.measurement->ratios[5], 6u);
    EXPECT_EQ(d.measurement->ranges, WordArray({500, 65535}));
    EXPECT_EQ(d.trailer, ByteArray{0xAA});
}

}  // namespace
}  // namespace vantor

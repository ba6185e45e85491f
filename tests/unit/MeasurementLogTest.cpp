#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/Protocol.h"
#include "log/LogText.h"
#include "support/WorkingStateFixture.h"

namespace vantor::test {
namespace {

// "Время" in Windows-1251.
const std::string kTimeLabel1251 = "\xC2\xF0\xE5\xEC\xFF";

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = bytes.find("\r\n", from)) != std::string::npos; from = end + 2) {
        lines.push_back(bytes.substr(from, end - from));
    }
    EXPECT_EQ(from, bytes.size()) << "the last line must end with CR LF";
    return lines;
}

class MeasurementLog : public WorkingStateFixture {
protected:
    void SetUp() override {
        WorkingStateFixture::SetUp();
        SetPresent({0, 4, 26});
        SetItems({{"Напряжение (Ua)", "100"}, {"Ток (Ia)", "101"}, {"Частота (f)", "102"}});
        dlg.m_strUa = "-71.24";
        dlg.m_strIa = "5.000";
        dlg.m_strFreq = "50.000";
    }

    std::string Folder() { return fake.paths.LogFolder(); }
};

TEST_F(MeasurementLog, IsNamedAfterTheUtcTimeAndStartsWithItsPathAndHeader) {
    ASSERT_TRUE(dlg.OpenLog());
    const std::string path = Folder() + kPathSeparator + "08_12__21_15_03.txt";
    EXPECT_EQ(dlg.m_strLogPath, path);
    EXPECT_EQ(dlg.m_pLogOpen, &dlg.m_fileLog);
    EXPECT_EQ(Lines(ReadFile(path)),
              (std::vector<std::string>{path, "", kTimeLabel1251 + "    \tUa\tIa\tF\t"}));
}

TEST_F(MeasurementLog, RowsUseTheTransducerClockOnlyWhenItIsPolledWithATimeTag) {
    struct Case {
        bool clockItem;
        std::uint8_t protoTag;
        std::uint8_t asduType;
        std::string time;
    };
    const std::vector<Case> cases = {
        {true, kModbusProtoTag, 143, "13:05:7,25\t"}, {true, kIecProtoTag, 143, "13:05:7,25\t"},
        {true, kIecProtoTag, 9, "21:15:03,2\t"},      {true, kIecProtoTag, 21, "21:15:03,2\t"},
        {true, kModbusProtoTag, 9, "13:05:7,25\t"},   {false, kModbusProtoTag, 143, "21:15:03,2\t"},
    };
    fake.clock.SetUtc(2026, 12, 8, 21, 15, 3, 299);
    dlg.m_nDevHour = 13;
    dlg.m_nDevMin = 5;
    dlg.m_nDevMs = 7250;
    const TextArray items = dlg.m_saItems;
    ASSERT_TRUE(dlg.OpenLog());
    for (const Case& c : cases) {
        dlg.m_saItems = items;
        if (c.clockItem) {
            dlg.m_saItems.insert(dlg.m_saItems.end(), {"Время (tms)", "200", "2"});
        }
        dlg.m_nProtoTag = c.protoTag;
        dlg.m_nAsduType = c.asduType;
        dlg.WriteLogRow();
    }
    const auto lines = Lines(ReadFile(dlg.m_strLogPath));
    ASSERT_EQ(lines.size(), 3 + cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(lines[3 + i], cases[i].time + "-71.24\t5.000\t50.000\t") << i;
    }
}

TEST_F(MeasurementLog, PhysicalUnitsAreLoggedWithDecimalCommas) {
    dlg.m_bPhysical = TRUE;
    ASSERT_TRUE(dlg.OpenLog());
    dlg.WriteLogRow();
    dlg.m_bPhysical = FALSE;
    dlg.m_strUa = "-1234";
    dlg.WriteLogRow();
    const auto lines = Lines(ReadFile(dlg.m_strLogPath));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "21:15:03,0\t-71,24\t5,000\t50,000\t");
    EXPECT_EQ(lines[4], "21:15:03,0\t-1234\t5.000\t50.000\t");
}

TEST(LogText, ClockColumns) {
    EXPECT_EQ(DeviceClockColumn(3, 7, 59990), "03:07:59,99\t");
    EXPECT_EQ(DeviceClockColumn(0, 0, 0), "00:00:0,00\t");
    SystemTime utc;
    utc.hour = 9;
    utc.minute = 1;
    utc.second = 2;
    utc.milliseconds = 999;
    EXPECT_EQ(PcClockColumn(utc), "09:01:02,9\t");
}

TEST_F(MeasurementLog, EveryRowIsOnTheDiskAsSoonAsItIsWritten) {
    ASSERT_TRUE(dlg.OpenLog());
    dlg.WriteLogRow();
    EXPECT_EQ(Lines(ReadFile(dlg.m_strLogPath)).size(), 4u);
}

TEST_F(MeasurementLog, ALogStartedInTheSameSecondTakesTheNextFreeName) {
    ASSERT_TRUE(dlg.OpenLog());
    const std::string first = dlg.m_strLogPath;
    dlg.WriteLogRow();
    // Opening again closes the first log; its rows stay.
    ASSERT_TRUE(dlg.OpenLog());
    EXPECT_EQ(dlg.m_strLogPath, Folder() + kPathSeparator + "08_12__21_15_03_2.txt");
    dlg.CloseLog();
    ASSERT_TRUE(dlg.OpenLog());
    EXPECT_EQ(dlg.m_strLogPath, Folder() + kPathSeparator + "08_12__21_15_03_3.txt");
    EXPECT_EQ(Lines(ReadFile(first)).size(), 4u);
    EXPECT_EQ(Lines(ReadFile(dlg.m_strLogPath)).size(), 3u);
}

TEST_F(MeasurementLog, LogLinesReadBackWhatTheLogWrote) {
    ASSERT_TRUE(dlg.OpenLog());
    dlg.WriteLogRow();
    const std::string bytes = ReadFile(dlg.m_strLogPath);
    EXPECT_EQ(LogLines(bytes), Lines(bytes));
    EXPECT_EQ(LogLines(bytes).size(), kLogHeaderLines + 1);
    // A row cut short by a crash has no CR LF and is still a line.
    const TextArray cut = LogLines(bytes + "21:15");
    ASSERT_EQ(cut.size(), kLogHeaderLines + 2);
    EXPECT_EQ(cut.back(), "21:15");
}

TEST_F(MeasurementLog, AFailedCreationLeavesTheLogClosedAndSaysWhy) {
    std::filesystem::remove_all(Folder());
    EXPECT_FALSE(dlg.OpenLog());
    EXPECT_EQ(dlg.m_pLogOpen, nullptr);
    dlg.ReportLogFailure();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
              "Не могу создать файл, " + Folder() + kPathSeparator + "08_12__21_15_03.txt");
    EXPECT_EQ(window.messages[0].caption, "Увы ошибка");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Warning);
}

}  // namespace
}  // namespace vantor::test

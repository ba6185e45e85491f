// The traffic monitor on the fake platform: rows, counters and capture packets of a polling
// run, to the millisecond.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "modbus/RtuFrame.h"
#include "monitor/MonitorRow.h"
#include "monitor/TrafficMonitor.h"
#include "support/IecFrames.h"
#include "support/ModbusFrames.h"
#include "support/WorkingStateFixture.h"

namespace vantor::test {
namespace {

constexpr std::uint8_t kDevice = 5;

// A Modbus RTU run of one block of two registers with the monitor attached.
class TrafficMonitorRun : public WorkingStateFixture {
protected:
    void SetUp() override {
        WorkingStateFixture::SetUp();
        dlg.m_strConfigName = "demo.dat";
        SetItems({{"Напряжение (Ua)", "100"}, {"Напряжение (Ub)", "101"}});
        SetPresent({0, 1});
        dlg.m_nDevAddr = kDevice;
        UseModbusRtu();
        dlg.SetLineTrace(&monitor);
        dlg.m_pPollObserver = &monitor;
    }
    void TearDown() override {
        dlg.SetLineTrace(nullptr);
        dlg.m_pPollObserver = nullptr;
    }

    std::vector<std::string> Column(MonitorColumn column) const {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < monitor.Rows().Size(); ++i) {
            texts.push_back(RowColumnText(monitor.Rows().Row(i), column));
        }
        return texts;
    }

    CTrafficMonitor monitor{[this] { return LineProtocolOf(dlg); }};
    const ByteArray request = BuildRtuRequest(kDevice, 4, 0x100, {0, 2});
    const ByteArray answer = WithCrc({kDevice, 4, 4, 0x13, 0x88, 0, 7});
};

TEST_F(TrafficMonitorRun, EveryFrameAndCollectionIsARowWithItsTimesAndVerdict) {
    fake.clock.SetUtc(2026, 12, 10, 12, 0, 0);
    // Nothing stale at the start; the first answer in two pieces, the first 5 ms before the
    // tick that collects it, the second 20 ms later; the second answer with a broken CRC.
    ByteArray broken = answer;
    broken.back() ^= 0xFF;
    com1.Expect(request, Reply(answer, 495, 5, 20));
    com1.ExpectAny(Reply(broken, 10));
    dlg.OnStart();
    Tick();
    Tick();

    EXPECT_EQ(Column(kColumnDirection),
              (std::vector<std::string>{"ответ", "запрос", "ответ", "запрос", "ответ"}));
    EXPECT_EQ(Column(kColumnTime),
              (std::vector<std::string>{"12:00:00.075", "12:00:00.075", "12:00:00.575",
                                        "12:00:00.625", "12:00:01.125"}));
    EXPECT_EQ(Column(kColumnSincePrevious),
              (std::vector<std::string>{"0", "0", "500", "50", "500"}));
    const std::vector<std::string> summary = Column(kColumnSummary);
    EXPECT_EQ(summary[0], "нет ответа (ждали 75 мс)");
    EXPECT_EQ(summary[1],
              "адрес 5, функция 4 (чтение входных регистров), регистры с 0x0100, количество 2, "
              "CRC верна");
    EXPECT_EQ(summary[2],
              "адрес 5, функция 4 (чтение входных регистров), 4 байта: 0x1388 0x0007, CRC верна; "
              "пришёл частями: 12:00:00.575 (5 байт), 12:00:00.600 (4 байта)");
    EXPECT_EQ(summary[4].substr(summary[4].find("; ")), "; не принят: Ошибка контрольной суммы");
    EXPECT_EQ(Column(kColumnBytes)[3].substr(0, 17), "05 04 01 00 00 02");
    EXPECT_EQ(monitor.Rows().Row(2).bytes, answer);

    EXPECT_EQ(monitor.Counters().Requests(), 2u);
    EXPECT_EQ(monitor.Counters().Answers(), 2u);
    EXPECT_EQ(monitor.Counters().Text(),
              "Запросов: 2  Ответов: 2  Ответ принят: 1  Ошибка контрольной суммы: 1");
    monitor.ResetCounters();
    EXPECT_EQ(monitor.Counters().Text(), "Запросов: 0  Ответов: 0");
}

TEST_F(TrafficMonitorRun, PausedRowsAreLeftOutButCounted) {
    com1.SetResponder([this](const ByteArray&) { return Reply(answer, 10); });
    dlg.OnStart();
    monitor.SetPaused(true);
    Tick();
    monitor.SetPaused(false);
    Tick();
    EXPECT_EQ(Column(kColumnDirection),
              (std::vector<std::string>{"ответ", "запрос", "ответ", "запрос"}));
    // The interval runs from the last row seen on the line, shown or not.
    EXPECT_EQ(Column(kColumnSincePrevious)[2], "500");
    EXPECT_EQ(monitor.Counters().Requests(), 3u);
    EXPECT_EQ(monitor.Counters().CountOf("Ответ принят"), 2u);
}

TEST_F(TrafficMonitorRun, CaptureHoldsEachFrameBehindItsSerialHeader) {
    const std::string path = fake.paths.LogFolder() + "/capture.pcap";
    ASSERT_TRUE(monitor.StartCapture(path));
    fake.clock.SetUtc(2026, 12, 10, 12, 0, 0);
    com1.Expect(request, Reply(answer, 495, 5, 20));
    dlg.OnStart();
    Tick();
    // Written and flushed as it happens: readable while the capture is still open.
    std::ifstream in(path, std::ios::binary);
    const ByteArray file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const ByteArray header =
        Hex("D4 C3 B2 A1 02 00 04 00 00 00 00 00 00 00 00 00 FF FF 00 00 FA 00 00 00");
    ASSERT_GE(file.size(), header.size());
    EXPECT_EQ(ByteArray(file.begin(), file.begin() + 24), header);
    // 2026-12-10 12:00:00.075 UTC is 1796904000 s (0x6B1A9440) and 75000 µs (0x124F8).
    ByteArray expected = header;
    const auto packet = [&](const std::string& stamps, std::uint8_t event, const ByteArray& frame) {
        const auto length = static_cast<std::uint8_t>(12 + frame.size());
        const ByteArray record = Hex(stamps);
        expected.insert(expected.end(), record.begin(), record.begin() + 8);
        expected.insert(expected.end(), {length, 0, 0, 0, length, 0, 0, 0});
        expected.insert(expected.end(), record.begin() + 8, record.end());
        expected.insert(expected.end(), {event, 0, 0, 0});
        expected.insert(expected.end(), frame.begin(), frame.end());
    };
    packet("40 94 1A 6B F8 24 01 00 6B 1A 94 40 00 01 24 F8", 1, request);
    packet("40 94 1A 6B 18 C6 08 00 6B 1A 94 40 00 08 C6 18", 2, answer);
    packet("40 94 1A 6B 68 89 09 00 6B 1A 94 40 00 09 89 68", 1, request);
    EXPECT_EQ(file, expected);
    monitor.StopCapture();
    EXPECT_FALSE(monitor.Capturing());
    EXPECT_FALSE(monitor.StartCapture(fake.paths.LogFolder() + "/no/such/folder/x.pcap"));
}

TEST(RowBuffer, KeepsTheLastRowsAndCountsWhatDropped) {
    RowBuffer rows(3);
    for (int i = 0; i < 5; ++i) {
        MonitorRow row;
        row.epochMs = i;
        rows.Add(row);
    }
    EXPECT_EQ(rows.Size(), 3u);
    EXPECT_EQ(rows.Dropped(), 2u);
    EXPECT_EQ(rows.FirstSerial(), 2u);
    EXPECT_EQ(rows.NextSerial(), 5u);
    EXPECT_EQ(rows.Row(0).epochMs, 2);
    EXPECT_EQ(rows.RowBySerial(1), nullptr);
    ASSERT_NE(rows.RowBySerial(4), nullptr);
    EXPECT_EQ(rows.RowBySerial(4)->epochMs, 4);
    EXPECT_THROW(rows.Row(3), InvalidArgument);
    rows.Clear();
    EXPECT_EQ(rows.Size(), 0u);
    EXPECT_EQ(rows.Dropped(), 0u);
    EXPECT_EQ(rows.FirstSerial(), 5u);

    RowBuffer standard;
    for (std::size_t i = 0; i < RowBuffer::kDefaultCapacity + 7; ++i) {
        standard.Add({});
    }
    EXPECT_EQ(standard.Size(), 10000u);
    EXPECT_EQ(standard.Dropped(), 7u);
}

TEST(MonitorRowText, TabLinesKeepOneLinePerRow) {
    MonitorRow row;
    row.epochMs = 1796904000075;
    row.sincePreviousMs = 12;
    row.kind = RowKind::Answer;
    row.bytes = {0x01, 0xE5};
    row.summary = "два\tполя\r\nи строка";
    EXPECT_EQ(RowTabLine(row), "12:00:00.075\t12\tответ\t01 E5\tдва поля  и строка");
    row.kind = RowKind::NoAnswer;
    row.waitedMs = 150;
    row.verdict = "Буфер обмена пуст";
    EXPECT_EQ(RowColumnText(row, kColumnSummary), "нет ответа (ждали 150 мс); Буфер обмена пуст");
}

TEST_F(TrafficMonitorRun, SavedRowsAreTheCaptionsAndEveryRowInUtf8) {
    com1.SetResponder([this](const ByteArray&) { return Reply(answer, 10); });
    dlg.OnStart();
    Tick();
    const std::string path = fake.paths.LogFolder() + "/rows.tsv";
    ASSERT_TRUE(SaveRows(monitor.Rows(), path));
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string expected = "Время UTC\tИнтервал, мс\tНаправление\tБайты\tРасшифровка\r\n";
    for (std::size_t i = 0; i < monitor.Rows().Size(); ++i) {
        expected += RowTabLine(monitor.Rows().Row(i)) + "\r\n";
    }
    EXPECT_EQ(text, expected);
    EXPECT_EQ(monitor.Rows().Size(), 4u);
    EXPECT_FALSE(SaveRows(monitor.Rows(), fake.paths.LogFolder() + "/no/such/folder/rows.tsv"));
}

}  // namespace
}  // namespace vantor::test

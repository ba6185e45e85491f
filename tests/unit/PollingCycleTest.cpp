#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "modbus/AsciiFrame.h"
#include "modbus/RtuFrame.h"
#include "monitor/TrafficMonitor.h"
#include "polling/MorvikDlg.h"
#include "polling/PollStatus.h"
#include "polling/Transport.h"
#include "support/ModbusFrames.h"
#include "support/WorkingStateFixture.h"

namespace vantor::test {
namespace {

constexpr std::uint8_t kDevice = 5;

ByteArray RtuRequest(std::uint16_t start, std::uint8_t count) {
    return BuildRtuRequest(kDevice, 4, start, {0x00, count});
}

ByteArray AsciiRequest(std::uint16_t start, std::uint8_t count) {
    return Bytes(BuildAsciiRequest(kDevice, 4, start, {0x00, count}));
}

// A transducer that answers every RTU read of input registers from its register map.
FakeSerialDevice::Responder ServeRegisters(std::map<std::uint16_t, std::uint16_t> registers) {
    return [registers](const ByteArray& request) {
        if (request.size() != 8 || request[1] != 4) {
            return TimedReply{};
        }
        const auto start = static_cast<std::uint16_t>(request[2] << 8 | request[3]);
        ByteArray reply{request[0], 4, static_cast<std::uint8_t>(2 * request[5])};
        for (std::uint16_t r = start; r < start + request[5]; ++r) {
            const auto found = registers.find(r);
            const std::uint16_t value = found == registers.end() ? 0 : found->second;
            reply.push_back(static_cast<std::uint8_t>(value >> 8));
            reply.push_back(static_cast<std::uint8_t>(value));
        }
        return Reply(WithCrc(reply), 20);
    };
}

// The same device with the checksum of its `spoilt`-th answer (counted from 1) made wrong.
FakeSerialDevice::Responder SpoilingAnswer(FakeSerialDevice::Responder serve, int spoilt) {
    return [serve, spoilt, answers = 0](const ByteArray& request) mutable {
        TimedReply reply = serve(request);
        if (++answers == spoilt) {
            reply.back().bytes.back() ^= 0xFF;
        }
        return reply;
    };
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class PollingCycle : public WorkingStateFixture {
protected:
    void SetUp() override {
        WorkingStateFixture::SetUp();
        dlg.m_strConfigName = "demo.dat";
        SetItems(
            {{"Напряжение (Ua)", "100"}, {"Напряжение (Ub)", "101"}, {"Напряжение (Uc)", "103"}});
        SetPresent({0, 1, 2});
        dlg.m_nDevAddr = kDevice;
        UseModbusRtu();
        com1.SetResponder(ServeRegisters({{0x100, 5000}, {0x101, 7}, {0x103, 0xFB2E}}));
    }

    void ExpectIdleAndUnlocked() {
        EXPECT_FALSE(dlg.m_bRunning);
        EXPECT_FALSE(window.TimerRunning(kPollTimer));
        EXPECT_FALSE(window.TimerRunning(kRecordTimer));
        EXPECT_TRUE(window.Control(ctl::kFileTab).enabled);
        EXPECT_FALSE(window.Control(ctl::kPeriodEdit).readOnly);
        EXPECT_TRUE(window.Control(ctl::kSaveCheck).enabled);
        EXPECT_TRUE(window.Control(ctl::kRecTimeCheck).enabled);
    }
};

TEST(Transport, SevenDataBitsAlwaysMeanModbusAscii) {
    EXPECT_EQ(ChooseTransport(FALSE, 0), Transport::ModbusAscii);
    EXPECT_EQ(ChooseTransport(FALSE, 1), Transport::ModbusAscii);
    EXPECT_EQ(ChooseTransport(TRUE, 0), Transport::ModbusRtu);
    EXPECT_EQ(ChooseTransport(TRUE, 1), Transport::Iec101);
}

TEST_F(PollingCycle, ATwoBlockCycleSendsOneRequestPerTickAndShowsAndLogsAfterTheSecondAnswer) {
    dlg.m_bSave = TRUE;
    dlg.OnStart();
    EXPECT_EQ(com1.Writes(), (std::vector<ByteArray>{RtuRequest(0x100, 2)}));
    EXPECT_TRUE(window.TimerRunning(kPollTimer));
    EXPECT_TRUE(window.Control(ctl::kPeriodEdit).readOnly);
    EXPECT_FALSE(window.Control(ctl::kSaveCheck).enabled);
    EXPECT_FALSE(window.Control(ctl::kFileTab).enabled);

    Tick();
    EXPECT_EQ(com1.Writes().size(), 2u);
    EXPECT_EQ(dlg.m_strUa, "0");
    ASSERT_NE(dlg.m_pLogOpen, nullptr);
    const std::string log = dlg.m_strLogPath;

    const int loadsBefore = window.loads;
    const int savesBefore = window.saves;
    const int commitsBefore = window.commits;
    Tick();
    EXPECT_EQ(com1.Writes(), (std::vector<ByteArray>{RtuRequest(0x100, 2), RtuRequest(0x103, 1),
                                                     RtuRequest(0x100, 2)}));
    EXPECT_EQ(dlg.m_strUa, "5000");
    EXPECT_EQ(dlg.m_strUb, "7");
    EXPECT_EQ(dlg.m_strUc, "-1234");
    // One exchange each way: the operator's input read back, the completed cycle shown once.
    EXPECT_EQ(window.commits, commitsBefore + 1);
    EXPECT_EQ(window.saves, savesBefore);
    EXPECT_EQ(window.loads, loadsBefore + 1);
    EXPECT_TRUE(window.messages.empty());

    dlg.OnStop();
    EXPECT_EQ(dlg.m_pLogOpen, nullptr);
    ExpectIdleAndUnlocked();
    const std::string bytes = ReadFile(log);
    EXPECT_NE(bytes.find("\t5000\t7\t-1234\t\r\n"), std::string::npos) << bytes;
}

TEST_F(PollingCycle, ModbusAsciiIsUsedWithSevenDataBits) {
    UseModbusAscii();
    dlg.OnStart();
    EXPECT_EQ(com1.Writes(), (std::vector<ByteArray>{AsciiRequest(0x100, 2)}));
}

TEST_F(PollingCycle, EveryBadAnswerShowsItsMessageAndStopsPolling) {
    struct Case {
        BOOL eightBit;
        ByteArray reply;
        std::string message;
    };
    const std::vector<Case> cases = {
        {FALSE, Bytes("x05040413880007DB\r\n"), "Ошибка при приеме стартового байта"},
        {FALSE, Bytes(":05040413880007DB\r"), "Ошибка при приеме стопового байта"},
        {TRUE, {kDevice, 4, 2, 0x13, 0x88, 0x00, 0x00}, "Ошибка контрольной суммы"},
        {TRUE, {}, "Буфер обмена пуст"},
        {TRUE, WithCrc({kDevice, 0x84, 1}),
         "Принятый код функции не может быть обработан на подчиненном"},
        {TRUE, WithCrc({kDevice, 0x84, 2}),
         "Адрес данных указанный в запросе не доступен данному подчиненному"},
        {TRUE, WithCrc({kDevice, 0x84, 3}),
         "Величина содержащаяся в поле данных запроса является не допустимой величиной для "
         "подчиненного"},
        {TRUE, WithCrc({kDevice, 0x84, 4}), "Подчиненный не отвечает"},
        {TRUE, WithCrc({kDevice, 0x84, 11}), "Ошибка"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        window.messages.clear();
        if (c.eightBit) {
            UseModbusRtu();
        } else {
            UseModbusAscii();
        }
        com1.SetResponder([&c](const ByteArray&) { return Reply(c.reply, 20); });
        dlg.OnStart();
        Tick();
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Ошибка: " + c.message}));
        ExpectIdleAndUnlocked();
    }
}

// A bad checksum on the second block of a cycle. Kept going, it is counted, the cycle it broke
// is dropped and the next one starts from the first block and is whole; otherwise polling stops
// with the message as ever.
TEST_F(PollingCycle, ABadAnswerMidCycleStopsPollingUnlessKeptGoing) {
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "kept going" : "stopping");
        CTrafficMonitor monitor([this] { return LineProtocolOf(dlg); });
        dlg.m_pPollObserver = &monitor;
        dlg.SetKeepPollingOnErrors(keep);
        dlg.m_bSave = TRUE;
        com1.ClearWrites();
        window.messages.clear();
        // The first cycle's Ua and Ub differ from the second's, so a leftover of the broken
        // cycle would show.
        int answers = 0;
        com1.SetResponder(SpoilingAnswer(
            [&answers](const ByteArray& request) {
                const std::uint16_t ua = ++answers < 3 ? 1 : 5000;
                return ServeRegisters({{0x100, ua}, {0x101, 7}, {0x103, 0xFB2E}})(request);
            },
            2));
        dlg.OnStart();
        Tick();
        Tick();
        EXPECT_EQ(monitor.Counters().CountOf("Ошибка контрольной суммы"), 1u);
        if (!keep) {
            EXPECT_EQ(Messages(), std::vector<std::string>{"Ошибка: Ошибка контрольной суммы"});
            ExpectIdleAndUnlocked();
            EXPECT_EQ(com1.Writes().size(), 2u);
            continue;
        }
        EXPECT_TRUE(window.messages.empty());
        EXPECT_TRUE(dlg.m_bRunning);
        EXPECT_EQ(dlg.m_strUa, "0");
        Tick();
        Tick();
        EXPECT_EQ(com1.Writes(), (std::vector<ByteArray>{RtuRequest(0x100, 2), RtuRequest(0x103, 1),
                                                         RtuRequest(0x100, 2), RtuRequest(0x103, 1),
                                                         RtuRequest(0x100, 2)}));
        EXPECT_EQ(dlg.m_strUa, "5000");
        EXPECT_EQ(dlg.m_strUb, "7");
        EXPECT_EQ(dlg.m_strUc, "-1234");
        EXPECT_EQ(monitor.Counters().CountOf("Ответ принят"), 3u);
        const std::string log = dlg.m_strLogPath;
        dlg.OnStop();
        const std::string bytes = ReadFile(log);
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3 + 1) << bytes;
        EXPECT_NE(bytes.find("\t5000\t7\t-1234\t\r\n"), std::string::npos) << bytes;
        dlg.m_pPollObserver = nullptr;
    }
}

TEST(PollStatus, IecStatusesHaveTheirOwnTexts) {
    EXPECT_STREQ(PollStatusMessage(5), "Пришла отрицательная квитанция");
    EXPECT_STREQ(PollStatusMessage(44), "Неизвестный идентификатор типа");
    EXPECT_STREQ(PollStatusMessage(45), "Неизвестная причина передачи");
    EXPECT_STREQ(PollStatusMessage(47), "Неизвестный адрес объекта информации");
    EXPECT_STREQ(PollStatusMessage(46), "Ошибка");
    EXPECT_STREQ(PollStatusMessage(0xE5), "Ошибка");
}

TEST_F(PollingCycle, WithoutAConfigurationStartOnlySaysSo) {
    dlg.m_strConfigName.clear();
    const auto controlsBefore = window.controls.size();
    dlg.OnStart();
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Ой: Для правильной работы программы необходим файл конфигурации"}));
    EXPECT_EQ(window.controls.size(), controlsBefore);
    EXPECT_TRUE(window.Control(ctl::kFileTab).enabled);
    EXPECT_TRUE(window.timerLog.empty());
    EXPECT_TRUE(com1.Writes().empty());
    EXPECT_FALSE(dlg.m_bRunning);
}

class PollingCycleWithoutPort : public WorkingStateFixture {
protected:
    void SetUp() override {
        fake.serial.SetBusy(FakePaths::FakePortPath(1), true);  // held elsewhere: no port opens
        WorkingStateFixture::SetUp();
    }
};

TEST_F(PollingCycleWithoutPort, StartRunsNoTimerAndLocksOnlyTheFileTab) {
    ASSERT_EQ(dlg.m_port.m_strPortName, "НЕТ");
    dlg.m_strConfigName = "demo.dat";
    SetItems({{"Напряжение (Ua)", "100"}});
    dlg.OnStart();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(window.timers.empty());
    EXPECT_FALSE(dlg.m_bRunning);
    EXPECT_FALSE(window.Control(ctl::kPeriodEdit).readOnly);
    EXPECT_FALSE(window.Control(ctl::kRecTimeEdit).readOnly);
    EXPECT_FALSE(window.Control(ctl::kFileTab).enabled);
    dlg.OnTimer(kPollTimer);  // a stray tick does nothing
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(PollingCycle, AnInvalidRecordTimeStillSendsTheFirstRequestButRunsNoTimer) {
    dlg.m_bRecTime = TRUE;
    dlg.m_strRecTime = "00 : 61 : 00";
    dlg.OnStart();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Ошибка: Задан неверный формат времени"}));
    EXPECT_EQ(com1.Writes().size(), 1u);
    ExpectIdleAndUnlocked();
    EXPECT_FALSE(window.Control(ctl::kRecTimeEdit).readOnly);
}

TEST_F(PollingCycle, TimedRecordingCountsDownAndStopsAtTheEndTime) {
    dlg.m_bRecTime = TRUE;
    dlg.m_strRecTime = "00 : 00 : 15";
    fake.clock.SetUtc(2026, 12, 8, 12, 0, 50);
    dlg.OnStart();
    EXPECT_EQ(window.timers.at(kRecordTimer), 500u);
    EXPECT_EQ(dlg.m_strRemain, "00 : 00 : 15");

    fake.clock.SetUtc(2026, 12, 8, 12, 0, 51);
    dlg.OnTimer(kRecordTimer);
    EXPECT_EQ(window.Control(ctl::kRemainEdit).text, "00 : 00 : 14");
    fake.clock.SetUtc(2026, 12, 8, 12, 1, 4, 900);
    dlg.OnTimer(kRecordTimer);
    EXPECT_EQ(window.Control(ctl::kRemainEdit).text, "00 : 00 : 01");
    EXPECT_TRUE(dlg.m_bRunning);

    fake.clock.SetUtc(2026, 12, 8, 12, 1, 5);
    dlg.OnTimer(kRecordTimer);
    EXPECT_EQ(dlg.m_strRemain, "00 : 00 : 00");
    ExpectIdleAndUnlocked();
    EXPECT_FALSE(window.Control(ctl::kRecTimeEdit).readOnly);
}

TEST_F(PollingCycle, AnIndexErrorInATickStopsPollingSoItIsReportedOnce) {
    // The byte count claims 16 bytes; two arrived.
    com1.SetResponder([](const ByteArray&) {
        return Reply(WithCrc({kDevice, 4, 16, 0x13, 0x88}), 20);
    });
    dlg.OnStart();
    EXPECT_THROW(Tick(), InvalidArgument);
    ExpectIdleAndUnlocked();
    EXPECT_NO_THROW(Tick());
    EXPECT_EQ(com1.Writes().size(), 1u);
}

TEST_F(PollingCycle, AFailedLogCreationIsShownAfterTheNextRequestAndPollingGoesOn) {
    std::filesystem::remove_all(fake.paths.LogFolder());
    dlg.m_bSave = TRUE;
    dlg.OnStart();
    int nestedTicks = 0;
    window.onMessage = [&](const RecordingWindow::Message&) {
        // The box's own message loop keeps delivering timer ticks.
        ++nestedTicks;
        Tick();
    };
    Tick();
    ASSERT_EQ(nestedTicks, 1);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Увы ошибка: Не могу создать файл, " +
                                                    fake.paths.LogFolder() + kPathSeparator +
                                                    "08_12__21_15_03.txt"}));
    EXPECT_TRUE(dlg.m_bRunning);
    EXPECT_EQ(com1.Writes().size(), 3u);
    EXPECT_EQ(dlg.m_strUc, "-1234");
}

TEST_F(PollingCycle, ARestartClosesTheOpenLogAndTheNextAnswerOpensANewOne) {
    dlg.m_bSave = TRUE;
    dlg.OnStart();
    Tick();
    Tick();
    const std::string first = dlg.m_strLogPath;
    dlg.OnStart();
    EXPECT_EQ(dlg.m_pLogOpen, nullptr);
    EXPECT_TRUE(window.TimerRunning(kPollTimer));
    Tick();
    ASSERT_NE(dlg.m_pLogOpen, nullptr);
    EXPECT_NE(dlg.m_strLogPath, first);
    EXPECT_NE(ReadFile(first).find("\t5000\t7\t-1234\t\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vantor::test

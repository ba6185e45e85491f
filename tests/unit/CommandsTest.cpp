#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "config/Protocol.h"
#include "iec101/AsduCodec.h"
#include "modbus/AsciiFrame.h"
#include "modbus/RtuFrame.h"
#include "support/IecFrames.h"
#include "support/ScriptedIecSecondary.h"
#include "support/WorkingStateFixture.h"

namespace vantor::test {
namespace {

constexpr std::uint16_t kClockRegister = 0x0200;

class Commands : public WorkingStateFixture {
protected:
    void SetUp() override {
        WorkingStateFixture::SetUp();
        dlg.m_strConfigName = "demo.dat";
        SetItems({{"Напряжение (Ua)", "100"},
                  {"Время (tms)", "200"},
                  {"Время (thm)", "201"},
                  {"Время (ty)", "202"}});
        dlg.m_baItemCot.assign(4 + 9, 20);
    }

    // The station answers from the moment it is made, so the Modbus cases go without one.
    void UseIecStation() {
        UseIec(kIecLinkReading);
        station.emplace(com1);
    }

    std::optional<ScriptedIecSecondary> station;
};

// A transducer that echoes the clock write with the given quantity, or stays silent.
FakeSerialDevice::Responder EchoClockWrite(bool ascii, std::optional<std::uint8_t> quantity) {
    return [=](const ByteArray& request) {
        const bool clockWrite = ascii ? request.size() > 4 && request[3] == '1' && request[4] == '0'
                                      : request.size() > 1 && request[1] == 16;
        if (!clockWrite || !quantity) {
            return TimedReply{};
        }
        const ByteArray echo{0x00, *quantity};
        return Reply(ascii ? Bytes(BuildAsciiRequest(1, 16, kClockRegister, echo))
                           : BuildRtuRequest(1, 16, kClockRegister, echo),
                     20);
    };
}

TEST_F(Commands, ClockSyncOverModbusChecksTheEchoAndRestartsPolling) {
    struct Case {
        std::string name;
        bool ascii;
        std::optional<std::uint8_t> quantity;
        std::vector<std::string> messages;
        unsigned answerWait;
    };
    const std::vector<Case> cases = {
        {"RTU", false, 3, {}, 350},
        {"RTU, other quantity", false, 4, {"Ошибка: Ошибка при синхронизации часов"}, 350},
        {"RTU, silent", false, std::nullopt, {"Ошибка: Ошибка связи"}, 350},
        {"ASCII", true, 3, {}, 500},
        {"ASCII, other quantity", true, 4, {"Ошибка: Ошибка при синхронизации часов"}, 500},
        {"ASCII, silent", true, std::nullopt, {"Ошибка: Ошибка связи"}, 500},
    };
    for (const Case& c : cases) {
        window.messages.clear();
        com1.ClearWrites();
        fake.clock.ClearSleeps();
        if (c.ascii) {
            UseModbusAscii();
        } else {
            UseModbusRtu();
        }
        com1.SetResponder(EchoClockWrite(c.ascii, c.quantity));
        dlg.OnSyncClock();

        ASSERT_GE(com1.Writes().size(), 2u) << c.name;
        const ByteArray& write = com1.Writes()[0];
        const ByteArray prefix = c.ascii ? Bytes(":011002000003") : Hex("01 10 02 00 00 03 07");
        EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), write.begin())) << c.name;
        EXPECT_EQ(write.size(), c.ascii ? 1 + 2 * 14 + 2 + 2u : 14 + 2u) << c.name;
        EXPECT_EQ(fake.clock.Sleeps().at(0), dlg.m_nPeriod) << c.name;
        EXPECT_NE(std::find(fake.clock.Sleeps().begin(), fake.clock.Sleeps().end(), c.answerWait),
                  fake.clock.Sleeps().end())
            << c.name;
        EXPECT_EQ(Messages(), c.messages) << c.name;
        // Polling starts afresh with the first block.
        EXPECT_TRUE(dlg.m_bRunning) << c.name;
        EXPECT_TRUE(window.TimerRunning(kPollTimer)) << c.name;
    }
}

TEST_F(Commands, ClockSyncWithoutClockItemOrPortLeavesThingsAlone) {
    UseModbusRtu();
    dlg.OnStart();
    com1.ClearWrites();
    dlg.m_saItems = {"Напряжение (Ua)", "100", "2"};
    dlg.OnSyncClock();
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Ошибка: Выбранная конфигурация не поддерживает время"}));
    EXPECT_TRUE(window.TimerRunning(kPollTimer));
    EXPECT_TRUE(com1.Writes().empty());

    window.messages.clear();
    dlg.m_saItems = {"Время (tms)", "200", "2"};
    dlg.m_port.m_strPortName = kNoPortName;
    dlg.OnSyncClock();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_FALSE(window.TimerRunning(kPollTimer));
    EXPECT_TRUE(dlg.m_bRunning);
    EXPECT_TRUE(com1.Writes().empty());
}

TEST_F(Commands, ClockSyncOverIec) {
    UseIecStation();
    dlg.OnSyncClock();
    EXPECT_EQ(station->Trace(), (TextArray{"status", "reset", "C_CS", "class 2", "status", "reset",
                                           "C_IC 8 QOI 20", "class 2"}));
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(window.TimerRunning(kPollTimer));
}

// A standard secondary acknowledges with ACD and keeps the confirmation in class 1.
TEST_F(Commands, ClockSyncOverIecFetchesTheConfirmationFromClass1) {
    UseIecStation();
    station->commandAnswers = {ScriptedIecSecondary::DemandingAccess(Hex("10 00 01 01 16"))};
    station->class1 = {station->Confirmation(103, 7)};
    dlg.OnSyncClock();
    EXPECT_EQ(station->Trace(), (TextArray{"status", "reset", "C_CS", "class 1", "status", "reset",
                                           "C_IC 8 QOI 20", "class 2"}));
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(window.TimerRunning(kPollTimer));
}

TEST_F(Commands, ClockSyncOverIecRefusedOrWithoutLink) {
    UseIecStation();
    station->commandAnswers = {Hex("10 09 01 0A 16")};
    station->class2 = {station->Confirmation(kTypeClockSync, 45)};
    dlg.OnSyncClock();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Ошибка: Неизвестная причина передачи"}));
    EXPECT_TRUE(window.TimerRunning(kPollTimer));

    // A refused reset shows the link failure; polling stays suspended.
    window.messages.clear();
    com1.ClearWrites();
    station->reset = {};
    dlg.OnSyncClock();
    EXPECT_EQ(station->Trace(), (TextArray{"status", "reset"}));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Ошибка: Ошибка при инициализации канала"}));
    EXPECT_FALSE(window.TimerRunning(kPollTimer));
    EXPECT_TRUE(dlg.m_bRunning);

    // An unanswered link status stops, reports and starts again, which fails the same way.
    window.messages.clear();
    com1.ClearWrites();
    station->linkStatus = {};
    dlg.OnSyncClock();
    EXPECT_EQ(station->Trace(), (TextArray{"status", "status"}));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Ошибка: Ошибка при инициализации канала",
                                                    "Ошибка: Ошибка при инициализации канала"}));
    EXPECT_FALSE(dlg.m_bRunning);
}

TEST_F(Commands, DelayIsMeasuredShownAndSentBack) {
    UseIecStation();
    constexpr std::uint16_t kDelay = 57;
    com1.SetResponder([&](const ByteArray& request) {
        if (request.size() > 8 && request[0] == 0x68 && request[6] == kTypeDelayAcquisition &&
            request[8] == kCauseActivation) {
            station->class2.push_back({});  // marks the class 2 request that follows
            return Reply(Hex("10 00 01 01 16"), 20);
        }
        if (request[0] == 0x10 && (request[1] & 0x0F) == 11 && !station->class2.empty()) {
            station->class2.clear();
            // Answered 20 ms after the request with a stamp 2 × 57 ms before the answer.
            const std::uint16_t now = MillisecondsOfMinute(fake.clock.UtcNow());
            const auto stamp = static_cast<std::uint16_t>((now + 60000 + 20 - 2 * kDelay) % 60000);
            return Reply(Framed({0x08, 0x01, 0x6A, 0x01, 0x07, 0x01, 0x00, 0x00,
                                 static_cast<std::uint8_t>(stamp & 0xFF),
                                 static_cast<std::uint8_t>(stamp >> 8)}),
                         20);
        }
        return station->Respond(request);
    });
    dlg.OnMeasureDelay();
    EXPECT_EQ(dlg.m_strDelay, "57");
    const TextArray trace = station->Trace();
    ASSERT_EQ(trace.size(), 9u);
    EXPECT_EQ(trace[0], "status");
    EXPECT_EQ(trace[1], "reset");
    EXPECT_EQ(trace[2].rfind("C_CD 6 ", 0), 0u);
    EXPECT_EQ(TextArray(trace.begin() + 3, trace.end()),
              (TextArray{"class 2", "C_CD 3 57", "status", "reset", "C_IC 8 QOI 20", "class 2"}));
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(window.TimerRunning(kPollTimer));
}

TEST_F(Commands, DelayFailures) {
    struct Case {
        std::string name;
        ByteArray linkStatus;
        ByteArray reset;
        std::string message;
        bool restarted;
        std::uint8_t settings = kSettings9600N82;
    };
    const std::vector<Case> cases = {
        {"no link status", {}, Hex("E5"), "Ошибка инициализации канала", false},
        // The protocol alone decides: over 7 data bits the transducer does not answer.
        {"seven data bits", {}, Hex("E5"), "Ошибка инициализации канала", false, kSettings9600N72},
        {"no reset", Hex("10 0B 01 0C 16"), {}, "Сбой при определении задержки передачи", false},
        // The activation is confirmed with a full answer, not the acknowledgement measured.
        {"no delay", Hex("10 0B 01 0C 16"), Hex("E5"),
         "Нет подтверждения активации/деактивации опроса", true},
    };
    UseIecStation();
    for (const Case& c : cases) {
        window.messages.clear();
        window.timers.clear();
        com1.ClearWrites();
        station->linkStatus = c.linkStatus;
        station->reset = c.reset;
        dlg.ApplySerialSettings(c.settings);
        dlg.OnMeasureDelay();
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Ошибка: " + c.message})) << c.name;
        EXPECT_EQ(window.TimerRunning(kPollTimer), c.restarted) << c.name;
        EXPECT_EQ(dlg.m_strDelay, "0") << c.name;
    }
}

TEST_F(Commands, DelayDoesNothingOverModbus) {
    UseModbusRtu();
    dlg.OnMeasureDelay();
    EXPECT_TRUE(com1.Writes().empty());
    EXPECT_TRUE(window.timerLog.empty());
    EXPECT_TRUE(fake.clock.Sleeps().empty());
}

}  // namespace
}  // namespace vantor::test

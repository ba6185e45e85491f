#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config/Protocol.h"
#include "monitor/TrafficMonitor.h"
#include "support/IecFrames.h"
#include "support/ScriptedIecSecondary.h"
#include "support/WorkingStateFixture.h"

namespace vantor::test {
namespace {

// A run against the scripted secondary: the mode, what it answers, how many ticks are polled
// after the start, and the frames the run writes where they are checked.
struct ScriptedRun {
    const char* name;
    int mode;
    std::deque<ByteArray> commandAnswers;
    std::deque<ByteArray> class2;
    int ticks;
    TextArray trace;
};

class IecSequences : public WorkingStateFixture {
protected:
    void SetUp() override {
        WorkingStateFixture::SetUp();
        dlg.m_strConfigName = "demo-iec.dat";
        SetItems({{"Напряжение (Ua)", "100"},
                  {"Напряжение (Ub)", "101"},
                  {"Напряжение (Uc)", "103"},
                  {"Время (tms)", "200"},
                  {"Время (thm)", "201"},
                  {"Время (ty)", "202"}});
        // The clock items come with the ASDU's time stamp and are not polled.
        dlg.m_baItemCot = {23, 23, 23, 23, 23, 23, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    }

    void Start(int mode, int group = 0) {
        UseIec(mode);
        window.combos[ctl::kGroupCombo] = group;
        dlg.OnStart();
    }

    // Starts afresh with the run's answers and polls its ticks.
    void Play(const ScriptedRun& run) {
        dlg.m_raw.fill(0);
        com1.ClearWrites();
        station.commandAnswers = run.commandAnswers;
        station.class2 = run.class2;
        Start(run.mode);
        for (int tick = 0; tick < run.ticks; ++tick) {
            Tick();
        }
    }

    TextArray TraceSince(std::size_t from) const {
        const TextArray all = station.Trace();
        return TextArray(all.begin() + static_cast<std::ptrdiff_t>(from), all.end());
    }

    ScriptedIecSecondary station{com1};
};

TEST_F(IecSequences, GroupPollingInterrogatesThenAsksForClass2Data) {
    station.class2 = {station.Confirmation(100, 7), station.Values(9, 23, {5000, 7, 0xFB2E}),
                      station.Confirmation(100, 10)};
    Start(kIecGroupPolling, 3);
    EXPECT_EQ(station.Trace(), (TextArray{"status", "reset", "C_IC 6 QOI 23", "class 2"}));
    EXPECT_TRUE(window.TimerRunning(kPollTimer));

    Tick();  // the confirmation: no values
    EXPECT_EQ(dlg.m_raw[kRawUa], 0);
    Tick();  // the group's values
    EXPECT_EQ(dlg.m_raw[kRawUa], 5000);
    EXPECT_EQ(dlg.m_raw[kRawUb], 7);
    EXPECT_EQ(dlg.m_raw[kRawUc], static_cast<std::int16_t>(0xFB2E));
    EXPECT_EQ(dlg.m_nAsduType, 9);
    EXPECT_EQ(station.Trace().size(), 6u);

    // The termination restarts the cycle on the initialised link: the interrogation comes next.
    const std::size_t before = station.Trace().size();
    Tick();
    EXPECT_EQ(TraceSince(before), (TextArray{"C_IC 6 QOI 23", "class 2"}));
    EXPECT_FALSE(dlg.m_bLinkReady);
    EXPECT_TRUE(dlg.m_bRunning);
    EXPECT_TRUE(window.TimerRunning(kPollTimer));
    EXPECT_TRUE(window.messages.empty());
}

// The restart after a termination is the tick's own: the recording goes on in the same log
// towards the same end time, so a timed recording in group mode ends when it should.
TEST_F(IecSequences, GroupPollingRestartContinuesTheRecording) {
    for (int cycle = 0; cycle < 2; ++cycle) {
        station.class2.insert(station.class2.end(),
                              {station.Confirmation(100, 7), station.Values(9, 23, {5000, 7, 1}),
                               station.Confirmation(100, 10)});
    }
    dlg.m_bSave = TRUE;
    dlg.m_bRecTime = TRUE;
    dlg.m_strRecTime = "00 : 00 : 15";
    fake.clock.SetUtc(2026, 12, 8, 12, 0, 50);
    Start(kIecGroupPolling, 3);
    const std::array<std::uint16_t, 3> end = {dlg.m_nEndHour, dlg.m_nEndMin, dlg.m_nEndSec};
    for (int tick = 0; tick < 6; ++tick) {
        Tick();
    }
    EXPECT_EQ(TraceSince(0), (TextArray{"status", "reset", "C_IC 6 QOI 23", "class 2", "class 2",
                                        "class 2", "C_IC 6 QOI 23", "class 2", "class 2", "class 2",
                                        "C_IC 6 QOI 23", "class 2"}));
    const auto logs = std::distance(std::filesystem::directory_iterator(fake.paths.LogFolder()),
                                    std::filesystem::directory_iterator());
    EXPECT_EQ(logs, 1);
    ASSERT_NE(dlg.m_pLogOpen, nullptr);
    std::ifstream log(dlg.m_strLogPath);
    const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3 + 2);  // the header and two rows
    EXPECT_EQ((std::array<std::uint16_t, 3>{dlg.m_nEndHour, dlg.m_nEndMin, dlg.m_nEndSec}), end);

    fake.clock.SetUtc(2026, 12, 8, 12, 1, 5);
    dlg.OnTimer(kRecordTimer);
    EXPECT_FALSE(dlg.m_bRunning);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(IecSequences, ReadModeSendsAReadCommandPerBlock) {
    station.commandAnswers = {station.Confirmation(100, 9), station.Values(9, 5, {5000, 7}),
                              station.Values(9, 5, {0xFB2E})};
    Start(kIecReadCommand);
    EXPECT_EQ(station.Trace(), (TextArray{"status", "reset", "C_IC 8 QOI 20", "C_RD 5 IOA 256"}));
    Tick();
    Tick();
    EXPECT_EQ(station.Trace(), (TextArray{"status", "reset", "C_IC 8 QOI 20", "C_RD 5 IOA 256",
                                          "C_RD 5 IOA 259", "C_RD 5 IOA 256"}));
    EXPECT_EQ(dlg.m_raw[kRawUa], 5000);
    EXPECT_EQ(dlg.m_raw[kRawUc], static_cast<std::int16_t>(0xFB2E));
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(IecSequences, LinkLevelReadingAsksForClass2DataEveryTick) {
    station.class2 = {station.Values(21, 5, {1, 2}), station.Values(21, 5, {3}),
                      Hex("10 00 01 01 16")};
    Start(kIecLinkReading);
    Tick();
    Tick();
    EXPECT_EQ(dlg.m_raw[kRawUa], 1);
    EXPECT_EQ(dlg.m_raw[kRawUc], 3);
    // An accepted answer without an ASDU takes no values; the next request follows.
    Tick();
    EXPECT_EQ(station.Trace(), (TextArray{"status", "reset", "C_IC 8 QOI 20", "class 2", "class 2",
                                          "class 2", "class 2"}));
    EXPECT_EQ(dlg.m_nAsduType, 21);
    EXPECT_TRUE(dlg.m_bRunning);
    EXPECT_TRUE(window.messages.empty());
}

// A deactivation confirmed negatively found no interrogation running, which is what it asked
// for: polling goes on, whether the confirmation answers the command or a later request.
TEST_F(IecSequences, ANegativeDeactivationConfirmationIsAccepted) {
    const ByteArray negative = station.Confirmation(100, 0x40 | 9);
    const ByteArray values = station.Values(9, 5, {5000, 7});
    const ByteArray rest = station.Values(9, 5, {3});
    const ScriptedRun runs[] = {
        {"read command, at Start", kIecReadCommand, {negative, values, rest}, {}, 2, {}},
        {"class 2, at Start", kIecLinkReading, {negative}, {values, rest}, 2, {}},
        {"class 2, at a tick", kIecLinkReading, {Hex("10 00 01 01 16")}, {negative, values}, 2, {}},
    };
    for (const ScriptedRun& run : runs) {
        SCOPED_TRACE(run.name);
        Play(run);
        EXPECT_TRUE(window.messages.empty());
        EXPECT_TRUE(dlg.m_bRunning);
        EXPECT_EQ(dlg.m_raw[kRawUb], 7);
        dlg.OnStop();
    }
}

// A standard secondary says it has nothing with the single character or "no data", and sends
// periodic and background values: the empty answers take nothing, the values count.
TEST_F(IecSequences, SingleCharacterConfirmsAtStartAndEmptyAnswersAtATickTakeNothing) {
    station.commandAnswers = {Hex("E5")};
    station.class2 = {Hex("E5"), Hex("10 09 01 0A 16"), station.Values(9, 1, {5000, 7}),
                      station.Values(9, 2, {0xFB2E}), Hex("10 09 01 0A 16")};
    Start(kIecLinkReading);
    EXPECT_EQ(station.Trace(), (TextArray{"status", "reset", "C_IC 8 QOI 20", "class 2"}));
    Tick();
    Tick();
    EXPECT_EQ(dlg.m_raw[kRawUa], 0);
    Tick();
    Tick();
    EXPECT_EQ(dlg.m_raw[kRawUa], 5000);
    EXPECT_EQ(dlg.m_raw[kRawUb], 7);
    EXPECT_EQ(dlg.m_raw[kRawUc], static_cast<std::int16_t>(0xFB2E));
    Tick();
    EXPECT_EQ(station.Trace().size(), 9u);
    EXPECT_TRUE(window.TimerRunning(kPollTimer));
    EXPECT_TRUE(window.messages.empty());
}

// What a secondary flags with ACD is asked for with class 1 requests until ACD is clear: the
// command's confirmation, the values and the termination, which restarts the cycle.
TEST_F(IecSequences, AccessDemandFetchesClass1DataFirst) {
    const auto acd = &ScriptedIecSecondary::DemandingAccess;
    station.commandAnswers = {acd(Hex("10 00 01 01 16")), Hex("10 00 01 01 16")};
    station.class1 = {acd(station.Confirmation(100, 7)), acd(station.Values(9, 23, {5000, 7, 9})),
                      station.Confirmation(100, 10)};
    station.class2 = {acd(Hex("10 09 01 0A 16"))};
    Start(kIecGroupPolling, 3);
    EXPECT_EQ(station.Trace(), (TextArray{"status", "reset", "C_IC 6 QOI 23", "class 1"}));
    Tick();
    Tick();
    EXPECT_EQ(dlg.m_raw[kRawUb], 7);
    Tick();  // the termination: a new interrogation, acknowledged without ACD
    Tick();  // "no data" with ACD
    EXPECT_EQ(TraceSince(3),
              (TextArray{"class 1", "class 1", "class 1", "C_IC 6 QOI 23", "class 2", "class 1"}));
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(window.TimerRunning(kPollTimer));
}

// The forms a standard secondary expects, chosen for the run: the read command as user data,
// its answer fetched from class 1, and the interrogation with object address 0.
TEST_F(IecSequences, ReadCommandAsUserDataAndInterrogationAtAddressZero) {
    dlg.m_iec.m_bReadAsUserData = TRUE;
    dlg.m_iec.m_bInterrogateAtZero = TRUE;
    const auto acd = &ScriptedIecSecondary::DemandingAccess;
    station.commandAnswers = {Hex("E5"), acd(Hex("10 00 01 01 16")), acd(Hex("10 00 01 01 16"))};
    station.class1 = {station.Values(9, 5, {5000, 7}), station.Values(9, 5, {0xFB2E})};
    Start(kIecReadCommand);
    for (int tick = 0; tick < 4; ++tick) {
        Tick();
    }
    EXPECT_EQ(dlg.m_raw[kRawUa], 5000);
    EXPECT_EQ(dlg.m_raw[kRawUc], static_cast<std::int16_t>(0xFB2E));
    const std::vector<ByteArray>& writes = com1.Writes();
    ASSERT_GE(writes.size(), 5u);
    EXPECT_EQ(writes[2].at(4) & 0xDF, 0x53);  // interrogation, user data
    EXPECT_EQ(writes[2].at(10), 0);           // object address 0 instead of 0x100
    EXPECT_EQ(writes[2].at(11), 0);
    EXPECT_EQ(writes[3].at(4) & 0xDF, 0x53);  // read command, user data
    // Each block's answer is fetched before the next block is read.
    EXPECT_EQ(station.Trace(),
              (TextArray{"status", "reset", "C_IC 8 QOI 20", "C_RD 5 IOA 256", "class 1",
                         "C_RD 5 IOA 259", "class 1", "C_RD 5 IOA 256"}));
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(IecSequences, UnansweredLinkStatusStopsBeforeAnyCommand) {
    station.linkStatus = {};
    Start(kIecGroupPolling);
    EXPECT_EQ(station.Trace(), (TextArray{"status"}));
    EXPECT_FALSE(dlg.m_bRunning);
    EXPECT_FALSE(window.TimerRunning(kPollTimer));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Ошибка: Ошибка при инициализации канала"}));
}

TEST_F(IecSequences, RefusedInterrogationShowsTheCauseOfTheSecondAnswer) {
    struct Case {
        std::uint8_t cause;
        std::string message;
    };
    const std::vector<Case> cases = {
        {44, "Неизвестный идентификатор типа"},
        {45, "Неизвестная причина передачи"},
        {46, "Нет подтверждения активации/деактивации опроса"},
        {47, "Неизвестный адрес объекта информации"},
        {0x40 | 47, "Неизвестный адрес объекта информации"},
        {0x40 | 7, "Нет подтверждения активации/деактивации опроса"},
    };
    for (const Case& c : cases) {
        window.messages.clear();
        com1.ClearWrites();
        station.commandAnswers = {station.Confirmation(100, 47)};
        station.class2 = {station.Confirmation(100, c.cause)};
        Start(kIecGroupPolling);
        EXPECT_EQ(station.Trace(), (TextArray{"status", "reset", "C_IC 6 QOI 20", "class 2"}))
            << c.message;
        EXPECT_FALSE(dlg.m_bRunning) << c.message;
        EXPECT_FALSE(window.TimerRunning(kPollTimer)) << c.message;
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Ошибка: " + c.message}));
    }
}

// Kept going, an answer with a bad checksum is counted and drops the cycle it broke; the next
// cycle starts in the mode of the run on the link as it is (no status, no reset) and is whole.
// A spoilt confirmation of the interrogation command is counted and the data request follows.
TEST_F(IecSequences, KeptGoingABadAnswerRestartsTheCycleWithoutALinkReset) {
    const auto spoilt = [](ByteArray frame) {
        frame.at(frame.size() - 2) ^= 0xFF;
        return frame;
    };
    const ScriptedRun runs[] = {
        {"read command, second block",
         kIecReadCommand,
         {station.Confirmation(100, 9), station.Values(9, 5, {1, 2}),
          spoilt(station.Values(9, 5, {3})), station.Confirmation(100, 9),
          station.Values(9, 5, {5000, 7}), station.Values(9, 5, {0xFB2E})},
         {},
         4,
         {"status", "reset", "C_IC 8 QOI 20", "C_RD 5 IOA 256", "C_RD 5 IOA 259", "C_IC 8 QOI 20",
          "C_RD 5 IOA 256", "C_RD 5 IOA 259", "C_RD 5 IOA 256"}},
        {"group polling, interrogated values",
         kIecGroupPolling,
         {},
         {station.Confirmation(100, 7), spoilt(station.Values(9, 20, {1, 2, 3})),
          station.Confirmation(100, 7), station.Values(9, 20, {5000, 7, 0xFB2E}),
          station.Confirmation(100, 10)},
         4,
         {"status", "reset", "C_IC 6 QOI 20", "class 2", "class 2", "C_IC 6 QOI 20", "class 2",
          "class 2", "class 2"}},
        {"class 2, the command's confirmation",
         kIecLinkReading,
         {spoilt(station.Confirmation(100, 9))},
         {station.Values(9, 5, {5000, 7}), station.Values(9, 5, {0xFB2E})},
         2,
         {"status", "reset", "C_IC 8 QOI 20", "class 2", "class 2", "class 2"}},
    };
    for (const ScriptedRun& run : runs) {
        SCOPED_TRACE(run.name);
        CTrafficMonitor monitor([this] { return LineProtocolOf(dlg); });
        dlg.m_pPollObserver = &monitor;
        dlg.SetKeepPollingOnErrors(true);
        Play(run);
        EXPECT_EQ(station.Trace(), run.trace);
        EXPECT_TRUE(window.messages.empty());
        EXPECT_TRUE(dlg.m_bRunning);
        EXPECT_EQ(monitor.Counters().CountOf("Ошибка контрольной суммы"), 1u);
        EXPECT_EQ(dlg.m_raw[kRawUa], 5000);
        EXPECT_EQ(dlg.m_raw[kRawUb], 7);
        EXPECT_EQ(dlg.m_raw[kRawUc], static_cast<std::int16_t>(0xFB2E));
        dlg.OnStop();
        dlg.m_pPollObserver = nullptr;
    }
}

TEST_F(IecSequences, ResetFailureAtStartIsNotReported) {
    station.reset = {};
    Start(kIecLinkReading);
    EXPECT_EQ(station.Trace(), (TextArray{"status", "reset", "C_IC 8 QOI 20", "class 2"}));
    EXPECT_TRUE(dlg.m_bRunning);
    EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace vantor::test

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "config/Protocol.h"
#include "iec101/AsduCodec.h"
#include "iec101/Ft12Codec.h"
#include "platform/SystemSerialOpener.h"
#include "polling/ControlIds.h"
#include "support/SimulatorSession.h"

namespace vantor::test {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kCycles = 10;
constexpr int kMaxTicks = 60;

class SimulatorIec : public SimulatorSession, public testing::Test {
protected:
    void StartIec(const std::vector<std::string>& args, int mode, int group = 0) {
        std::vector<std::string> all = {"--config", "samples/demo-iec.dat"};
        all.insert(all.end(), args.begin(), args.end());
        Start(all, "demo-iec.dat");
        live->dlg.m_nIecMode = mode;
        live->window.combos[ctl::kGroupCombo] = group;
    }
};

struct PollCase {
    const char* name;
    int mode;
    int group;
    std::vector<std::string> args;
    bool clockColumn;  // the answers carry the transducer clock the log shows
    std::size_t cycles;
};

// The control fields of the frames the simulator sent that begin with `start`, from its trace.
std::set<std::string> SentControls(SimProcess& sim, const std::string& start) {
    sim.WaitForOutput("\n\n", 200);  // takes in what is still on its way
    std::set<std::string> controls;
    std::istringstream lines(sim.Output());
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string stamp, direction;
        std::vector<std::string> octets;
        words >> stamp >> direction;
        for (std::string octet; words >> octet;) {
            octets.push_back(octet);
        }
        const std::size_t controlAt = start == "68" ? 4 : 1;
        if (direction == "tx" && octets.size() > controlAt && octets[0] == start) {
            controls.insert(octets[controlAt]);
        }
    }
    return controls;
}

// Ten complete cycles in each poll mode (and a few of a group's polling) log exactly the values the
// simulator served: group polling restarts the interrogation after each termination, the read
// command and the class 2 requests take one block per tick. The simulator answers as the
// transducer does: data only with the control field 08, acknowledgements without ACD.
TEST_F(SimulatorIec, TenCyclesInEachModeLogTheServedValues) {
    const PollCase cases[] = {
        {"station interrogation",
         kIecGroupPolling,
         0,
         {"--type", "9", "--sq", "0"},
         false,
         kCycles},
        {"group 1 interrogation", kIecGroupPolling, 1, {"--type", "10", "--sq", "1"}, false, 3},
        {"read command", kIecReadCommand, 0, {"--type", "143", "--sq", "0"}, true, kCycles},
        {"class 2 requests", kIecLinkReading, 0, {"--type", "21", "--sq", "1"}, false, kCycles},
        // No interrogation was running: the deactivation has done its job.
        {"deactivation confirmed negatively",
         kIecLinkReading,
         0,
         {"--negative-deactivation"},
         false,
         3},
    };
    for (const PollCase& c : cases) {
        SCOPED_TRACE(c.name);
        live.reset();
        sim.reset();
        std::remove(record.c_str());
        std::vector<std::string> args = c.args;
        args.push_back("--trace");
        ASSERT_NO_FATAL_FAILURE(StartIec(args, c.mode, c.group));
        live->dlg.m_bSave = TRUE;
        live->dlg.OnStart();
        ASSERT_EQ(live->Messages(), std::vector<std::string>{});
        for (int tick = 0; tick < kMaxTicks && live->LogRows().size() < c.cycles; ++tick) {
            live->Tick();
        }
        live->dlg.OnStop();
        EXPECT_EQ(live->Messages(), std::vector<std::string>{});
        ExpectRowsMatchRecords(*live, Served(), static_cast<int>(c.cycles), c.clockColumn);
        EXPECT_EQ(SentControls(*sim, "68"), std::set<std::string>{"08"});
        EXPECT_THAT(SentControls(*sim, "10"), testing::IsSubsetOf({"00", "0B"}));
    }
}

// Group polling restarts the interrogation after every termination; a timed recording with a
// log still ends on time and leaves one log, one row per interrogation.
TEST_F(SimulatorIec, TimedGroupRecordingEndsOnTimeInOneLog) {
    ASSERT_NO_FATAL_FAILURE(StartIec({}, kIecGroupPolling, 1));
    live->dlg.m_nPeriod = 100;
    live->dlg.m_bSave = TRUE;
    live->dlg.m_bRecTime = TRUE;
    live->dlg.m_strRecTime = "00 : 00 : 20";
    const auto started = std::chrono::steady_clock::now();
    live->dlg.OnStart();
    ASSERT_TRUE(live->window.TimerRunning(kRecordTimer));
    while (live->dlg.m_bRunning && std::chrono::steady_clock::now() - started < 25s) {
        live->Tick();
        live->dlg.OnTimer(kRecordTimer);  // the countdown, as often as the window would run it
    }
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_FALSE(live->dlg.m_bRunning);
    // The end is a whole second of the clock: between 19 and 20 seconds after the start.
    EXPECT_GE(elapsed, 19s);
    EXPECT_LT(elapsed, 21s);
    EXPECT_EQ(live->dlg.m_strRemain, "00 : 00 : 00");
    EXPECT_EQ(live->Messages(), std::vector<std::string>{});
    const auto logs = std::distance(std::filesystem::directory_iterator(live->paths.LogFolder()),
                                    std::filesystem::directory_iterator());
    EXPECT_EQ(logs, 1);
    // Every interrogation's values make a row, but for one the stop may have come before.
    const std::size_t rows = live->LogRows().size();
    EXPECT_GE(rows, 10u);
    EXPECT_GE(rows + 1, Served().size());
    ExpectRowsMatchRecords(*live, Served(), static_cast<int>(rows), false);
}

TEST_F(SimulatorIec, ClockSynchronisationSetsTheTransducerClock) {
    ASSERT_NO_FATAL_FAILURE(StartIec({"--clock-offset", "-7200"}, kIecLinkReading));
    ExpectClockCommandSetsTheClock();
}

// The delay measured is the one the simulator puts on the line, and it is sent back.
TEST_F(SimulatorIec, DelayAcquisitionMeasuresTheLineAndSendsTheDelayBack) {
    ASSERT_NO_FATAL_FAILURE(StartIec({"--line-delay", "40"}, kIecLinkReading));
    live->dlg.m_nPeriod = 50;
    live->dlg.OnMeasureDelay();
    EXPECT_EQ(live->Messages(), std::vector<std::string>{});
    const int delay = std::atoi(live->dlg.m_strDelay.c_str());
    EXPECT_GE(delay, 40);
    EXPECT_LE(delay, 60);
    EXPECT_TRUE(sim->WaitForOutput("delay received " + live->dlg.m_strDelay + " ms"))
        << sim->Output();
}

enum class Action { Start, SyncClock };

struct FailureCase {
    std::vector<std::string> args;
    int mode;
    Action action;
    int ticks;  // poll ticks after the action
    const char* message;
    bool pollingAfter;
};

// Refusals show their cause; a silent or garbling transducer shows what the program makes of it.
TEST_F(SimulatorIec, RefusalsAndMisbehaviourShowTheirMessages) {
    const FailureCase cases[] = {
        {{"--refuse", "47"},
         kIecGroupPolling,
         Action::Start,
         0,
         "Ошибка: Неизвестный адрес объекта информации",
         false},
        {{"--refuse", "45"},
         kIecGroupPolling,
         Action::Start,
         0,
         "Ошибка: Неизвестная причина передачи",
         false},
        {{"--refuse", "46"},
         kIecGroupPolling,
         Action::Start,
         0,
         "Ошибка: Нет подтверждения активации/деактивации опроса",
         false},
        {{"--refuse", "44", "--refuse-type", "103"},
         kIecGroupPolling,
         Action::SyncClock,
         0,
         "Ошибка: Неизвестный идентификатор типа",
         true},
        {{"--silent"},
         kIecLinkReading,
         Action::Start,
         0,
         "Ошибка: Ошибка при инициализации канала",
         false},
        // Status, reset and the deactivation are answered soundly, the confirmation is not.
        {{"--bad-crc-every", "4"},
         kIecLinkReading,
         Action::Start,
         1,
         "Ошибка: Ошибка контрольной суммы",
         false},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
        live.reset();
        sim.reset();
        ASSERT_NO_FATAL_FAILURE(StartIec(c.args, c.mode));
        live->dlg.m_nPeriod = 50;
        if (c.action == Action::SyncClock) {
            live->dlg.OnSyncClock();
        } else {
            live->dlg.OnStart();
        }
        for (int tick = 0; tick < c.ticks; ++tick) {
            live->Tick();
        }
        EXPECT_EQ(live->Messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(live->window.TimerRunning(kPollTimer), c.pollingAfter);
    }
}

// Sends one frame over the port link and collects the answer.
ByteArray Exchange(ISerialDevice& line, const ByteArray& frame) {
    line.Write(frame.data(), frame.size());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (line.BytesWaiting() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ByteArray answer(line.BytesWaiting());
    answer.resize(line.Read(answer.data(), answer.size()));
    return answer;
}

// Frames of the primary to the demo configuration's station: address 5, one-octet link and
// common addresses and cause, two-octet object addresses.
constexpr std::uint16_t kStation = 5;
constexpr std::uint8_t kClass1 = 0x5A;
constexpr std::uint8_t kFcb = 0x20;

ByteArray Fixed(std::uint8_t control) {
    return FixedFrame(control, kStation, 1);
}

ByteArray Command(std::uint8_t control, std::uint8_t type, std::uint8_t cause,
                  const ByteArray& elements = {}) {
    ByteArray frame = VariableFrameHeader(control, kStation, 1);
    frame.insert(frame.end(), {type, 1, cause, static_cast<std::uint8_t>(kStation)});
    AppendObjectAddress(frame, 0, 2);
    frame.insert(frame.end(), elements.begin(), elements.end());
    FinishFrame(frame);
    return frame;
}

const ByteArray kLinkStatus = Fixed(kCtrlLinkStatus);
const ByteArray kReset = Fixed(kCtrlResetLink);
// FCB 1 after the reset, then alternating.
const ByteArray kStationInterrogation =
    Command(kCtrlUserData | kFcb, kTypeInterrogation, kCauseActivation, {20});
const ByteArray kDeactivation =
    Command(kCtrlUserData | kFcb, kTypeInterrogation, kCauseDeactivation, {20});

struct LinkStep {
    ByteArray request;
    std::uint8_t control;               // of the answer
    std::optional<std::uint8_t> cause;  // of a variable answer, as sent
};

struct LinkScript {
    const char* name;
    std::vector<std::string> args;
    std::vector<LinkStep> steps;
};

// As the transducer, the station flags nothing with ACD and answers every class 2 request with
// data, the confirmations first; as a standard secondary it sets ACD while class 1 data waits,
// keeps that data for class 1 requests and answers class 2 with "no data" meanwhile. Both
// repeat the last answer for a request whose frame count bit did not change, take the read
// command in both forms, and confirm a deactivation negatively when asked to.
TEST(SimulatorIecLink, AnswersAsTheTransducerOrAsAStandardSecondary) {
    const LinkStep opening[] = {{kLinkStatus, 0x0B, {}}, {kReset, 0x00, {}}};
    const LinkScript scripts[] = {
        {"transducer",
         {},
         {{kStationInterrogation, 0x00, {}},
          {Fixed(kCtrlClass2), 0x08, kCauseActivationConfirm},
          {Fixed(kCtrlClass2), 0x08, kCauseActivationConfirm},  // the bit stayed: again
          {Fixed(kCtrlClass2 | kFcb), 0x08, kCauseStationInterrogation},
          {Fixed(kCtrlClass2), 0x08, kCauseActivationTermination},
          {Fixed(kCtrlClass2 | kFcb), 0x08, kCauseSpontaneous},
          {Command(kCtrlUserData, kTypeRead, kCauseRequest), 0x00, {}},
          {Fixed(kCtrlClass2 | kFcb), 0x08, kCauseRequest},
          {Command(kCtrlClass2, kTypeRead, kCauseRequest), 0x08, kCauseRequest}}},
        {"standard secondary",
         {"--standard-secondary"},
         {{kStationInterrogation, 0x20, {}},
          {Fixed(kCtrlClass2), 0x29, {}},
          {Fixed(kClass1 | kFcb), 0x28, kCauseActivationConfirm},
          {Fixed(kClass1 | kFcb), 0x28, kCauseActivationConfirm},
          {Fixed(kClass1), 0x28, kCauseStationInterrogation},
          {Fixed(kClass1 | kFcb), 0x08, kCauseActivationTermination},
          {Fixed(kClass1), 0x09, {}},
          {Fixed(kCtrlClass2 | kFcb), 0x08, kCauseSpontaneous},
          {Command(kCtrlUserData, kTypeRead, kCauseRequest), 0x20, {}},
          {Fixed(kClass1 | kFcb), 0x08, kCauseRequest}}},
        {"negative deactivation",
         {"--negative-deactivation"},
         {{kDeactivation, 0x00, {}}, {Fixed(kCtrlClass2), 0x08, kCauseDeactivationConfirm | 0x40}}},
        {"read command as a request only",
         {"--read-form", "request"},
         {{Command(kCtrlUserData | kFcb, kTypeRead, kCauseRequest), 0x01, kCauseUnknownType}}},
        {"read command as user data only",
         {"--read-form", "user-data"},
         {{Command(kCtrlClass2 | kFcb, kTypeRead, kCauseRequest), 0x09, kCauseUnknownType}}},
    };
    for (const LinkScript& script : scripts) {
        SCOPED_TRACE(script.name);
        TempHome home;
        std::vector<std::string> args = {"--config", "samples/demo-iec.dat"};
        args.insert(args.end(), script.args.begin(), script.args.end());
        SimProcess sim(home, args);
        ASSERT_TRUE(sim.Ready()) << sim.Output();
        SystemSerialOpener opener;
        const auto line = opener.Open(home.Path() + "/.vantor3/ports/com1");
        ASSERT_NE(line, nullptr);
        std::vector<LinkStep> steps(std::begin(opening), std::end(opening));
        steps.insert(steps.end(), script.steps.begin(), script.steps.end());
        for (std::size_t i = 0; i < steps.size(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i));
            const ByteArray answer = Exchange(*line, steps[i].request);
            const bool variable = steps[i].cause.has_value();
            ASSERT_GT(answer.size(), variable ? 9u : 4u);
            EXPECT_EQ(answer[variable ? 4 : 1], steps[i].control);
            if (variable) {
                EXPECT_EQ(answer[8], *steps[i].cause);
            }
        }
    }
}

}  // namespace
}  // namespace vantor::test

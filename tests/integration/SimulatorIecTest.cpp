#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/SystemSerialOpener.h"
#include "polling/ControlIds.h"
#include "support/SimulatorSession.h"

namespace vantor::test {
namespace {

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

// Ten complete cycles in each poll mode (and a few of a group's polling) log exactly the values the
// simulator served: group polling restarts the interrogation after each termination, the read
// command and the class 2 requests take one block per tick.
TEST_F(SimulatorIec, TenCyclesInEachModeLogTheServedValues) {
    const PollCase cases[] = {
        {"station interrogation", 0, 0, {"--type", "9", "--sq", "0"}, false, kCycles},
        {"group 1 interrogation", 0, 1, {"--type", "10", "--sq", "1"}, false, 3},
        {"read command", 1, 0, {"--type", "143", "--sq", "0"}, true, kCycles},
        {"class 2 requests", 2, 0, {"--type", "21", "--sq", "1"}, false, kCycles},
    };
    for (const PollCase& c : cases) {
        SCOPED_TRACE(c.name);
        live.reset();
        sim.reset();
        std::remove(record.c_str());
        ASSERT_NO_FATAL_FAILURE(StartIec(c.args, c.mode, c.group));
        live->dlg.m_bSave = TRUE;
        live->dlg.OnStart();
        ASSERT_EQ(live->Messages(), std::vector<std::string>{});
        for (int tick = 0; tick < kMaxTicks && live->LogRows().size() < c.cycles; ++tick) {
            live->Tick();
        }
        live->dlg.OnStop();
        EXPECT_EQ(live->Messages(), std::vector<std::string>{});
        ExpectRowsMatchRecords(*live, Served(), static_cast<int>(c.cycles), c.clockColumn);
    }
}

TEST_F(SimulatorIec, ClockSynchronisationSetsTheTransducerClock) {
    ASSERT_NO_FATAL_FAILURE(StartIec({"--clock-offset", "-7200"}, 2));
    live->dlg.m_nPeriod = 50;
    live->dlg.OnSyncClock();
    ASSERT_TRUE(sim->WaitForOutput("clock ")) << sim->Output();
    EXPECT_LT(std::abs(ClockOffsetMs(sim->Output())), 1000) << sim->Output();
    EXPECT_EQ(live->Messages(), std::vector<std::string>{});
    EXPECT_TRUE(live->window.TimerRunning(1));  // polling starts afresh
}

// The delay measured is the one the simulator puts on the line, and it is sent back.
TEST_F(SimulatorIec, DelayAcquisitionMeasuresTheLineAndSendsTheDelayBack) {
    ASSERT_NO_FATAL_FAILURE(StartIec({"--line-delay", "40"}, 2));
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
         0,
         Action::Start,
         0,
         "Ошибка: Неизвестный адрес объекта информации",
         false},
        {{"--refuse", "45"}, 0, Action::Start, 0, "Ошибка: Неизвестная причина передачи", false},
        {{"--refuse", "46"},
         0,
         Action::Start,
         0,
         "Ошибка: Нет подтверждения активации/деактивации опроса",
         false},
        {{"--refuse", "44", "--refuse-type", "103"},
         0,
         Action::SyncClock,
         0,
         "Ошибка: Неизвестный идентификатор типа",
         true},
        {{"--silent"}, 2, Action::Start, 0, "Ошибка: Ошибка при инициализации канала", false},
        // Status, reset and the deactivation are answered soundly, the confirmation is not.
        {{"--bad-crc-every", "4"}, 2, Action::Start, 1, "Ошибка: Ошибка контрольной суммы", false},
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
        EXPECT_EQ(live->window.TimerRunning(1), c.pollingAfter);
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

// The link layer as a secondary keeps it: ACD while confirmations wait, and the last answer
// again for a request whose frame count bit did not change.
TEST(SimulatorIecLink, FlagsClass1DataAndRepeatsAnswersWhenTheFrameCountBitStays) {
    TempHome home;
    SimProcess sim(home, {"--config", "samples/demo-iec.dat"});
    ASSERT_TRUE(sim.Ready()) << sim.Output();
    SystemSerialOpener opener;
    const auto line = opener.Open(home.Path() + "/.vantor3/ports/com1");
    ASSERT_NE(line, nullptr);

    EXPECT_EQ(Exchange(*line, {0x10, 0x49, 0x05, 0x4E, 0x16}),
              (ByteArray{0x10, 0x0B, 0x05, 0x10, 0x16}));  // status of link
    EXPECT_EQ(Exchange(*line, {0x10, 0x40, 0x05, 0x45, 0x16}),
              (ByteArray{0x10, 0x00, 0x05, 0x05, 0x16}));  // reset acknowledged
    // Station interrogation, FCB 1: acknowledged with ACD, the confirmation waits.
    EXPECT_EQ(Exchange(*line, {0x68, 0x09, 0x09, 0x68, 0x73, 0x05, 0x64, 0x01, 0x06, 0x05, 0x00,
                               0x00, 0x14, 0xFC, 0x16}),
              (ByteArray{0x10, 0x20, 0x05, 0x25, 0x16}));
    const ByteArray confirmation = Exchange(*line, {0x10, 0x5B, 0x05, 0x60, 0x16});
    EXPECT_EQ(confirmation, (ByteArray{0x68, 0x09, 0x09, 0x68, 0x28, 0x05, 0x64, 0x01, 0x07, 0x05,
                                       0x00, 0x00, 0x14, 0xB2, 0x16}));
    EXPECT_EQ(Exchange(*line, {0x10, 0x5B, 0x05, 0x60, 0x16}), confirmation);  // FCB stayed 0
    const ByteArray values = Exchange(*line, {0x10, 0x7B, 0x05, 0x80, 0x16});
    ASSERT_GT(values.size(), 9u);
    EXPECT_EQ(values[6], 9);     // type 9
    EXPECT_EQ(values[7], 20);    // 20 objects, one per item
    EXPECT_EQ(values[8], 20);    // cause: station interrogation
    EXPECT_EQ(values[4], 0x28);  // the termination still waits
}

}  // namespace
}  // namespace vantor::test

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

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
};

// Ten complete cycles in each poll mode log exactly the values the simulator served: group
// polling restarts the interrogation after each termination, the read command and the class 2
// requests take one block per tick.
TEST_F(SimulatorIec, TenCyclesInEachModeLogTheServedValues) {
    const PollCase cases[] = {
        {"station interrogation", 0, 0, {"--type", "9", "--sq", "0"}, false},
        {"group 1 interrogation", 0, 1, {"--type", "10", "--sq", "1"}, false},
        {"read command", 1, 0, {"--type", "143", "--sq", "0"}, true},
        {"class 2 requests", 2, 0, {"--type", "21", "--sq", "1"}, false},
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
        for (int tick = 0; tick < kMaxTicks && live->LogRows().size() < kCycles; ++tick) {
            live->Tick();
        }
        live->dlg.OnStop();
        EXPECT_EQ(live->Messages(), std::vector<std::string>{});
        ExpectRowsMatchRecords(*live, Served(), kCycles, c.clockColumn);
    }
}

long ClockOffsetMs(const std::string& output) {
    const auto at = output.rfind("offset ");
    return at == std::string::npos ? 1L << 30 : std::stol(output.substr(at + 7));
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

struct RefusalCase {
    std::vector<std::string> args;
    bool clockCommand;  // refused at clock synchronisation, else at the start of polling
    const char* message;
};

TEST_F(SimulatorIec, RefusalsShowTheirCause) {
    const RefusalCase cases[] = {
        {{"--refuse", "47"}, false, "Ошибка: Неизвестный адрес объекта информации"},
        {{"--refuse", "45"}, false, "Ошибка: Неизвестная причина передачи"},
        {{"--refuse", "46"}, false, "Ошибка: Нет подтверждения активации/деактивации опроса"},
        {{"--refuse", "44", "--refuse-type", "103"},
         true,
         "Ошибка: Неизвестный идентификатор типа"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.args[1]);
        live.reset();
        sim.reset();
        ASSERT_NO_FATAL_FAILURE(StartIec(c.args, 0));
        live->dlg.m_nPeriod = 50;
        if (c.clockCommand) {
            live->dlg.OnSyncClock();
        } else {
            live->dlg.OnStart();
        }
        EXPECT_EQ(live->Messages(), std::vector<std::string>{c.message});
        // Only the refused interrogation leaves polling idle; after the clock command polling
        // starts again.
        EXPECT_EQ(live->window.TimerRunning(1), c.clockCommand);
    }
}

}  // namespace
}  // namespace vantor::test

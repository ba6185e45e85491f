#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/SimulatorSession.h"

namespace vantor::test {
namespace {

constexpr int kCycles = 10;

struct ModbusCase {
    const char* name;
    bool ascii;
};

void PrintTo(const ModbusCase& c, std::ostream* out) {
    *out << c.name;
}

class SimulatorModbus : public SimulatorSession, public testing::TestWithParam<ModbusCase> {
protected:
    // The simulator is held to the framing under test, so the other one would go unanswered.
    void StartModbus(std::vector<std::string> args = {}) {
        args.insert(args.end(), {"--framing", GetParam().ascii ? "ascii" : "rtu"});
        Start(args, "demo.dat");
        if (GetParam().ascii) {
            // The Modbus page's ASCII choice; the pseudo-terminal keeps its 8 data bits.
            live->dlg.m_b8Bit = FALSE;
            live->dlg.m_strDataBits = "7";
        }
    }
};

TEST_P(SimulatorModbus, TenCyclesLogTheServedCodes) {
    ASSERT_NO_FATAL_FAILURE(StartModbus());
    live->dlg.m_bSave = TRUE;  // "Сохранить"
    live->dlg.OnStart();
    ASSERT_TRUE(live->window.TimerRunning(kPollTimer));
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        live->Tick();
    }
    live->dlg.OnStop();
    EXPECT_EQ(live->Messages(), std::vector<std::string>{});
    ExpectRowsMatchRecords(*live, Served(), kCycles, true);
}

// What the program shows when the transducer misbehaves, tick by tick.
struct Misbehaviour {
    std::vector<std::string> args;
    int goodTicks;  // ticks that pass before the failing one
    const char* message;
};

TEST_P(SimulatorModbus, MisbehaviourStopsPollingWithItsMessage) {
    const Misbehaviour cases[] = {
        {{"--silent"}, 0, "Ошибка: Буфер обмена пуст"},
        {{"--bad-crc-every", "3"}, 2, "Ошибка: Ошибка контрольной суммы"},
        {{"--exception", "2"},
         0,
         "Ошибка: Адрес данных указанный в запросе не доступен данному подчиненному"},
        {{"--exception", "4"}, 0, "Ошибка: Подчиненный не отвечает"},
    };
    for (const Misbehaviour& c : cases) {
        SCOPED_TRACE(c.args.front());
        live.reset();
        sim.reset();
        ASSERT_NO_FATAL_FAILURE(StartModbus(c.args));
        live->dlg.OnStart();
        for (int tick = 0; tick < c.goodTicks; ++tick) {
            live->Tick();
        }
        EXPECT_EQ(live->Messages(), std::vector<std::string>{});
        live->Tick(200);
        EXPECT_EQ(live->Messages(), std::vector<std::string>{c.message});
        EXPECT_FALSE(live->window.TimerRunning(kPollTimer));
    }
}

// The program takes a well-formed answer from another address as it comes.
TEST_P(SimulatorModbus, AnswersFromAnotherAddressAreTaken) {
    ASSERT_NO_FATAL_FAILURE(StartModbus({"--reply-address", "9", "--trace"}));
    live->dlg.OnStart();
    live->Tick();
    EXPECT_EQ(live->Messages(), std::vector<std::string>{});
    EXPECT_TRUE(sim->WaitForOutput(GetParam().ascii ? "tx 3A 30 39 30 34" : "tx 09 04"))
        << sim->Output();
}

TEST_P(SimulatorModbus, ClockSynchronisationSetsTheTransducerClock) {
    ASSERT_NO_FATAL_FAILURE(StartModbus({"--clock-offset", "3600"}));
    ExpectClockCommandSetsTheClock();
}

INSTANTIATE_TEST_SUITE_P(Framings, SimulatorModbus,
                         testing::Values(ModbusCase{"Rtu", false}, ModbusCase{"Ascii", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantor::test

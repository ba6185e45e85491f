// Faults of the line itself, over real pseudo-terminals: a device that goes away while it is
// polled, and a line that carries nothing but noise.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "support/LivePolling.h"

namespace vantor::test {
namespace {

using SteadyClock = std::chrono::steady_clock;

// Far more than one collection can take (75 ms of silence, or 25 ms after the last byte of a
// full buffer), far less than a hang.
constexpr auto kTickBound = std::chrono::seconds(2);

// One tick of timer 1, without the wait for an answer that LivePolling::Tick adds.
std::chrono::milliseconds TimedTick(LivePolling& live) {
    const auto start = SteadyClock::now();
    live.dlg.OnTimer(1);
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start);
}

TEST(DeviceGone, NextTickReportsAnEmptyBufferAndStartPollsAgainOnceItIsBack) {
    TempHome home;
    auto sim = std::make_unique<SimProcess>(home, std::vector<std::string>{});
    ASSERT_TRUE(sim->Ready()) << sim->Output();
    LivePolling live(home);
    ASSERT_EQ(live.dlg.m_port.m_strPortName, "COM1");
    live.Load("demo.dat");
    live.dlg.OnStart();
    live.Tick();
    live.Tick();
    ASSERT_EQ(live.Messages(), std::vector<std::string>{});

    sim.reset();  // the simulator ends and its pseudo-terminal closes
    EXPECT_LT(TimedTick(live), kTickBound);
    EXPECT_EQ(live.Messages(), std::vector<std::string>{"Ошибка: Буфер обмена пуст"});
    EXPECT_FALSE(live.dlg.m_bRunning);
    EXPECT_FALSE(live.window.TimerRunning(1));
    live.Tick();  // a tick still queued does nothing once polling has stopped
    EXPECT_EQ(live.Messages().size(), 1u);

    sim = std::make_unique<SimProcess>(home, std::vector<std::string>{});
    ASSERT_TRUE(sim->Ready()) << sim->Output();
    live.dlg.OnStart();
    live.Tick();
    live.Tick();
    EXPECT_EQ(live.Messages().size(), 1u) << live.Messages().back();
    EXPECT_TRUE(live.dlg.m_bRunning);
    EXPECT_EQ(live.dlg.m_nAnswers, 2u);  // counted afresh from the new start
}

}  // namespace
}  // namespace vantor::test

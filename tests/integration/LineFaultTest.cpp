// Faults of the line itself, over real pseudo-terminals: a device that goes away while it is
// polled, and a line that carries nothing but noise.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "serial/LineTrace.h"
#include "serial/SerialIo.h"
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
    live.dlg.OnTimer(kPollTimer);
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
    EXPECT_FALSE(live.window.TimerRunning(kPollTimer));
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

// A pseudo-terminal linked as COM1 whose other end writes random bytes without a pause long
// enough to end a collection: about 32 kB/s, more than the collection reads. After a megabyte
// (half a minute) it falls silent, so that a collection without a bound fails instead of
// hanging the test.
class NoisyLine {
public:
    explicit NoisyLine(const TempHome& home) {
        // Non-blocking, so that the writer never waits on a queue nobody reads.
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
            throw std::runtime_error("no pseudo-terminal");
        }
        std::filesystem::create_directories(home.Path() + "/.vantor3/ports");
        std::filesystem::create_symlink(ptsname(master_), home.Path() + "/.vantor3/ports/com1");
        writer_ = std::thread([this] { Write(); });
    }
    NoisyLine(const NoisyLine&) = delete;
    NoisyLine& operator=(const NoisyLine&) = delete;
    ~NoisyLine() {
        stop_ = true;
        writer_.join();
        close(master_);
    }

private:
    void Write() {
        std::mt19937 random(7);
        std::uint8_t burst[64];
        constexpr std::size_t kBudget = 1 << 20;
        for (std::size_t sent = 0; !stop_ && sent < kBudget; sent += sizeof burst) {
            for (std::uint8_t& byte : burst) {
                byte = static_cast<std::uint8_t>(random());
            }
            // A full queue (nobody reading) is no reason to stop: the next burst goes in later.
            (void)!write(master_, burst, sizeof burst);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    int master_ = -1;
    std::atomic<bool> stop_{false};
    std::thread writer_;
};

// What one collection took from the line: the bytes of every chunk read.
class ReceivedCount : public ILineTrace {
public:
    void OnTraffic(TraceDirection direction, const SystemTime&, const std::uint8_t*,
                   std::size_t count) override {
        if (direction == TraceDirection::Received) {
            bytes += count;
        }
    }
    std::size_t bytes = 0;
};

// Resident memory of this process, in kilobytes.
long ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

struct NoiseCase {
    const char* name;
    bool ascii;
};

class LineNoise : public testing::TestWithParam<NoiseCase> {
protected:
    TempHome home;
    NoisyLine line{home};
};

// Every start and every tick collects from a line that never falls silent: each collection
// must end at its buffer's bound, the tick must report the garbage as a reply code, and
// nothing may pile up from one round to the next.
TEST_P(LineNoise, EachTickEndsWithinItsBufferAndReportsAReplyCode) {
    LivePolling live(home);
    ASSERT_EQ(live.dlg.m_port.m_strPortName, "COM1");
    live.Load("demo.dat");
    if (GetParam().ascii) {
        live.dlg.m_b8Bit = FALSE;
        live.dlg.m_strDataBits = "7";
    }
    ReceivedCount received;
    live.dlg.m_port.SetTrace(&received);

    constexpr int kRounds = 5;
    constexpr int kSettledRound = 1;
    long settledKb = 0;
    for (int round = 0; round < kRounds; ++round) {
        live.window.messages.clear();
        live.dlg.OnStart();
        ASSERT_TRUE(live.dlg.m_bRunning);
        received.bytes = 0;
        EXPECT_LT(TimedTick(live), kTickBound) << "round " << round;
        EXPECT_GT(received.bytes, 0u);
        EXPECT_LE(received.bytes, kAccumBufferSize) << "round " << round;
        ASSERT_EQ(live.window.messages.size(), 1u) << "round " << round;
        EXPECT_EQ(live.window.messages[0].caption, "Ошибка");
        EXPECT_FALSE(live.dlg.m_bRunning);
        if (round == kSettledRound) {
            settledKb = ResidentKb();
        }
    }
    EXPECT_LT(ResidentKb() - settledKb, 4096) << "resident memory grew with every round";
}

INSTANTIATE_TEST_SUITE_P(Framings, LineNoise,
                         testing::Values(NoiseCase{"Rtu", false}, NoiseCase{"Ascii", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Over IEC 60870-5-101 the noise already fails the link initialisation of the start.
TEST(LineNoiseIec, StartRefusesTheLinkWithoutHanging) {
    TempHome home;
    NoisyLine line(home);
    LivePolling live(home);
    live.Load("demo-iec.dat");
    const auto start = SteadyClock::now();
    live.dlg.OnStart();
    EXPECT_LT(SteadyClock::now() - start, kTickBound);
    EXPECT_EQ(live.Messages(), std::vector<std::string>{"Ошибка: Ошибка при инициализации канала"});
    EXPECT_FALSE(live.dlg.m_bRunning);
}

}  // namespace
}  // namespace vantor::test

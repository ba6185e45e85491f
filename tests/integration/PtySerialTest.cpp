#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "platform/SystemSerialOpener.h"
#include "platform/SystemClock.h"
#include "serial/ComPort.h"
#include "support/FakePaths.h"

namespace vantor {
namespace {

// A pseudo-terminal pair: the port object opens the terminal end as "COM1", the test plays
// the other side of the line on the master end.
class PtySerialTest : public testing::Test {
protected:
    void SetUp() override {
        int terminal = -1;
        char name[256] = {};
        ASSERT_EQ(openpty(&master_, &terminal, name, nullptr, nullptr), 0);
        close(terminal);
        paths_.MapPort("COM1", name);
        ASSERT_TRUE(port_.Open("COM1"));
    }
    void TearDown() override {
        port_.Close();
        close(master_);
    }

    // What the master end receives within `timeoutMs`, until `count` bytes arrived.
    ByteArray ReadMaster(std::size_t count, int timeoutMs = 2000) {
        ByteArray got;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 50) > 0) {
                std::uint8_t buffer[512];
                const ssize_t n = read(master_, buffer, sizeof buffer);
                if (n > 0) {
                    got.insert(got.end(), buffer, buffer + n);
                }
            }
        }
        return got;
    }
    LineSettings DeviceSettings() {
        LineSettings s;
        EXPECT_TRUE(port_.m_hCom.Device()->GetSettings(s));
        return s;
    }

    int master_ = -1;
    SystemClock clock_;
    SystemSerialOpener opener_;
    test::FakePaths paths_;
    CComPort port_{clock_, opener_, paths_};
};

// Every byte value crosses unchanged in both directions: raw mode, no translation, no flow control.
TEST_F(PtySerialTest, BytesTravelBothWaysUnchanged) {
    ASSERT_TRUE(port_.Configure("9600,N,8,1"));
    ByteArray all(256);
    for (int i = 0; i < 256; ++i) {
        all[i] = static_cast<std::uint8_t>(i);
    }
    EXPECT_TRUE(port_.WriteFrame(port_.m_hCom, all.data(), all.size()));
    EXPECT_EQ(ReadMaster(all.size()), all);

    ASSERT_EQ(write(master_, all.data(), all.size()), 256);
    std::array<std::uint8_t, kAccumBufferSize> accum{};
    std::array<std::uint8_t, kWideChunkSize> chunk{};
    const std::size_t n = port_.CollectReply(accum, chunk);
    EXPECT_EQ(ByteArray(accum.begin(), accum.begin() + n), all);
    // Nothing echoed back to the line.
    EXPECT_TRUE(ReadMaster(1, 100).empty());
}

// Pseudo-terminals carry no parity (the kernel clears it), so only the acceptance of mark and
// space parity shows here; the rates and stop bits stick.
TEST_F(PtySerialTest, EveryRateAndParityOfTheSystemIsAccepted) {
    struct Case {
        const char* text;
        std::uint32_t baud;
        StopBits stopBits;
    };
    const Case cases[] = {
        {"14400,M,8,1", 14400, StopBits::One},   {"76800,S,8,2", 76800, StopBits::Two},
        {"1200,ЧЕТ,8,2", 1200, StopBits::Two},   {"115200,НЕЧЕТ,8,1", 115200, StopBits::One},
        {"38400,НЕТ,8,1", 38400, StopBits::One},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(port_.Configure(c.text)) << c.text;
        const LineSettings s = DeviceSettings();
        EXPECT_EQ(s.baudRate, c.baud) << c.text;
        EXPECT_EQ(s.stopBits, c.stopBits) << c.text;
        EXPECT_EQ(s.dataBits, 8) << c.text;
    }
}

// As the Windows driver does: 1.5 stop bits only go with 5 data bits.
TEST_F(PtySerialTest, OneAndAHalfStopBitsWithEightDataBitsAreRefused) {
    ASSERT_TRUE(port_.Configure("19200,E,8,2"));
    const LineSettings before = DeviceSettings();
    EXPECT_FALSE(port_.Configure("9600,N,8,1.5"));
    EXPECT_EQ(DeviceSettings(), before);
}

TEST_F(PtySerialTest, APortHeldElsewhereDoesNotOpen) {
    CComPort other{clock_, opener_, paths_};
    EXPECT_FALSE(other.Open("COM1"));
    EXPECT_TRUE(other.m_hCom.IsInvalid());
    port_.Close();
    EXPECT_TRUE(other.Open("COM1"));
}

TEST(SystemSerialOpener, OnlyTerminalsOpen) {
    SystemSerialOpener opener;
    EXPECT_EQ(opener.Open("/nonexistent/tty"), nullptr);
    EXPECT_FALSE(opener.LastOpenDenied());
    EXPECT_EQ(opener.Open("/dev/null"), nullptr);
    EXPECT_FALSE(opener.LastOpenDenied());
}

// A terminal the user may not open is told apart from an absent or foreign one: the port
// object keeps its path for the message at start. Root passes through file modes, so the
// opening runs as "nobody" in a child process.
TEST(SystemSerialOpener, ATerminalWithoutPermissionIsDenied) {
    int master = -1;
    int terminal = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &terminal, name, nullptr, nullptr), 0);
    close(terminal);
    ASSERT_EQ(chmod(name, 0600), 0);
    constexpr uid_t kNobody = 65534;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool root = geteuid() == 0;
        if (root ? setresuid(kNobody, kNobody, kNobody) != 0 : chmod(name, 0) != 0) {
            _exit(2);
        }
        test::FakePaths paths;
        paths.MapPort("COM1", name);
        SystemSerialOpener opener;
        SystemClock clock;
        CComPort port(clock, opener, paths);
        const bool refused = !port.Open("COM1") && port.m_strDeniedPath == name;
        _exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(master);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace vantor

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/SystemSerialOpener.h"
#include "platform/SystemClock.h"
#include "serial/ComPort.h"
#include "support/ChildProcess.h"
#include "support/FakePaths.h"

namespace vantor {
namespace {

using test::ChildProcess;

enum class Framing { Rtu, Ascii };

constexpr std::uint16_t kFirstRegister = 0x0100;
const ByteArray kServedBytes = {0x13, 0x88, 0xEC, 0x78, 0x00, 0x00, 0x7F, 0xFF};

// An independent Modbus slave (pymodbus) on one end of a socat pseudo-terminal pair, serving
// four input registers from 0x0100; the port object opens the other end as "COM1".
class ModbusPeerTest : public testing::TestWithParam<Framing> {
protected:
    void SetUp() override {
        const std::string slaveEnd = paths_.Root() + "/slave";
        const std::string masterEnd = paths_.Root() + "/master";
        socat_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            "socat", "-d", "-d", "-T", "30", "pty,raw,echo=0,link=" + slaveEnd,
            "pty,raw,echo=0,link=" + masterEnd});
        ASSERT_TRUE(socat_->WaitForOutput("starting data transfer loop", 5000)) << socat_->Output();

        slave_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            VANTOR_SYSTEM_PYTHON, VANTOR_SOURCE_DIR "/tests/integration/modbus_slave.py", "--port",
            slaveEnd, "--framer", GetParam() == Framing::Rtu ? "rtu" : "ascii", "--start",
            std::to_string(kFirstRegister), "--registers", "0x1388,0xEC78,0,0x7FFF"});
        ASSERT_TRUE(slave_->WaitForOutput("ready", 10000)) << slave_->Output();

        paths_.MapPort("COM1", masterEnd);
        ASSERT_TRUE(port_.Open("COM1"));
        // Pseudo-terminals refuse 7 data bits, so ASCII runs with 8 here as well.
        ASSERT_TRUE(port_.Configure("9600,N,8,1"));
    }

    // Reads `count` registers from `start` as the poll does, waiting for the reply to begin as
    // the poll period would.
    std::uint8_t Read(std::uint16_t start, std::uint8_t count, ByteArray& reply) {
        const ByteArray quantity = {0, count};
        if (GetParam() == Framing::Rtu) {
            port_.SendRtuRequest(1, 4, start, quantity);
        } else {
            port_.SendAsciiRequest(1, 4, start, quantity);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (port_.m_hCom.Device()->BytesWaiting() == 0 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return GetParam() == Framing::Rtu ? port_.ReceiveRtuReply(reply)
                                          : port_.ReceiveAsciiReply(reply);
    }

    test::FakePaths paths_;  // a temporary folder for the links, and the port name map
    SystemClock clock_;
    SystemSerialOpener opener_;
    CComPort port_{clock_, opener_, paths_};
    std::unique_ptr<ChildProcess> socat_;
    std::unique_ptr<ChildProcess> slave_;
};

TEST_P(ModbusPeerTest, ReadsTheServedRegisters) {
    ByteArray reply;
    ASSERT_EQ(Read(kFirstRegister, 4, reply), 0) << slave_->Output();
    ByteArray expected = {1, 4};
    expected.insert(expected.end(), kServedBytes.begin(), kServedBytes.end());
    EXPECT_EQ(reply, expected);

    reply.clear();
    ASSERT_EQ(Read(kFirstRegister + 1, 2, reply), 0);
    EXPECT_EQ(reply, (ByteArray{1, 4, 0xEC, 0x78, 0x00, 0x00}));
}

TEST_P(ModbusPeerTest, AReadOutsideTheServedRangeIsIllegalDataAddress) {
    ByteArray reply;
    EXPECT_EQ(Read(kFirstRegister + 3, 2, reply), 102);
    EXPECT_EQ(reply, (ByteArray{1, 0x84, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Framings, ModbusPeerTest, testing::Values(Framing::Rtu, Framing::Ascii),
                         [](const auto& info) {
                             return info.param == Framing::Rtu ? "Rtu" : "Ascii";
                         });

}  // namespace
}  // namespace vantor

#include <gtest/gtest.h>

#include "serial/ComPort.h"
#include "support/FakePlatform.h"

namespace vantor {
namespace {

using test::Bytes;
using test::FakePaths;
using test::FakePlatform;
using test::FakeSerialDevice;
using test::Reply;

class ModbusPortTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(port.Open("COM1")); }

    FakePlatform fake;
    FakeSerialDevice& line = fake.serial.Add(FakePaths::FakePortPath(1));
    CComPort port{fake.clock, fake.serial, fake.paths};
};

TEST_F(ModbusPortTest, RtuTransaction) {
    const ByteArray request = {0x01, 0x04, 0x00, 0x00, 0x00, 0x02, 0x71, 0xCB};
    // Answer in three pieces 10 ms apart, the first 30 ms after the request.
    line.Expect(request, Reply({0x01, 0x04, 0x04, 0x13, 0x88, 0x00, 0x64, 0x7E, 0xC1}, 30, 3, 10));
    port.SendRtuRequest(1, 4, 0, {0, 2});
    ByteArray reply;
    EXPECT_EQ(port.ReceiveRtuReply(reply), 0);
    EXPECT_EQ(reply, (ByteArray{1, 4, 0x13, 0x88, 0x00, 0x64}));
    EXPECT_EQ(line.Writes(), std::vector<ByteArray>{request});
}

TEST_F(ModbusPortTest, AsciiTransaction) {
    line.Expect(Bytes(":01040000000AF1\r\n"), Reply(Bytes(":0104020005F4\r\n"), 5, 4, 2));
    port.SendAsciiRequest(1, 4, 0, {0, 10});
    ByteArray reply;
    EXPECT_EQ(port.ReceiveAsciiReply(reply), 0);
    EXPECT_EQ(reply, (ByteArray{1, 4, 0, 5}));
    EXPECT_EQ(line.PendingExpectations(), 0u);
}

TEST_F(ModbusPortTest, SilenceIsTooShort) {
    port.SendRtuRequest(1, 4, 0, {0, 2});
    ByteArray reply;
    EXPECT_EQ(port.ReceiveRtuReply(reply), 4);
    EXPECT_EQ(port.ReceiveAsciiReply(reply), 4);
    EXPECT_TRUE(reply.empty());
}

// The clock bytes are the UTC time of the moment of the call.
TEST_F(ModbusPortTest, ClockDataFollowsTheClock) {
    fake.clock.SetUtc(2027, 1, 3, 23, 59, 58, 999);  // a Sunday
    ByteArray data = {0, 3, 7};
    port.AppendClockData(data);
    EXPECT_EQ(data, (ByteArray{0, 3, 7, 0xE6, 0x77, 23, 59, 27, 1, 7 * 32 + 3}));
}

}  // namespace
}  // namespace vantor

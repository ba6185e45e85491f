#include <gtest/gtest.h>

#include "support/PortFixture.h"

namespace vantor {
namespace {

using test::Bytes;
using test::Reply;

using ModbusPortTest = test::OpenPortFixture;

TEST_F(ModbusPortTest, RtuTransaction) {
    const ByteArray request = {0x01, 0x04, 0x00, 0x00, 0x00, 0x02, 0x71, 0xCB};
    // Answer in three pieces 10 ms apart, the first 30 ms after the request.
    com1.Expect(request, Reply({0x01, 0x04, 0x04, 0x13, 0x88, 0x00, 0x64, 0x7E, 0xC1}, 30, 3, 10));
    port.SendRtuRequest(1, 4, 0, {0, 2});
    ByteArray reply;
    EXPECT_EQ(port.ReceiveRtuReply(reply), 0);
    EXPECT_EQ(reply, (ByteArray{1, 4, 0x13, 0x88, 0x00, 0x64}));
    EXPECT_EQ(com1.Writes(), std::vector<ByteArray>{request});
}

TEST_F(ModbusPortTest, AsciiTransaction) {
    com1.Expect(Bytes(":01040000000AF1\r\n"), Reply(Bytes(":0104020005F4\r\n"), 5, 4, 2));
    port.SendAsciiRequest(1, 4, 0, {0, 10});
    ByteArray reply;
    EXPECT_EQ(port.ReceiveAsciiReply(reply), 0);
    EXPECT_EQ(reply, (ByteArray{1, 4, 0, 5}));
    EXPECT_EQ(com1.PendingExpectations(), 0u);
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

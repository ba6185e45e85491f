#include <gtest/gtest.h>

#include <random>

#include "modbus/AsciiFrame.h"
#include "modbus/ClockData.h"
#include "modbus/ModbusChecksums.h"
#include "modbus/ModbusHex.h"
#include "modbus/RtuFrame.h"
#include "support/FakeSerialDevice.h"
#include "support/ModbusFrames.h"

namespace vantor {
namespace {

using test::AsciiOf;
using test::Bytes;
using test::WithCrc;

TEST(ModbusChecksums, KnownValues) {
    EXPECT_EQ(Crc16(Bytes("123456789")), 0x4B37);  // the standard check value of CRC-16/MODBUS
    EXPECT_EQ(Crc16(ByteArray{}), 0xFFFF);
    EXPECT_EQ(Crc16(ByteArray{0x01, 0x04, 0x00, 0x00, 0x00, 0x0A}), 0x0D70);
    EXPECT_EQ(Lrc(ByteArray{0x01, 0x04, 0x00, 0x00, 0x00, 0x0A}), 0xF1);
    EXPECT_EQ(Lrc(ByteArray{}), 0x00);
    EXPECT_EQ(Lrc(ByteArray{0x80, 0x80}), 0x00);
}

TEST(ModbusHex, OnlyUpperCaseLettersAreDigits) {
    EXPECT_EQ(HexDigit(0), '0');
    EXPECT_EQ(HexDigit(10), 'A');
    EXPECT_EQ(HexDigit(15), 'F');
    EXPECT_EQ(HexValue('7'), 7);
    EXPECT_EQ(HexValue('F'), 15);
    EXPECT_EQ(HexValue('a'), 97);
    EXPECT_EQ(HexValue('G'), 'G');
    EXPECT_EQ(ByteToHex(0x0A), "0A");
    EXPECT_EQ(ByteToHex(0xF1), "F1");
    EXPECT_EQ(HexToByte('F', '1'), 0xF1);
    EXPECT_EQ(HexToByte('a', '1'), static_cast<std::uint8_t>(97 * 16 + 1));
    ByteArray raw = {7};
    std::string chars = ":";
    AppendHexWord(0x12AB, raw, chars);
    EXPECT_EQ(raw, (ByteArray{7, 0x12, 0xAB}));
    EXPECT_EQ(chars, ":12AB");
}

TEST(ModbusRequests, ReadInputRegistersInBothFramings) {
    EXPECT_EQ(BuildRtuRequest(1, 4, 0, {0, 10}),
              (ByteArray{0x01, 0x04, 0x00, 0x00, 0x00, 0x0A, 0x70, 0x0D}));
    EXPECT_EQ(BuildAsciiRequest(1, 4, 0, {0, 10}), ":01040000000AF1\r\n");
    EXPECT_EQ(BuildRtuRequest(0x11, 4, 0x0102, {0, 0x7D}),
              WithCrc({0x11, 0x04, 0x01, 0x02, 0x00, 0x7D}));
    EXPECT_EQ(BuildAsciiRequest(0x11, 4, 0x0102, {0, 0x7D}),
              AsciiOf({0x11, 0x04, 0x01, 0x02, 0x00, 0x7D}));
    // ASCII reads the quantity from the first two data bytes and needs both.
    EXPECT_THROW(BuildAsciiRequest(1, 4, 0, {10}), InvalidArgument);
}

// The clock write announces 3 registers but carries a byte count of 7 and seven bytes.
TEST(ModbusRequests, ClockWriteCarriesSevenBytesForThreeRegisters) {
    SystemTime t;  // Tuesday 2026-12-08 21:15:03.250
    t.year = 2026, t.month = 12, t.day = 8, t.dayOfWeek = 2;
    t.hour = 21, t.minute = 15, t.second = 3, t.milliseconds = 250;
    const ByteArray clock = ClockBytes(t);
    EXPECT_EQ(clock, (ByteArray{0x0C, 0xB2, 21, 15, 26, 12, 2 * 32 + 8}));

    ByteArray data = {0, 3, 7};
    data.insert(data.end(), clock.begin(), clock.end());
    const ByteArray body = {1, 16, 0x01, 0x00, 0, 3, 7, 0x0C, 0xB2, 21, 15, 26, 12, 72};
    EXPECT_EQ(BuildRtuRequest(1, 16, 0x0100, data), WithCrc(body));
    EXPECT_EQ(BuildAsciiRequest(1, 16, 0x0100, data), AsciiOf(body));
}

TEST(ModbusClockData, SundayIsSevenAndTheLastMillisecondFits) {
    SystemTime t;
    t.year = 2031, t.month = 3, t.day = 30, t.dayOfWeek = 0;
    t.hour = 0, t.minute = 59, t.second = 59, t.milliseconds = 999;
    EXPECT_EQ(ClockBytes(t), (ByteArray{0xEA, 0x5F, 0, 59, 31, 3, 7 * 32 + 30}));
}

struct ReplyCase {
    const char* name;
    ByteArray received;
    std::uint8_t code;
    ByteArray reply;
};

class RtuReplies : public testing::TestWithParam<ReplyCase> {};

TEST_P(RtuReplies, CodeAndReplyArray) {
    ByteArray reply;
    EXPECT_EQ(ParseRtuReply(GetParam().received, reply), GetParam().code);
    EXPECT_EQ(reply, GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RtuReplies,
    testing::Values(
        ReplyCase{"TwoRegisters",
                  WithCrc({1, 4, 4, 0x13, 0x88, 0xFF, 0x9C}),
                  0,
                  {1, 4, 0x13, 0x88, 0xFF, 0x9C}},
        ReplyCase{"FromAnotherAddress", WithCrc({7, 4, 2, 0, 5}), 0, {7, 4, 0, 5}},
        ReplyCase{"ClockWriteEcho", WithCrc({1, 16, 1, 0, 0, 3}), 0, {1, 16, 1, 0, 0, 3}},
        ReplyCase{"IllegalAddress", WithCrc({1, 0x84, 2}), 102, {1, 132, 0, 0}},
        ReplyCase{"SlaveFailure", WithCrc({1, 0x84, 4}), 104, {1, 132, 0, 0}},
        ReplyCase{"ExceptionCodeWraps", WithCrc({1, 0x84, 200}), 44, {1, 132, 0, 0}},
        ReplyCase{"UnknownFunctionCarriesNoData", WithCrc({1, 5, 0, 1, 0xFF}), 0, {1, 5}},
        ReplyCase{"BadCrc", {1, 4, 2, 0, 5, 0x00, 0x00}, 3, {}},
        ReplyCase{"CrcBytesSwapped", {0x01, 0x04, 0x00, 0x00, 0x00, 0x0A, 0x0D, 0x70}, 3, {}},
        ReplyCase{"Nothing", {}, 4, {}}, ReplyCase{"StrayByte", {0x55}, 4, {}},
        ReplyCase{"FourBytes", WithCrc({1, 0x84}), 4, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtuReplyBounds, ByteCountBeyondTheBytesReceivedThrows) {
    ByteArray reply;
    EXPECT_THROW(ParseRtuReply(WithCrc({1, 4, 4, 0, 1}), reply), InvalidArgument);
    reply.clear();
    EXPECT_THROW(ParseRtuReply(WithCrc({1, 4, 0xFF}), reply), InvalidArgument);
}

class AsciiReplies : public testing::TestWithParam<ReplyCase> {};

TEST_P(AsciiReplies, CodeAndReplyArray) {
    ByteArray reply;
    EXPECT_EQ(ParseAsciiReply(GetParam().received, reply), GetParam().code);
    EXPECT_EQ(reply, GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AsciiReplies,
    testing::Values(
        ReplyCase{"TwoRegisters",
                  Bytes(AsciiOf({1, 4, 4, 0x13, 0x88, 0xFF, 0x9C})),
                  0,
                  {1, 4, 0x13, 0x88, 0xFF, 0x9C}},
        ReplyCase{
            "FromAnotherAddress", Bytes(AsciiOf({9, 4, 2, 0xAB, 0xCD})), 0, {9, 4, 0xAB, 0xCD}},
        // 17 characters: the four bytes after the function code.
        ReplyCase{"ClockWriteEcho", Bytes(":011001000003EB\r\n"), 0, {1, 16, 1, 0, 0, 3}},
        ReplyCase{"IllegalAddress", Bytes(AsciiOf({1, 0x84, 2})), 102, {1, 132, 0, 0}},
        ReplyCase{"LowerCaseLrc", Bytes(":0104020005f4\r\n"), 3, {}},
        ReplyCase{"UpperCaseLrcOfTheSame", Bytes(":0104020005F4\r\n"), 0, {1, 4, 0, 5}},
        ReplyCase{"WrongLrc", Bytes(":0104020005F5\r\n"), 3, {}},
        // The end test looks only at the last character; the extra CR then shifts the checksum.
        ReplyCase{"CrCrLfPassesTheEndTest", Bytes(":0104020005F4\r\r\n"), 3, {}},
        ReplyCase{"LfWithoutCr", Bytes(":0104020005F4\n"), 3, {}},
        ReplyCase{"CrAlone", Bytes(":0104020005F4\r"), 2, {}},
        ReplyCase{"NoColon", Bytes(";0104020005F4\r\n"), 1, {}},
        ReplyCase{"RtuBytesInstead", {0x01, 0x04, 0x00, 0x00, 0x00, 0x0A, 0x70, 0x0D}, 1, {}},
        ReplyCase{"Nothing", {}, 4, {}}, ReplyCase{"StrayByte", {':'}, 4, {}},
        ReplyCase{"FourCharacters", Bytes(":00\n"), 4, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AsciiReplyBounds, IndexesBeyondTheCharactersReceivedThrow) {
    ByteArray reply;
    EXPECT_THROW(ParseAsciiReply(Bytes(AsciiOf({1, 4, 6, 0, 1})), reply), InvalidArgument);
    reply.clear();
    // Five characters with a sound checksum and an exception function: no exception code.
    EXPECT_THROW(ParseAsciiReply(Bytes(":00F\n"), reply), InvalidArgument);
}

// Random replies with sound checksums reach the decoding; each ends in a code or the bounds
// exception, and an accepted reply has at least its address and function.
TEST(ModbusReplies, ArbitraryBytesEndInACodeOrTheBoundsException) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 20000; ++round) {
        ByteArray body(random() % 12);
        for (auto& b : body) {
            b = static_cast<std::uint8_t>(random() % 4 == 0 ? random() % 8 : random());
        }
        const std::string ascii = AsciiOf(body);
        for (const ByteArray& input : {WithCrc(body), body, Bytes(ascii)}) {
            for (auto parse : {&ParseRtuReply, &ParseAsciiReply}) {
                ByteArray reply;
                try {
                    const std::uint8_t code = parse(input, reply);
                    if (code == 0) {
                        EXPECT_GE(reply.size(), 2u);
                    }
                } catch (const InvalidArgument&) {
                }
            }
        }
    }
}

}  // namespace
}  // namespace vantor

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "iec101/Ft12Codec.h"
#include "support/IecFrames.h"

namespace vantor::test {
namespace {

TEST(Ft12Codec, FixedFramesCarryControlAddressChecksumAndEnd) {
    struct Case {
        std::uint8_t control;
        std::uint16_t address;
        std::uint8_t addressSize;
        std::string frame;
    };
    const std::vector<Case> cases = {
        {kCtrlLinkStatus, 1, 1, "10 49 01 4A 16"},
        {kCtrlResetLink, 1, 1, "10 40 01 41 16"},
        {kCtrlClass2, 1, 1, "10 5B 01 5C 16"},
        {kCtrlClass2 | kFcbBit, 1, 1, "10 7B 01 7C 16"},
        {kCtrlLinkStatus, 0x0102, 2, "10 49 02 01 4C 16"},
        // One octet on the line sends the low octet only.
        {kCtrlLinkStatus, 0x0102, 1, "10 49 02 4B 16"},
        // Any size other than 1 sends both octets.
        {kCtrlLinkStatus, 0x0102, 0, "10 49 02 01 4C 16"},
        {kCtrlClass2, 0xFFFF, 2, "10 5B FF FF 59 16"},
        {kCtrlClass1, 5, 1, "10 5A 05 5F 16"},
        {kCtrlClass1 | kFcbBit, 5, 1, "10 7A 05 7F 16"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FixedFrame(c.control, c.address, c.addressSize), Hex(c.frame)) << c.frame;
    }
}

TEST(Ft12Codec, ObjectAddressTakesExactlyItsSize) {
    struct Case {
        std::uint32_t value;
        std::uint8_t size;
        std::string octets;
    };
    const std::vector<Case> cases = {
        {258, 1, "02"}, {258, 2, "02 01"}, {258, 3, "02 01 00"}, {0x01020304, 5, "04 03 02 01 00"},
        {258, 0, ""},
    };
    for (const Case& c : cases) {
        ByteArray frame;
        AppendObjectAddress(frame, c.value, c.size);
        EXPECT_EQ(frame, Hex(c.octets)) << c.octets;
    }
}

TEST(Ft12Codec, FinishFrameWritesLengthChecksumAndEnd) {
    ByteArray station = Hex("68 00 00 68 73 01 64 01 06 01 00 14");
    FinishFrame(station);
    EXPECT_EQ(station, Hex("68 08 08 68 73 01 64 01 06 01 00 14 F4 16"));

    ByteArray twoOctetCause = Hex("68 00 00 68 73 01 64 01 06 02 01 00 14");
    FinishFrame(twoOctetCause);
    EXPECT_EQ(twoOctetCause, Hex("68 09 09 68 73 01 64 01 06 02 01 00 14 F6 16"));

    ByteArray fixed = Hex("10 7B 01");
    FinishFrame(fixed);
    EXPECT_EQ(fixed, Hex("10 7B 01 7C 16"));
}

struct ReplyCase {
    std::string name;
    ByteArray frame;
    std::uint8_t addressSize;
    std::uint8_t code;
    bool carriesAsdu;
};

ByteArray WithLength(ByteArray frame, std::uint8_t first, std::uint8_t second) {
    frame.at(1) = first;
    frame.at(2) = second;
    return frame;
}

TEST(Ft12Codec, EveryAnswerEndsInOneReplyCode) {
    const ByteArray data = Framed(Hex("08 01 09 01 05 01 00 00 10 27 00"));
    ByteArray secondStartWrong = data;
    secondStartWrong.at(3) = 0x69;
    const std::vector<ReplyCase> cases = {
        {"nothing", {}, 1, kReplyNothing, false},
        {"single character", Hex("E5"), 1, kReplySingleAck, false},
        {"two single characters", Hex("E5 E5"), 1, kReplyTooShort, false},
        {"four octets", Hex("10 0B 01 0C"), 1, kReplyTooShort, false},
        {"positive acknowledgement", Hex("10 00 01 01 16"), 1, kReplyAccepted, false},
        {"status of link", Hex("10 0B 01 0C 16"), 1, kReplyAccepted, false},
        {"status of link with DFC", Hex("10 1B 01 1C 16"), 1, kReplyNotConfirmed, false},
        {"status of link with ACD", Hex("10 2B 01 2C 16"), 1, kReplyAccepted, false},
        {"no data", Hex("10 09 01 0A 16"), 1, kReplyNegativeAck, false},
        {"negative acknowledgement", Hex("10 01 01 02 16"), 1, kReplyBadStart, false},
        {"wrong checksum", Hex("10 0B 01 0D 16"), 1, kReplyBadChecksum, false},
        {"wrong end", Hex("10 0B 01 0C 17"), 1, kReplyBadEnd, false},
        {"wrong start", Hex("69 0B 01 0C 16"), 1, kReplyBadStart, false},
        {"two-octet address", Hex("10 0B 02 01 0E 16"), 1, kReplyAccepted, false},
        {"fixed frame too long", Hex("10 0B 01 00 00 0C 16"), 1, kReplyBadEnd, false},
        {"user data in a fixed frame", Hex("10 08 01 09 16"), 1, kReplyOtherFunction, false},
        {"other function", Hex("10 0C 01 0D 16"), 1, kReplyOtherFunction, false},
        {"our own reset echoed", Hex("10 40 01 41 16"), 1, kReplyOtherFunction, false},
        {"user data", data, 1, kReplyAccepted, true},
        {"user data with ACD", Framed(Hex("28 01 09 01 05 01 00 00 10 27 00")), 1, kReplyAccepted,
         true},
        {"variable no data", Framed(Hex("09 01 64 01 2F 01 00 00")), 1, 47, false},
        {"variable negative acknowledgement", Framed(Hex("01 01 64 01 07 01 00 00")), 1, 7, false},
        {"negative with cause 0", Framed(Hex("01 01 64 01 00 01 00 00")), 1, kReplyNegativeAck,
         false},
        {"negative with cause E5", Framed(Hex("09 01 64 01 E5 01 00 00")), 1, kReplyNegativeAck,
         false},
        {"negative, two-octet address", Framed(Hex("09 01 00 64 01 2D 01 00 00")), 2, 45, false},
        {"length longer than received", WithLength(data, 12, 12), 1, kReplyBadEnd, false},
        {"length shorter than received", WithLength(data, 10, 10), 1, kReplyBadEnd, false},
        {"length octets differ", WithLength(data, 11, 12), 1, kReplyBadStart, false},
        {"second start octet", secondStartWrong, 1, kReplyBadStart, false},
        {"empty variable frame", Hex("68 00 00 68 00 16"), 1, kReplyBadEnd, false},
        {"variable frame of five octets", Hex("68 00 00 68 16"), 1, kReplyBadChecksum, false},
    };
    for (const ReplyCase& c : cases) {
        const LinkVerdict verdict = CheckLinkReply(c.frame, c.addressSize);
        EXPECT_EQ(verdict.code, c.code) << c.name;
        EXPECT_EQ(verdict.carriesAsdu, c.carriesAsdu) << c.name;
    }
}

TEST(Ft12Codec, NegativeAnswerShorterThanItsCauseIsAnIndexError) {
    EXPECT_THROW(CheckLinkReply(Framed(Hex("09 01 64")), 1), InvalidArgument);
    // The cause octet is looked for before the checksum, never in it.
    EXPECT_THROW(CheckLinkReply(Framed(Hex("09 01 64 01")), 1), InvalidArgument);
}

TEST(Ft12Codec, LinkProcedureAnswers) {
    struct Case {
        ByteArray frame;
        bool status;
        bool reset;
        bool delay;   // acknowledges the delay command
        bool access;  // class 1 data waits
    };
    const std::vector<Case> cases = {
        {Hex("E5"), true, true, true, false},
        {Hex("10 0B 01 0C 16"), true, false, false, false},
        {Hex("10 0B 01 00 0C 16"), true, false, false, false},
        {Hex("10 1B 01 1C 16"), true, false, false, false},
        {Hex("10 2B 05 30 16"), true, false, false, true},
        {Hex("10 00 01 01 16"), false, true, true, false},
        {Hex("10 00 02 01 03 16"), false, true, false, false},
        {Hex("10 20 01 21 16"), false, true, true, true},
        {Hex("10 30 01 31 16"), false, true, false, true},
        {Hex("10 29 05 2E 16"), false, false, false, true},
        {Framed(Hex("28 05 64 01 07 05 00 00 14")), false, false, false, true},
        {Hex("10 0B 01 0D 16"), false, false, false, false},
        {Hex("10 20 01 22 16"), false, false, false, false},
        {Hex("10 00 01 02 16"), false, false, false, false},
        // Our own requests, echoed by the line, answer nothing.
        {Hex("10 40 01 41 16"), false, false, false, false},
        {Hex("10 7A 05 7F 16"), false, false, false, false},
        {Hex("10 0B 01"), false, false, false, false},
        {Hex("E5 E5"), false, false, false, false},
        {Hex(""), false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.frame));
        EXPECT_EQ(IsLinkStatusAnswer(c.frame), c.status);
        EXPECT_EQ(IsResetAcknowledged(c.frame), c.reset);
        EXPECT_EQ(IsDelayAcknowledgement(c.frame), c.delay);
        EXPECT_EQ(DemandsAccess(c.frame), c.access);
    }
}

}  // namespace
}  // namespace vantor::test

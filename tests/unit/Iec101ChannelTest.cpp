#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "iec101/Iec101Channel.h"
#include "support/FakeClock.h"
#include "support/FakeSerialDevice.h"
#include "support/IecFrames.h"

namespace vantor::test {
namespace {

class Iec101Channel : public ::testing::Test {
protected:
    void SetUp() override { iec.m_hCom = ComHandle::Of(&device); }

    // Sizes: address, object address, cause; then the fixed-frame byte and the group.
    static ByteArray Params(std::uint8_t address, std::uint8_t ioa, std::uint8_t cause,
                            std::uint8_t group = 0) {
        return {address, ioa, cause, 16, group};
    }
    static ByteArray WithCause(ByteArray params, std::uint8_t cause) {
        params.push_back(cause);
        return params;
    }
    std::uint8_t LastControl() const {
        const ByteArray& frame = device.Writes().back();
        return frame.at(frame.at(0) == 0x10 ? 1 : 4);
    }

    FakeClock clock;
    FakeSerialDevice device{clock};
    CIec101Channel iec{clock};
};

TEST_F(Iec101Channel, LinkProceduresWaitAndReadOnce) {
    const ByteArray params = Params(1, 1, 1);
    device.Expect(Hex("10 49 01 4A 16"), Reply(Hex("10 0B 01 0C 16"), 20));
    EXPECT_TRUE(iec.RequestLinkStatus(1, params));
    device.Expect(Hex("10 40 01 41 16"), Reply(Hex("E5"), 20));
    EXPECT_TRUE(iec.ResetRemoteLink(1, params));
    EXPECT_EQ(clock.Sleeps(), (std::vector<unsigned>{150, 150}));
    EXPECT_EQ(device.PendingExpectations(), 0u);

    // An answer that comes after the wait is not waited for.
    device.Expect(Hex("10 49 02 01 4C 16"), Reply(Hex("10 0B 02 01 0E 16"), 200));
    EXPECT_FALSE(iec.RequestLinkStatus(0x0102, Params(2, 2, 1)));
    device.Expect(Hex("10 40 01 41 16"), Reply(Hex("10 01 01 02 16")));
    EXPECT_FALSE(iec.ResetRemoteLink(1, params));
}

TEST_F(Iec101Channel, FrameCountBitAlternatesOverEveryFrameWithFcv) {
    const ByteArray params = Params(1, 2, 1);
    const ByteArray interrogation = WithCause(params, 6);
    const ByteArray read = WithCause(params, 5);
    struct Step {
        std::string what;
        std::uint8_t control;
    };
    std::vector<Step> seen;
    const auto note = [&](const std::string& what) { seen.push_back({what, LastControl()}); };

    iec.RequestClass2Data(1, params, 1);
    note("class 2");
    iec.RequestClass2Data(1, params, 1);
    note("class 2");
    iec.RequestClass2Data(1, params, 0);
    note("class 2, FCB off");
    iec.SendCommand(1, kTypeInterrogation, 0, interrogation);
    note("interrogation");
    iec.SendCommand(1, kTypeRead, 0x100, read);
    note("read");
    iec.ResetRemoteLink(1, params);
    note("reset");
    iec.SendClockSync(1, params);
    note("clock");
    iec.RequestClass2Data(1, params, 0);
    note("class 2, FCB off");
    iec.SendDelay(1, params, 57);
    note("delay");
    iec.RequestClass2Data(1, params, 1);
    note("class 2");

    const std::vector<std::uint8_t> expected = {0x5B, 0x7B, 0x5B, 0x53, 0x7B,
                                                0x40, 0x73, 0x5B, 0x53, 0x7B};
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(seen[i].control, expected[i]) << i << " " << seen[i].what;
    }
}

TEST_F(Iec101Channel, CommandsOnTheLine) {
    clock.SetUtc(2026, 12, 8, 21, 15, 3, 250);
    struct Case {
        std::string name;
        ByteArray params;
        std::uint8_t type;
        std::uint32_t ioa;
        std::uint16_t address;
        std::string frame;
        BOOL standardForms = FALSE;  // read as user data, interrogation at object address 0
    };
    const std::vector<Case> cases = {
        {"station interrogation", WithCause(Params(1, 1, 1), 6), kTypeInterrogation, 0, 1,
         "68 08 08 68 73 01 64 01 06 01 00 14 F4 16"},
        {"interrogation at a block's address", WithCause(Params(1, 2, 1), 6), kTypeInterrogation,
         0x100, 1, "68 09 09 68 73 01 64 01 06 01 00 01 14 F5 16"},
        {"interrogation at address 0 chosen", WithCause(Params(1, 2, 1), 6), kTypeInterrogation,
         0x100, 1, "68 09 09 68 73 01 64 01 06 01 00 00 14 F4 16", TRUE},
        {"two-octet cause", WithCause(Params(1, 1, 2), 6), kTypeInterrogation, 0, 1,
         "68 09 09 68 73 01 64 01 06 02 01 00 14 F6 16"},
        {"group 3", WithCause(Params(1, 1, 1, 3), 6), kTypeInterrogation, 0, 1,
         "68 08 08 68 73 01 64 01 06 01 00 17 F7 16"},
        {"deactivation, two-octet addresses", WithCause(Params(2, 2, 1), 8), kTypeInterrogation, 0,
         0x0102, "68 0B 0B 68 73 02 01 64 01 08 02 01 00 00 14 FA 16"},
        {"read command, three-octet object address", WithCause(Params(1, 3, 1), 5), kTypeRead, 258,
         1, "68 09 09 68 7B 01 66 01 05 01 02 01 00 EC 16"},
        {"read command as user data chosen", WithCause(Params(1, 3, 1), 5), kTypeRead, 258, 1,
         "68 09 09 68 73 01 66 01 05 01 02 01 00 E4 16", TRUE},
    };
    for (const Case& c : cases) {
        iec.m_bReadAsUserData = c.standardForms;
        iec.m_bInterrogateAtZero = c.standardForms;
        iec.m_bFcb = TRUE;  // the first frame after a reset
        iec.SendCommand(c.address, c.type, c.ioa, c.params);
        EXPECT_EQ(device.Writes().back(), Hex(c.frame)) << c.name;
    }
    iec.m_bFcb = TRUE;
    iec.SendClockSync(1, Params(1, 2, 1));
    EXPECT_EQ(device.Writes().back(),
              Hex("68 0F 0F 68 73 01 67 01 06 01 00 00 B2 0C 0F 15 48 0C 1A 33 16"));
}

TEST_F(Iec101Channel, ReceiveReplyCollectsChecksAndDecodes) {
    const std::size_t items = 2;
    const ByteArray tags = {20, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::uint16_t ms = 7;
    std::uint16_t hourMinute = 7;

    ByteArray reply;
    ByteArray params = Params(1, 2, 1);
    device.Queue(Framed(Hex("08 01 15 82 14 01 00 01 88 13 01 02")), 10);
    EXPECT_EQ(iec.ReceiveReply(reply, params, items, tags, ms, hourMinute), 0);
    EXPECT_EQ(reply, Hex("FF 00 13 88 02 01"));
    EXPECT_EQ(params, Hex("01 02 01 10 00 15 14"));
    EXPECT_EQ(ms, 0);

    // Nothing arrived: 75 ms of waiting, code 4, nothing appended.
    const std::int64_t before = clock.NowMs();
    ByteArray silent = Params(1, 2, 1);
    EXPECT_EQ(iec.ReceiveReply(reply, silent, items, tags, ms, hourMinute), kReplyNothing);
    EXPECT_EQ(clock.NowMs() - before, 75);
    EXPECT_EQ(silent, Params(1, 2, 1));

    device.Queue(Hex("E5"));
    EXPECT_EQ(iec.ReceiveReply(reply, silent, items, tags, ms, hourMinute), kReplySingleAck);
    EXPECT_EQ(silent, Params(1, 2, 1));
}

// The answer carrying the returned time stamp comes from class 2, or from class 1 when the
// acknowledgement says with ACD that it waits there.
TEST_F(Iec101Channel, MeasureDelayTimesTheAnswerOnTheClock) {
    struct Case {
        int second;
        int millisecond;  // of the activation; the data request follows 350 ms later
        std::int64_t answerAfterMs;
        std::uint16_t stamp;
        std::uint16_t delay;
        std::string acknowledgement;
        std::string request;
    };
    // First octets at 10.200 with the stamp 10000; at 00.100 of the next minute with 59900.
    const std::vector<Case> cases = {
        {9, 800, 50, 10000, 100, "10 00 01 01 16", "10 7B 01 7C 16"},
        {59, 700, 50, 59900, 100, "10 00 01 01 16", "10 7B 01 7C 16"},
        {9, 800, 50, 10000, 100, "E5", "10 7B 01 7C 16"},
        {9, 800, 50, 10000, 100, "10 20 01 21 16", "10 7A 01 7B 16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.acknowledgement);
        clock.SetUtc(2026, 12, 8, 21, 15, c.second, c.millisecond);
        const std::uint16_t sent = static_cast<std::uint16_t>(c.second * 1000 + c.millisecond);
        const ByteArray activation =
            Framed({0x53, 0x01, 0x6A, 0x01, 0x06, 0x01, 0x00, 0x00,
                    static_cast<std::uint8_t>(sent & 0xFF), static_cast<std::uint8_t>(sent >> 8)});
        iec.m_bFcb = FALSE;
        device.Expect(activation, Reply(Hex(c.acknowledgement), 30));
        device.Expect(Hex(c.request), Reply(Framed({0x08, 0x01, 0x6A, 0x01, 0x07, 0x01, 0x00, 0x00,
                                                    static_cast<std::uint8_t>(c.stamp & 0xFF),
                                                    static_cast<std::uint8_t>(c.stamp >> 8)}),
                                            c.answerAfterMs, 4, 1));
        EXPECT_EQ(iec.MeasureDelay(1, Params(1, 2, 1)), c.delay) << c.second;
        EXPECT_EQ(device.PendingExpectations(), 0u);
        EXPECT_EQ(device.TransmitWaits().back(), 150u);
    }
}

TEST_F(Iec101Channel, MeasureDelayGivesZeroWithoutAUsableAnswer) {
    const ByteArray answer = Hex("68 0A 0A 68 08 01 6A 01 07 01 00 00 10 27 B3 16");
    struct Case {
        std::string name;
        ByteArray params;
        ByteArray acknowledgement;
        ByteArray answer;
    };
    const std::vector<Case> cases = {
        {"acknowledgement with DFC", Params(1, 2, 1), Hex("10 10 01 11 16"), answer},
        {"two-octet link address", Params(2, 2, 1), Hex("10 00 01 00 01 16"),
         Framed(Hex("08 01 00 6A 01 07 01 00 00 00 10 27"))},
        {"two-octet cause", Params(1, 2, 2), Hex("10 00 01 01 16"),
         Framed(Hex("08 01 6A 01 07 00 01 00 00 10 27"))},
        {"no answer", Params(1, 2, 1), Hex("10 00 01 01 16"), {}},
        {"answer too long", Params(1, 2, 1), Hex("10 00 01 01 16"), ByteArray(50, 0x68)},
    };
    for (const Case& c : cases) {
        FakeClock lineClock;
        FakeSerialDevice line{lineClock};
        CIec101Channel channel{lineClock};
        channel.m_hCom = ComHandle::Of(&line);
        line.ExpectAny(Reply(c.acknowledgement, 10));
        line.ExpectAny(Reply(c.answer, 20));
        EXPECT_EQ(channel.MeasureDelay(1, c.params), 0) << c.name;
        // The reading loop ends at the latest in its first pass after 500 ms.
        EXPECT_LE(lineClock.NowMs() - FakeClock().NowMs(), 350 + 502) << c.name;
        for (const std::size_t room : line.ReadRooms()) {
            EXPECT_LE(room, 32u) << c.name;
        }
    }
}

TEST_F(Iec101Channel, DelayReadsTakeAtMostTheirBuffer) {
    device.ExpectAny(Reply(Hex("10 00 01 01 16"), 10));
    device.ExpectAny(Reply(ByteArray(50, 0x68), 20));
    EXPECT_EQ(iec.MeasureDelay(1, Params(1, 2, 1)), 0);
    EXPECT_EQ(device.BytesNotRead(), 50u - 32u);

    clock.Advance(1000);
    ByteArray drain(18);
    device.Read(drain.data(), drain.size());
    iec.m_bFcb = FALSE;
    device.Expect(Hex("68 0A 0A 68 53 01 6A 01 03 01 00 00 39 00 FC 16"),
                  Reply(ByteArray(40, 1), 100));
    clock.ClearSleeps();
    iec.SendDelay(1, Params(1, 2, 1), 57);
    EXPECT_EQ(device.PendingExpectations(), 0u);
    EXPECT_EQ(clock.Sleeps(), (std::vector<unsigned>{350}));
    EXPECT_EQ(device.TransmitWaits().back(), 150u);
    EXPECT_EQ(device.BytesNotRead(), 40u - 32u);
}

}  // namespace
}  // namespace vantor::test

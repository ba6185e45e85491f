#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "iec101/AsduCodec.h"
#include "iec101/Ft12Codec.h"
#include "support/IecFrames.h"

namespace vantor::test {
namespace {

void AppendLowFirst(ByteArray& bytes, std::uint32_t value, std::uint8_t size) {
    for (std::uint8_t i = 0; i < size; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

ByteArray Element(std::uint16_t value, const ByteArray& after = {}) {
    ByteArray element{static_cast<std::uint8_t>(value & 0xFF),
                      static_cast<std::uint8_t>(value >> 8)};
    element.insert(element.end(), after.begin(), after.end());
    return element;
}

// An answer of the transducer at address 1: one element per object, object addresses 0x100 on.
ByteArray Answer(const IecFieldSizes& sizes, std::uint8_t type, std::uint8_t cause, bool sequence,
                 const std::vector<ByteArray>& elements, const ByteArray& trailer = {}) {
    ByteArray userData{0x08};
    AppendLowFirst(userData, 1, sizes.address);
    userData.push_back(type);
    userData.push_back(static_cast<std::uint8_t>((sequence ? 0x80 : 0) | elements.size()));
    userData.push_back(cause);
    if (sizes.cause == 2) {
        userData.push_back(0);
    }
    AppendLowFirst(userData, 1, sizes.address);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (!sequence || i == 0) {
            AppendLowFirst(userData, static_cast<std::uint32_t>(0x100 + i), sizes.ioa);
        }
        userData.insert(userData.end(), elements[i].begin(), elements[i].end());
    }
    userData.insert(userData.end(), trailer.begin(), trailer.end());
    return Framed(userData);
}

ByteArray Params(const IecFieldSizes& sizes) {
    return {sizes.address, sizes.ioa, sizes.cause, 16};
}

// Tags of `items` configured items, with the nine more entries the loader adds.
ByteArray Tags(const ByteArray& itemTags) {
    ByteArray tags = itemTags;
    tags.insert(tags.end(), 9, 0);
    return tags;
}

struct Decoded {
    std::uint8_t code = 0;
    ByteArray reply;
    ByteArray appended;
    std::uint16_t ms = 0;
    std::uint16_t hourMinute = 0;
};

Decoded Decode(const ByteArray& frame, const IecFieldSizes& sizes, std::size_t itemCount,
               const ByteArray& itemCot, ByteArray reply = {}) {
    Decoded d{0, std::move(reply), {}, 0xAAAA, 0xBBBB};
    ByteArray params = Params(sizes);
    d.code = DecodeAsdu(frame, params, itemCount, itemCot, d.reply, {d.ms, d.hourMinute});
    d.appended.assign(params.begin() + 4, params.end());
    return d;
}

std::vector<IecFieldSizes> AllSizes() {
    std::vector<IecFieldSizes> all;
    for (std::uint8_t address : {1, 2}) {
        for (std::uint8_t ioa : {1, 2, 3}) {
            for (std::uint8_t cause : {1, 2}) {
                all.push_back({address, ioa, cause});
            }
        }
    }
    return all;
}

std::string Name(const IecFieldSizes& s) {
    return "sizes " + std::to_string(s.address) + "/" + std::to_string(s.ioa) + "/" +
           std::to_string(s.cause);
}

TEST(AsduCodec, CommandsForEachFieldSize) {
    struct Case {
        std::uint8_t type;
        std::uint8_t cause;
        std::uint16_t address;
        std::uint32_t ioa;
        IecFieldSizes sizes;
        std::string asdu;
    };
    const std::vector<Case> cases = {
        {kTypeInterrogation, 6, 1, 0, {1, 1, 1}, "64 01 06 01 00"},
        {kTypeInterrogation, 8, 1, 0, {1, 1, 2}, "64 01 08 02 01 00"},
        {kTypeInterrogation, 6, 0x0102, 0x0100, {2, 2, 1}, "64 01 06 02 01 00 01"},
        {kTypeRead, 5, 1, 258, {1, 3, 1}, "66 01 05 01 02 01 00"},
        {kTypeClockSync, 6, 1, 0, {1, 2, 2}, "67 01 06 02 01 00 00"},
        {kTypeDelayAcquisition, 3, 0x0201, 0, {2, 1, 1}, "6A 01 03 01 02 00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandAsdu(c.type, c.cause, c.address, c.ioa, c.sizes), Hex(c.asdu)) << c.asdu;
    }
}

TEST(AsduCodec, Cp56Time2aFromTheUtcClock) {
    // Tuesday 8 December 2026, 21:15:03.250.
    ByteArray tuesday;
    AppendCp56Time2a(tuesday, {2026, 12, 2, 8, 21, 15, 3, 250});
    EXPECT_EQ(tuesday, Hex("B2 0C 0F 15 48 0C 1A"));
    // Sunday is day 7 of the week; 59.999 s is the largest millisecond count.
    ByteArray sunday;
    AppendCp56Time2a(sunday, {2000, 1, 0, 2, 0, 59, 59, 999});
    EXPECT_EQ(sunday, Hex("5F EA 3B 00 E2 01 00"));
    EXPECT_EQ(MillisecondsOfMinute({2026, 1, 1, 1, 0, 0, 10, 200}), 10200);
}

TEST(AsduCodec, StationInterrogationAnswerFillsItemsInOrder) {
    for (const IecFieldSizes& sizes : AllSizes()) {
        const ByteArray frame =
            Answer(sizes, kTypeMeasuredNormalised, 20, false,
                   {Element(5000, {0}), Element(0x0102, {0}), Element(0xFFFF, {0})});
        const Decoded three = Decode(frame, sizes, 3, Tags({21, 22, 21}));
        EXPECT_EQ(three.code, kReplyAccepted) << Name(sizes);
        EXPECT_EQ(three.reply, Hex("FF 00 13 88 01 02 FF FF")) << Name(sizes);
        EXPECT_EQ(three.appended, Hex("09 14")) << Name(sizes);
        EXPECT_EQ(three.ms, 0) << Name(sizes);
        EXPECT_EQ(three.hourMinute, 0) << Name(sizes);

        const Decoded five = Decode(frame, sizes, 5, Tags({21, 22, 21, 22, 21}));
        EXPECT_EQ(five.reply, Hex("FF 00 13 88 01 02 FF FF 00 00 00 00")) << Name(sizes);
    }
}

TEST(AsduCodec, GroupAnswerGivesItemsOfOtherGroupsZero) {
    // Items tagged 22, 21, 22 answer a group 2 interrogation with two objects.
    for (const bool sequence : {true, false}) {
        for (const IecFieldSizes& sizes : AllSizes()) {
            const ByteArray frame = Answer(sizes, kTypeMeasuredNoQuality, 22, sequence,
                                           {Element(0x1111), Element(0x2222)});
            const Decoded d = Decode(frame, sizes, 3, Tags({22, 21, 22}));
            EXPECT_EQ(d.reply, Hex("FF 00 11 11 00 00 22 22"))
                << Name(sizes) << (sequence ? " SQ 1" : " SQ 0");
        }
    }
}

TEST(AsduCodec, TimeStampsOfTypes10And143) {
    const IecFieldSizes sizes{1, 2, 1};
    // M_ME_TA_1: value, quality, milliseconds, minute.
    const Decoded tagged = Decode(
        Answer(sizes, kTypeMeasuredTimeTagged, 5, false, {Element(0x0A0B, Hex("00 34 12 2D"))}),
        sizes, 1, Tags({20}));
    EXPECT_EQ(tagged.reply, Hex("00 00 0A 0B"));
    EXPECT_EQ(tagged.ms, 0x1234);
    EXPECT_EQ(tagged.hourMinute, 0x2D);

    // The private type: values with quality, one CP56Time2a after the last object.
    const ByteArray trailer = Hex("B2 0C 0F 15 48 0C 1A");
    const ByteArray stamped =
        Answer(sizes, kTypeMeasuredPrivate, 3, false, {Element(1, {0}), Element(2, {0})}, trailer);
    const Decoded spontaneous = Decode(stamped, sizes, 2, Tags({20, 20}));
    EXPECT_EQ(spontaneous.reply, Hex("00 00 00 01 00 02"));
    EXPECT_EQ(spontaneous.ms, 3250);
    EXPECT_EQ(spontaneous.hourMinute, 0x150F);

    const Decoded unstamped =
        Decode(Answer(sizes, kTypeMeasuredPrivate, 5, true, {Element(1, {0}), Element(2, {0})}),
               sizes, 2, Tags({20, 20}));
    EXPECT_EQ(unstamped.reply, Hex("00 00 00 01 00 02"));
    EXPECT_EQ(unstamped.ms, 0);
    EXPECT_EQ(unstamped.hourMinute, 0);

    // In an interrogation answer the quality is skipped as well and the time stamp is kept.
    const ByteArray interrogated =
        Answer(sizes, kTypeMeasuredPrivate, 20, false, {Element(1, {0}), Element(2, {0})}, trailer);
    const Decoded station = Decode(interrogated, sizes, 2, Tags({21, 21}));
    EXPECT_EQ(ByteArray(station.reply.begin(), station.reply.begin() + 6),
              Hex("FF 00 00 01 00 02"));
    EXPECT_EQ(station.ms, 0xAAAA);
    EXPECT_EQ(station.hourMinute, 0xBBBB);
}

TEST(AsduCodec, CausesDecideTheCode) {
    struct Case {
        std::uint8_t type;
        std::uint8_t cause;
        std::uint8_t code;
        bool replyUntouched;
    };
    const std::vector<Case> cases = {
        {kTypeInterrogation, 44, 44, true},
        {kTypeInterrogation, 45, 45, true},
        {kTypeInterrogation, 46, 46, true},
        {kTypeInterrogation, 47, 47, true},
        // Negative causes as secondaries send them, with P/N set.
        {kTypeInterrogation, 0x40 | 44, 44, true},
        {kTypeInterrogation, 0x40 | 47, 47, true},
        // A negative confirmation is no confirmation.
        {kTypeInterrogation, 0x40 | 7, kReplyNotConfirmed, true},
        {kTypeClockSync, 0x40 | 7, kReplyNotConfirmed, true},
        // A negative deactivation: no interrogation ran, which is what was asked for.
        {kTypeInterrogation, 0x40 | 9, kReplyAccepted, true},
        // A test frame carries nothing for the master.
        {kTypeMeasuredNormalised, 0x80 | 5, kReplyAccepted, true},
        {kTypeMeasuredNormalised, 48, kReplyAccepted, true},
        {kTypeInterrogation, 7, kReplyAccepted, false},
        {kTypeInterrogation, 9, kReplyAccepted, false},
        {kTypeInterrogation, 10, kReplyAccepted, false},
        {kTypeInterrogation, 6, kReplyNotConfirmed, false},
        {kTypeInterrogation, 11, kReplyNotConfirmed, false},
        {kTypeClockSync, 7, kReplyAccepted, false},
        {kTypeMeasuredNormalised, 7, kReplyAccepted, false},
    };
    const IecFieldSizes sizes{1, 2, 2};
    for (const Case& c : cases) {
        const ByteArray frame = Answer(sizes, c.type, c.cause, false, {Hex("14")});
        const Decoded d = Decode(frame, sizes, 1, Tags({20}), Hex("01 02 03"));
        const std::string name = std::to_string(c.type) + " cause " + std::to_string(c.cause);
        EXPECT_EQ(d.code, c.code) << name;
        EXPECT_EQ(d.reply, c.replyUntouched ? Hex("01 02 03") : Hex("00 00")) << name;
        EXPECT_EQ(d.appended, (ByteArray{c.type, c.cause})) << name;
    }
}

TEST(AsduCodec, FieldsBeyondTheUserDataAreIndexErrors) {
    const IecFieldSizes sizes{1, 2, 1};
    // The header ends before the cause.
    EXPECT_THROW(Decode(Framed(Hex("08 01 09 01")), sizes, 1, Tags({20})), InvalidArgument);
    // A time-tagged object cut after its quality octet.
    EXPECT_THROW(
        Decode(Answer(sizes, kTypeMeasuredTimeTagged, 5, false, {Element(1, Hex("00 34"))}), sizes,
               1, Tags({20})),
        InvalidArgument);
}

// Whatever arrives ends in a reply code or the one index error, for every field size.
TEST(AsduCodec, GarbageEndsInACodeOrAnIndexError) {
    std::mt19937 random(101);
    std::uniform_int_distribution<int> octet(0, 255);
    std::uniform_int_distribution<std::size_t> length(1, 40);
    const std::vector<std::uint8_t> types = {9, 10, 21, 100, 143, 77};
    for (const IecFieldSizes& sizes : AllSizes()) {
        for (int run = 0; run < 400; ++run) {
            ByteArray userData{0x08};
            userData.resize(length(random));
            for (std::size_t i = 1; i < userData.size(); ++i) {
                userData[i] = static_cast<std::uint8_t>(octet(random));
            }
            if (userData.size() > 1u + sizes.address) {
                userData[1u + sizes.address] = types[static_cast<std::size_t>(run) % types.size()];
            }
            const ByteArray frame = Framed(userData);
            ByteArray params = Params(sizes);
            ByteArray reply;
            std::uint16_t ms = 0;
            std::uint16_t hourMinute = 0;
            try {
                if (CheckLinkReply(frame, sizes.address).carriesAsdu) {
                    DecodeAsdu(frame, params, 3, Tags({20, 21, 22}), reply, {ms, hourMinute});
                }
            } catch (const InvalidArgument&) {
            }
        }
    }
}

TEST(AsduCodec, DelayIsHalfTheTimeFromTheReturnedStamp) {
    const IecFieldSizes sizes{1, 2, 1};
    const auto answer = [&](std::uint16_t stamp) {
        return Answer(sizes, kTypeDelayAcquisition, 7, false, {Element(stamp)});
    };
    ASSERT_EQ(answer(1).size(), DelayAnswerLength(sizes));
    EXPECT_EQ(DelayFromAnswer(answer(10000), sizes, 10200), 100);
    EXPECT_EQ(DelayFromAnswer(answer(59900), sizes, 100), 100);
    EXPECT_EQ(DelayFromAnswer(answer(57), sizes, 171), 57);
    EXPECT_EQ(DelayFromAnswer(answer(0), sizes, 10200), 0);
    EXPECT_EQ(DelayFromAnswer(answer(60000), sizes, 100), 0);

    ByteArray badChecksum = answer(10000);
    badChecksum.at(badChecksum.size() - 2) ^= 1;
    EXPECT_EQ(DelayFromAnswer(badChecksum, sizes, 10200), 0);
    ByteArray badEnd = answer(10000);
    badEnd.back() = 0x17;
    EXPECT_EQ(DelayFromAnswer(badEnd, sizes, 10200), 0);
    // A two-octet cause makes the answer one octet longer than the one measured against.
    const IecFieldSizes twoOctetCause{1, 2, 2};
    EXPECT_EQ(
        DelayFromAnswer(Answer(twoOctetCause, kTypeDelayAcquisition, 7, false, {Element(10000)}),
                        twoOctetCause, 10200),
        0);
    const IecFieldSizes twoOctetAddress{2, 3, 1};
    EXPECT_EQ(
        DelayFromAnswer(Answer(twoOctetAddress, kTypeDelayAcquisition, 7, false, {Element(10000)}),
                        twoOctetAddress, 10200),
        100);
}

}  // namespace
}  // namespace vantor::test

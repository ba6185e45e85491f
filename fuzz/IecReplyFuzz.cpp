// IEC 60870-5-101 answers as the channel receives them (collection, link layer, ASDU), under
// every field-size combination a configuration can hold and every item list it can give.
//
// Input: address-size, object-address-size and cause-size selectors, the item count, the
// length of the group list and its bytes, then the answer frame. A selector below 0xC0 picks
// one of the sizes the protocol allows; from 0xC0 on it is taken as the size itself (0 to 63),
// as a configuration file may hold any byte there.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "iec101/Iec101Channel.h"

using namespace vantor;
using namespace vantor::fuzz;

namespace {

template <std::size_t N>
std::uint8_t FieldSize(std::uint8_t selector, const std::array<std::uint8_t, N>& allowed) {
    constexpr std::uint8_t kRawFrom = 0xC0;
    return selector < kRawFrom ? allowed[selector % N]
                               : static_cast<std::uint8_t>(selector - kRawFrom);
}

// A group tag: station (20) or group 1 to 16 mostly, any byte now and then.
std::uint8_t GroupTag(std::uint8_t selector) {
    constexpr std::uint8_t kRawFrom = 0xF0;
    return selector < kRawFrom
               ? static_cast<std::uint8_t>(kCauseStationInterrogation + selector % 17)
               : selector;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t addressSize = FieldSize(input.Byte(), std::array<std::uint8_t, 2>{1, 2});
    const std::uint8_t ioaSize = FieldSize(input.Byte(), std::array<std::uint8_t, 3>{1, 2, 3});
    const std::uint8_t causeSize = FieldSize(input.Byte(), std::array<std::uint8_t, 2>{1, 2});
    const std::size_t items = input.Byte();
    ByteArray itemCot(input.Byte() % 48);
    for (std::uint8_t& tag : itemCot) {
        tag = GroupTag(input.Byte());
    }
    const std::span<const std::uint8_t> frame = input.Rest();

    ReplayLine line(frame, PieceSizeFor(frame.size()));
    CIec101Channel channel(line.clock);
    channel.m_hCom = ComHandle::Of(&line.device);
    const ByteArray block{addressSize, ioaSize, causeSize, 0, 0};
    ByteArray params = block;
    ByteArray reply;
    std::uint16_t devMs = 0;
    std::uint16_t devHourMinute = 0;
    const auto code = CodeOrRefusal(
        [&] { return channel.ReceiveReply(reply, params, items, itemCot, devMs, devHourMinute); });
    FUZZ_CHECK(line.device.Delivered() == std::min(frame.size(), kAccumBufferSize));
    if (!code) {
        return 0;
    }
    // Two values' octets per object, behind the interrogation mark and a zero.
    FUZZ_CHECK(reply.size() % 2 == 0);
    FUZZ_CHECK(reply.empty() || (reply.size() >= 2 && reply[1] == 0));
    FUZZ_CHECK(params.size() == block.size() || params.size() == block.size() + 2);
    if (!reply.empty() && reply[0] == 0xFF) {
        // An interrogation answer gives every configured item a value.
        FUZZ_CHECK(reply.size() >= 2 + 2 * items);
    }
    return 0;
}

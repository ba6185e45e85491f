#include "iec101/Ft12Codec.h"

#include <numeric>

namespace vantor {

namespace {

constexpr std::uint8_t kFunctionMask = 0x0F;
constexpr std::uint8_t kDfcBit = 0x10;
constexpr std::uint8_t kAcdBit = 0x20;
// PRM and the reserved bit: clear in every answer of a secondary station.
constexpr std::uint8_t kPrimaryBits = 0xC0;

enum SecondaryFunction : std::uint8_t {
    kFnAck = 0,
    kFnNack = 1,
    kFnUserData = 8,
    kFnNoData = 9,
    kFnLinkStatus = 11,
};

constexpr std::size_t kShortestFrame = 5;      // a fixed frame with a one-octet address
constexpr std::size_t kLongestFixedFrame = 6;  // a fixed frame with a two-octet address
constexpr std::size_t kVariableOverhead = 6;   // 68 L L 68 ... checksum 16
constexpr std::size_t kVariableControlAt = 4;
constexpr std::size_t kFixedControlAt = 1;
constexpr std::size_t kCauseAfterAddress = 7;  // 68 L L 68 C A.. T VSQ cause

std::size_t ControlOffset(std::uint8_t startOctet) {
    return startOctet == kFixedStart ? kFixedControlAt : kVariableControlAt;
}

// A code when the framing of a frame of at least five octets is broken, else accepted.
std::uint8_t FramingFault(std::span<const std::uint8_t> frame) {
    const std::size_t n = frame.size();
    const std::uint8_t start = At(frame, 0);
    if (start != kFixedStart && start != kVariableStart) {
        return kReplyBadStart;
    }
    const std::size_t from = ControlOffset(start);
    const std::size_t summed = n - 2 > from ? n - 2 - from : 0;
    if (Ft12Checksum(frame.subspan(from, summed)) != At(frame, n - 2)) {
        return kReplyBadChecksum;
    }
    if (At(frame, n - 1) != kFrameEnd) {
        return kReplyBadEnd;
    }
    if (start == kFixedStart) {
        return n <= kLongestFixedFrame ? kReplyAccepted : kReplyBadEnd;
    }
    // The length the frame announces must be what arrived, so no field is read beyond it.
    const std::uint8_t length = At(frame, 1);
    if (At(frame, 3) != kVariableStart || At(frame, 2) != length) {
        return kReplyBadStart;
    }
    return length != 0 && length + kVariableOverhead == n ? kReplyAccepted : kReplyBadEnd;
}

// The cause octet of a negative answer in a variable frame. A cause that would read as
// acceptance (0, or the single-character code) is reported as the negative answer it is.
std::uint8_t NegativeCause(std::span<const std::uint8_t> frame, std::uint8_t addressSize) {
    const auto userData = frame.first(frame.size() - 2);
    const std::uint8_t cause = At(userData, kCauseAfterAddress + addressSize);
    return cause == kReplyAccepted || cause == kReplySingleAck ? std::uint8_t{kReplyNegativeAck}
                                                               : cause;
}

bool IsFixedFrameWithFunction(std::span<const std::uint8_t> frame, std::uint8_t function) {
    return frame.size() >= kShortestFrame && FramingFault(frame) == kReplyAccepted &&
           At(frame, 0) == kFixedStart && (At(frame, kFixedControlAt) & kPrimaryBits) == 0 &&
           (At(frame, kFixedControlAt) & kFunctionMask) == function;
}

bool IsSingleAck(std::span<const std::uint8_t> frame) {
    return frame.size() == 1 && At(frame, 0) == kSingleAck;
}

}  // namespace

std::uint8_t Ft12Checksum(std::span<const std::uint8_t> octets) {
    return static_cast<std::uint8_t>(std::accumulate(octets.begin(), octets.end(), 0u));
}

void AppendAddress(ByteArray& frame, std::uint16_t value, std::uint8_t size) {
    frame.push_back(static_cast<std::uint8_t>(value & 0xFF));
    if (size != 1) {
        frame.push_back(static_cast<std::uint8_t>(value >> 8));
    }
}

void AppendObjectAddress(ByteArray& frame, std::uint32_t value, std::uint8_t size) {
    constexpr unsigned kValueOctets = 4;
    for (unsigned i = 0; i < size; ++i) {
        frame.push_back(i < kValueOctets ? static_cast<std::uint8_t>(value >> (8 * i)) : 0);
    }
}

void FinishFrame(ByteArray& frame) {
    const std::uint8_t start = At(frame, 0);
    const std::size_t from = ControlOffset(start);
    const std::size_t summed = frame.size() > from ? frame.size() - from : 0;
    frame.push_back(Ft12Checksum(std::span(frame).subspan(from, summed)));
    frame.push_back(kFrameEnd);
    if (start == kVariableStart) {
        const auto length = static_cast<std::uint8_t>(frame.size() - kVariableOverhead);
        At(frame, 1) = length;
        At(frame, 2) = length;
    }
}

ByteArray FixedFrame(std::uint8_t control, std::uint16_t address, std::uint8_t addressSize) {
    ByteArray frame{kFixedStart, control};
    AppendAddress(frame, address, addressSize);
    FinishFrame(frame);
    return frame;
}

ByteArray VariableFrameHeader(std::uint8_t control, std::uint16_t address,
                              std::uint8_t addressSize) {
    ByteArray frame{kVariableStart, 0, 0, kVariableStart, control};
    AppendAddress(frame, address, addressSize);
    return frame;
}

LinkVerdict CheckLinkReply(std::span<const std::uint8_t> frame, std::uint8_t addressSize) {
    if (frame.empty()) {
        return {kReplyNothing};
    }
    if (IsSingleAck(frame)) {
        return {kReplySingleAck};
    }
    if (frame.size() < kShortestFrame) {
        return {kReplyTooShort};
    }
    if (const std::uint8_t fault = FramingFault(frame); fault != kReplyAccepted) {
        return {fault};
    }
    const bool fixed = At(frame, 0) == kFixedStart;
    const std::uint8_t control = At(frame, ControlOffset(At(frame, 0)));
    if ((control & kPrimaryBits) != 0) {
        return {kReplyOtherFunction};
    }
    switch (control & kFunctionMask) {
        case kFnAck:
            return {kReplyAccepted};
        case kFnNack:
            return {fixed ? std::uint8_t{kReplyBadStart} : NegativeCause(frame, addressSize)};
        case kFnUserData:
            return fixed ? LinkVerdict{kReplyOtherFunction} : LinkVerdict{kReplyAccepted, true};
        case kFnNoData:
            return {fixed ? std::uint8_t{kReplyNegativeAck} : NegativeCause(frame, addressSize)};
        case kFnLinkStatus:
            return {(control & kDfcBit) != 0 ? std::uint8_t{kReplyNotConfirmed}
                                             : std::uint8_t{kReplyAccepted}};
        default:
            return {kReplyOtherFunction};
    }
}

bool IsLinkStatusAnswer(std::span<const std::uint8_t> frame) {
    return IsSingleAck(frame) || IsFixedFrameWithFunction(frame, kFnLinkStatus);
}

bool IsResetAcknowledged(std::span<const std::uint8_t> frame) {
    return IsSingleAck(frame) || IsFixedFrameWithFunction(frame, kFnAck);
}

bool IsDelayAcknowledgement(std::span<const std::uint8_t> frame) {
    return IsSingleAck(frame) ||
           (frame.size() == kShortestFrame && IsFixedFrameWithFunction(frame, kFnAck) &&
            (At(frame, kFixedControlAt) & ~kAcdBit) == kFnAck);
}

bool DemandsAccess(std::span<const std::uint8_t> frame) {
    if (frame.size() < kShortestFrame || FramingFault(frame) != kReplyAccepted) {
        return false;
    }
    const std::uint8_t control = At(frame, ControlOffset(At(frame, 0)));
    return (control & kPrimaryBits) == 0 && (control & kAcdBit) != 0;
}

}  // namespace vantor

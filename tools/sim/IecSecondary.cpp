#include "IecSecondary.h"

#include <numeric>

#include "iec101/Ft12Codec.h"

namespace vantor::sim {
namespace {

constexpr std::uint8_t kPrimaryBit = 0x40;
constexpr std::uint8_t kFcbBit = 0x20;
constexpr std::uint8_t kFcvBit = 0x10;
constexpr std::uint8_t kAcdBit = 0x20;
constexpr std::uint8_t kFunctionMask = 0x0F;

// Primary functions.
enum : std::uint8_t {
    kResetLink = 0,
    kUserDataConfirmed = 3,
    kUserDataUnconfirmed = 4,
    kLinkStatus = 9,
    kRequestClass1 = 10,
    kRequestClass2 = 11,
};
// Secondary functions.
enum : std::uint8_t {
    kAck = 0,
    kNack = 1,
    kUserData = 8,
    kNoData = 9,
    kStatusOfLink = 11,
    kNotImplemented = 15,
};

std::uint8_t Sum(std::span<const std::uint8_t> octets) {
    return static_cast<std::uint8_t>(std::accumulate(octets.begin(), octets.end(), 0u));
}

std::uint16_t AddressAt(std::span<const std::uint8_t> frame, std::size_t at, std::uint8_t size) {
    return static_cast<std::uint16_t>(size == 1 ? frame[at] : frame[at] | frame[at + 1] << 8);
}

}  // namespace

IecSecondary::IecSecondary(const SimDevice& device, Transducer& transducer,
                           const SimOptions& options)
    : device_(device), options_(options), application_(device, transducer, options) {}

std::optional<IecSecondary::PrimaryFrame> IecSecondary::Parse(
    std::span<const std::uint8_t> frame) const {
    const std::uint8_t size = device_.addressSize;
    const bool fixed = !frame.empty() && frame[0] == kFixedStart;
    const std::size_t controlAt = fixed ? 1 : 4;
    const bool variable = frame.size() >= 6 && frame[0] == kVariableStart &&
                          frame[3] == kVariableStart && frame[1] == frame[2] &&
                          frame.size() == frame[1] + 6u && frame[1] >= 1u + size;
    if ((!fixed || frame.size() != 4u + size) && !variable) {
        return std::nullopt;
    }
    const auto summed = frame.subspan(controlAt, frame.size() - 2 - controlAt);
    if (Sum(summed) != frame[frame.size() - 2] || frame.back() != kFrameEnd ||
        (frame[controlAt] & kPrimaryBit) == 0) {
        return std::nullopt;
    }
    PrimaryFrame parsed;
    parsed.control = frame[controlAt];
    parsed.address = AddressAt(frame, controlAt + 1, size);
    parsed.asdu.assign(summed.begin() + 1 + size, summed.end());
    return parsed;
}

std::optional<SlaveAnswer> IecSecondary::Answer(std::span<const std::uint8_t> frame) {
    const auto parsed = Parse(frame);
    if (!parsed || parsed->address != device_.address) {
        return std::nullopt;  // garbled, for another station, or a broadcast
    }
    const bool counted = (parsed->control & kFcvBit) != 0;
    const bool fcb = (parsed->control & kFcbBit) != 0;
    if (counted && lastFcb_ == fcb && lastAnswer_) {
        return lastAnswer_;  // the primary did not get the last answer: the same again
    }
    auto answer = Respond(*parsed);
    if (answer) {
        SpoilEveryNth(answer->frame);
    }
    if (counted) {
        lastFcb_ = fcb;
        lastAnswer_ = answer;
    }
    return answer;
}

std::optional<SlaveAnswer> IecSecondary::Respond(const PrimaryFrame& frame) {
    switch (frame.control & kFunctionMask) {
        case kResetLink:
            application_.Reset();
            lastFcb_ = false;  // the first counted frame after a reset carries FCB = 1
            lastAnswer_.reset();
            return Fixed(kAck);
        case kLinkStatus:
            return Fixed(kStatusOfLink);
        case kUserDataConfirmed:
            return UserData(frame, true);
        case kUserDataUnconfirmed:
            UserData(frame, false);
            return std::nullopt;
        case kRequestClass1:
            return FromOutcome(application_.Class1(), kNoData);
        case kRequestClass2:
            if (!frame.asdu.empty()) {
                return UserData(frame, true);
            }
            return FromOutcome(application_.Class2(), kNoData);
        default:
            return Fixed(kNotImplemented);
    }
}

std::optional<SlaveAnswer> IecSecondary::UserData(const PrimaryFrame& frame, bool confirmed) {
    const auto asdu =
        ParseAsdu(frame.asdu, {device_.addressSize, device_.ioaSize, device_.causeSize});
    if (!asdu) {
        return confirmed ? std::optional(Fixed(kNack)) : std::nullopt;
    }
    // The read command comes as a request with data; everything else as user data.
    const bool request = (frame.control & kFunctionMask) == kRequestClass2;
    const IecOutcome outcome = request ? application_.Read(*asdu) : application_.Command(*asdu);
    return FromOutcome(outcome, request ? kNoData : kNack);
}

// A refusal goes back in a variable frame with the negative function, carrying the mirrored
// command, so the primary learns the cause at once.
SlaveAnswer IecSecondary::FromOutcome(const IecOutcome& outcome, std::uint8_t refusalFunction) {
    SlaveAnswer answer;
    switch (outcome.kind) {
        case IecOutcome::Kind::Accepted:
            answer = Fixed(kAck);
            break;
        case IecOutcome::Kind::Refused:
            answer = Variable(refusalFunction, outcome.asdu);
            break;
        case IecOutcome::Kind::Data:
            answer = Variable(kUserData, outcome.asdu);
            break;
        case IecOutcome::Kind::NoData:
            answer = Fixed(kNoData);
            break;
    }
    answer.served = outcome.served;
    answer.report = outcome.report;
    return answer;
}

std::uint8_t IecSecondary::Control(std::uint8_t function) const {
    const bool demand = options_.standardSecondary && application_.HasClass1Data();
    return static_cast<std::uint8_t>(function | (demand ? kAcdBit : 0));
}

SlaveAnswer IecSecondary::Fixed(std::uint8_t function) {
    return {FixedFrame(Control(function), device_.address, device_.addressSize), {}, {}};
}

SlaveAnswer IecSecondary::Variable(std::uint8_t function, const ByteArray& asdu) {
    ByteArray frame = VariableFrameHeader(Control(function), device_.address, device_.addressSize);
    frame.insert(frame.end(), asdu.begin(), asdu.end());
    FinishFrame(frame);
    return {frame, {}, {}};
}

void IecSecondary::SpoilEveryNth(ByteArray& frame) {
    ++answers_;
    if (options_.badChecksumEvery != 0 && answers_ % options_.badChecksumEvery == 0 &&
        frame.size() >= 2) {
        frame[frame.size() - 2] ^= 0xFF;
    }
}

}  // namespace vantor::sim

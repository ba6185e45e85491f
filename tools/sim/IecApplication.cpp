#include "IecApplication.h"

namespace vantor::sim {
namespace {

constexpr std::uint8_t kCauseBits = 0x3F;
constexpr std::uint8_t kNegativeBit = 0x40;
constexpr std::uint8_t kLastGroup = 36;
constexpr int kMinute = 60000;

std::uint16_t WordOf(const ByteArray& elements) {
    return static_cast<std::uint16_t>(At(elements, 0) | At(elements, 1) << 8);
}

bool IsBroadcast(std::uint16_t address, const IecFieldSizes& sizes) {
    return address == (sizes.address == 1 ? 0xFF : 0xFFFF);
}

// The causes a command of each type may carry.
bool CauseFits(std::uint8_t type, std::uint8_t cause) {
    switch (type) {
        case kTypeInterrogation:
            return cause == kCauseActivation || cause == kCauseDeactivation;
        case kTypeRead:
            return cause == kCauseRequest;
        case kTypeClockSync:
            return cause == kCauseActivation;
        case kTypeDelayAcquisition:
            return cause == kCauseActivation || cause == kCauseSpontaneous;
        default:
            return false;
    }
}

}  // namespace

IecApplication::IecApplication(const SimDevice& device, Transducer& transducer,
                               const SimOptions& options)
    : device_(device),
      transducer_(transducer),
      options_(options),
      sizes_{device.addressSize, device.ioaSize, device.causeSize} {}

void IecApplication::Reset() {
    class1_.clear();
    delayStamp_.reset();
    blockCursor_ = 0;
}

std::optional<std::uint8_t> IecApplication::Refusal(const IncomingAsdu& asdu) const {
    if (options_.refuseCause && (!options_.refuseType || *options_.refuseType == asdu.type)) {
        return options_.refuseCause;
    }
    const std::uint8_t cause = asdu.cause & kCauseBits;
    if (asdu.type != kTypeInterrogation && asdu.type != kTypeRead && asdu.type != kTypeClockSync &&
        asdu.type != kTypeDelayAcquisition) {
        return kCauseUnknownType;
    }
    if (!CauseFits(asdu.type, cause)) {
        return kCauseUnknownCause;
    }
    if (asdu.commonAddress != device_.address && !IsBroadcast(asdu.commonAddress, sizes_)) {
        return kCauseUnknownCommonAddress;
    }
    const bool needsNoObject = asdu.type == kTypeClockSync || asdu.type == kTypeDelayAcquisition;
    if ((asdu.type == kTypeRead && !ItemAt(asdu.objectAddress)) ||
        (needsNoObject && asdu.objectAddress != 0)) {
        return kCauseUnknownObjectAddress;
    }
    return std::nullopt;
}

// The refusal answers the command at once and waits as class 1 data as well, for the class 2
// request with which the primary asks once more. The cause octet carries the cause alone.
IecOutcome IecApplication::Refuse(const IncomingAsdu& asdu, std::uint8_t cause) {
    IecOutcome mirror{IecOutcome::Kind::Data, Mirror(asdu, cause), {}, {}};
    class1_.push_back(mirror);
    mirror.kind = IecOutcome::Kind::Refused;
    return mirror;
}

IecOutcome IecApplication::Command(const IncomingAsdu& asdu) {
    const bool read = asdu.type == kTypeRead;
    const bool readRefused = read && options_.readForm == SimReadForm::RequestWithData;
    if (const auto refusal = readRefused ? kCauseUnknownType : Refusal(asdu)) {
        return Refuse(asdu, *refusal);
    }
    switch (asdu.type) {
        case kTypeRead:
            // Confirmed user data carries no answer: the values wait for a request.
            class1_.push_back(ReadValues(asdu));
            return {};
        case kTypeInterrogation:
            return Interrogate(asdu);
        case kTypeClockSync:
            return SynchroniseClock(asdu);
        default:
            return AcquireDelay(asdu);
    }
}

IecOutcome IecApplication::Read(const IncomingAsdu& asdu) {
    const bool refused = asdu.type != kTypeRead || options_.readForm == SimReadForm::UserData;
    if (const auto refusal = refused ? kCauseUnknownType : Refusal(asdu)) {
        return Refuse(asdu, *refusal);
    }
    return ReadValues(asdu);
}

IecOutcome IecApplication::ReadValues(const IncomingAsdu& asdu) {
    return Values(kCauseRequest, BlockFrom(*ItemAt(asdu.objectAddress)));
}

std::optional<std::size_t> IecApplication::ItemAt(std::uint32_t address) const {
    for (std::size_t k = 0; k < device_.items.size(); ++k) {
        if (device_.items[k].address == address) {
            return k;
        }
    }
    return std::nullopt;
}

IecOutcome IecApplication::Interrogate(const IncomingAsdu& asdu) {
    blockCursor_ = 0;
    if ((asdu.cause & kCauseBits) == kCauseDeactivation) {
        // Negative: no interrogation was running to deactivate.
        const auto cause = static_cast<std::uint8_t>(
            kCauseDeactivationConfirm | (options_.negativeDeactivation ? kNegativeBit : 0));
        class1_.push_back({IecOutcome::Kind::Data, Mirror(asdu, cause), {}, {}});
        return {};
    }
    const std::uint8_t qualifier = asdu.elements.empty() ? 0 : asdu.elements[0];
    if (qualifier < kCauseStationInterrogation || qualifier > kLastGroup) {
        return Refuse(asdu, kCauseUnknownCause);
    }
    class1_.push_back({IecOutcome::Kind::Data, Mirror(asdu, kCauseActivationConfirm), {}, {}});
    std::vector<std::size_t> members;
    for (std::size_t k = 0; k < device_.items.size(); ++k) {
        if (qualifier == kCauseStationInterrogation || device_.items[k].group == qualifier) {
            members.push_back(k);
        }
    }
    if (!members.empty()) {
        class1_.push_back(Values(qualifier, members));
    }
    class1_.push_back({IecOutcome::Kind::Data, Mirror(asdu, kCauseActivationTermination), {}, {}});
    return {};
}

IecOutcome IecApplication::SynchroniseClock(const IncomingAsdu& asdu) {
    const auto time = FromCp56Time2a(asdu.elements);
    if (!time || !transducer_.Clock().Set(*time)) {
        class1_.push_back(
            {IecOutcome::Kind::Data, Mirror(asdu, kCauseActivationConfirm | kNegativeBit), {}, {}});
        return {};
    }
    class1_.push_back({IecOutcome::Kind::Data, Mirror(asdu, kCauseActivationConfirm), {}, {}});
    return {IecOutcome::Kind::Accepted, {}, {}, transducer_.Clock().Describe()};
}

IecOutcome IecApplication::AcquireDelay(const IncomingAsdu& asdu) {
    const std::uint16_t value = WordOf(asdu.elements);
    if ((asdu.cause & kCauseBits) == kCauseSpontaneous) {
        return {
            IecOutcome::Kind::Accepted, {}, {}, "delay received " + std::to_string(value) + " ms"};
    }
    delayStamp_ = value;
    delayReceived_ = std::chrono::steady_clock::now();
    return {};
}

// The time the command was sent, moved on by the time it waited here, so the primary measures
// the line: twice the simulated one-way delay is taken off.
IecOutcome IecApplication::DelayAnswer() {
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - delayReceived_);
    const long long stamp =
        (static_cast<long long>(*delayStamp_) + waited.count() - 2LL * options_.lineDelayMs) %
        kMinute;
    delayStamp_.reset();
    const auto g = static_cast<std::uint16_t>(stamp < 0 ? stamp + kMinute : stamp);
    return {IecOutcome::Kind::Data, DelayAnswerAsdu(g, device_.address, sizes_), {}, {}};
}

IecOutcome IecApplication::Class1() {
    if (delayStamp_) {
        return DelayAnswer();
    }
    if (class1_.empty()) {
        return {IecOutcome::Kind::NoData, {}, {}, {}};
    }
    IecOutcome next = std::move(class1_.front());
    class1_.pop_front();
    return next;
}

IecOutcome IecApplication::Class2() {
    if (options_.standardSecondary && HasClass1Data()) {
        return {IecOutcome::Kind::NoData, {}, {}, {}};  // ACD tells the primary where to look
    }
    if (delayStamp_) {
        return DelayAnswer();
    }
    // The cursor moves as the program plans, also when class 1 data is sent instead.
    const std::vector<std::size_t> block = NextBlock();
    if (HasClass1Data()) {
        return Class1();
    }
    return Values(kCauseSpontaneous, block);
}

IecOutcome IecApplication::Values(std::uint8_t cause, const std::vector<std::size_t>& items) {
    const Reading reading = transducer_.Read();
    std::vector<ObjectValue> objects;
    for (const std::size_t k : items) {
        objects.push_back({device_.items.at(k).address, ItemCode(device_.items[k], reading)});
    }
    return {IecOutcome::Kind::Data,
            ValueAsdu(options_.valueType, cause, options_.sequence, objects, reading.clock,
                      device_.address, sizes_),
            CodesServed(device_.items, items, reading),
            {}};
}

// The run of items whose addresses rise by one from item `first` on.
std::vector<std::size_t> IecApplication::BlockFrom(std::size_t first) const {
    const auto& items = device_.items;
    std::vector<std::size_t> block;
    for (std::size_t k = first;
         k < items.size() && items[k].address == items[first].address + (k - first); ++k) {
        block.push_back(k);
    }
    return block;
}

// As the program plans: a block starts at the cursor, or at the first item when the cursor
// has passed the last item or, with the IEC tag, stands at the clock item.
std::vector<std::size_t> IecApplication::NextBlock() {
    const auto& items = device_.items;
    if (blockCursor_ >= items.size() || (device_.iecTag && items[blockCursor_].clock)) {
        blockCursor_ = 0;
    }
    std::vector<std::size_t> block = BlockFrom(blockCursor_);
    blockCursor_ += block.size();
    return block;
}

}  // namespace vantor::sim

#include "iec101/AsduCodec.h"

#include <numeric>

#include "iec101/Ft12Codec.h"

namespace vantor {

namespace {

constexpr std::uint8_t kOneObject = 1;
constexpr std::uint8_t kOriginatorAddress = 2;
constexpr std::uint8_t kSequenceBit = 0x80;
constexpr std::uint8_t kNegativeBit = 0x40;
constexpr std::uint8_t kCauseMask = 0x3F;
constexpr std::uint8_t kFirstSpecialCause = 48;  // and every cause octet with P/N or T set
constexpr std::size_t kTypeAfterAddress = 5;     // 68 L L 68 C A.. type VSQ cause
constexpr std::size_t kTrailingCp56 = 7;
constexpr std::uint16_t kMillisecondsPerMinute = 60000;

bool IsNegativeCause(std::uint8_t cause) {
    return cause >= kCauseUnknownType && cause <= kCauseUnknownObjectAddress;
}

// Walks the information objects of one received ASDU. Reads stop at the checksum: a field
// beyond the user data is an index error.
class AsduDecoder {
public:
    AsduDecoder(std::span<const std::uint8_t> frame, const IecFieldSizes& sizes, ByteArray& reply,
                DeviceTime time)
        : data_(frame.first(frame.size() - 2)), sizes_(sizes), reply_(reply), time_(time) {}

    std::uint8_t Type() const { return Octet(kTypeAfterAddress + sizes_.address); }
    bool Sequence() const {
        return (Octet(kTypeAfterAddress + 1 + sizes_.address) & kSequenceBit) != 0;
    }
    std::uint8_t Cause() const { return Octet(kTypeAfterAddress + 2 + sizes_.address); }

    void DecodeInterrogated(std::uint8_t type, std::uint8_t cause, std::size_t itemCount,
                            const ByteArray& itemCot);
    void DecodeRequested(std::uint8_t type);

private:
    std::uint8_t Octet(std::size_t pos) const { return At(data_, pos); }
    std::uint16_t Word(std::size_t pos) const {
        return static_cast<std::uint16_t>(Octet(pos) | Octet(pos + 1) << 8);
    }
    // Behind the cause, the common address and the first object address.
    std::size_t FirstElement() const {
        return kTypeAfterAddress + 2 + sizes_.address + sizes_.cause + sizes_.address + sizes_.ioa;
    }
    bool ValueRemains() const { return pos_ + 1 < data_.size(); }
    void AppendValue(std::uint16_t value);
    void TakeValue();
    void TakeCp24Time2a();
    void TakeTrailingCp56Time2a();
    void ClearTime();
    void TakeTail(std::uint8_t type, bool interrogated);

    std::span<const std::uint8_t> data_;
    IecFieldSizes sizes_;
    ByteArray& reply_;
    DeviceTime time_;
    std::size_t pos_ = 0;
};

void AsduDecoder::AppendValue(std::uint16_t value) {
    reply_.push_back(static_cast<std::uint8_t>(value >> 8));
    reply_.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void AsduDecoder::TakeValue() {
    AppendValue(Word(pos_));
    pos_ += 2;
}

void AsduDecoder::TakeCp24Time2a() {
    pos_ += 1;  // quality descriptor
    time_.ms = Word(pos_);
    pos_ += 2;
    time_.hourMinute = Octet(pos_);
    pos_ += 1;
}

void AsduDecoder::TakeTrailingCp56Time2a() {
    if (pos_ + kTrailingCp56 != data_.size()) {
        return;
    }
    time_.ms = Word(pos_);
    time_.hourMinute = Word(pos_ + 2);
    pos_ += kTrailingCp56 + 1;
}

void AsduDecoder::ClearTime() {
    time_.ms = 0;
    time_.hourMinute = 0;
}

// What follows the value of one object, by type. The private type's time stamp is taken only
// from spontaneous and requested answers.
void AsduDecoder::TakeTail(std::uint8_t type, bool interrogated) {
    switch (type) {
        case kTypeMeasuredTimeTagged:
            TakeCp24Time2a();
            break;
        case kTypeMeasuredNormalised:
            pos_ += 1;
            ClearTime();
            break;
        case kTypeMeasuredNoQuality:
            ClearTime();
            break;
        case kTypeMeasuredPrivate:
            pos_ += 1;
            if (!interrogated) {
                ClearTime();
                TakeTrailingCp56Time2a();
            }
            break;
        default:
            break;
    }
}

// Values are assigned to items by position: an item of another group gets 0 and takes no
// object, so the position stays for the next item.
void AsduDecoder::DecodeInterrogated(std::uint8_t type, std::uint8_t cause, std::size_t itemCount,
                                     const ByteArray& itemCot) {
    At(reply_, 0) = kInterrogatedMark;
    pos_ = FirstElement();
    const bool sequence = Sequence();
    std::size_t item = 0;
    for (; ValueRemains() && item < itemCot.size(); ++item) {
        if (At(itemCot, item) != cause && cause != kCauseStationInterrogation) {
            AppendValue(0);
            continue;
        }
        TakeValue();
        TakeTail(type, true);
        if (!sequence) {
            pos_ += sizes_.ioa;
        }
    }
    for (; item < itemCount; ++item) {
        AppendValue(0);
    }
}

void AsduDecoder::DecodeRequested(std::uint8_t type) {
    const bool sequence = Sequence();
    pos_ = FirstElement() - (sequence ? 0 : sizes_.ioa);
    while (ValueRemains()) {
        if (!sequence) {
            pos_ += sizes_.ioa;
        }
        TakeValue();
        TakeTail(type, false);
    }
}

}  // namespace

ByteArray CommandAsdu(std::uint8_t type, std::uint8_t cause, std::uint16_t commonAddress,
                      std::uint32_t objectAddress, const IecFieldSizes& sizes) {
    ByteArray asdu{type, kOneObject, cause};
    if (sizes.cause != 1) {
        asdu.push_back(kOriginatorAddress);
    }
    AppendAddress(asdu, commonAddress, sizes.address);
    AppendObjectAddress(asdu, objectAddress, sizes.ioa);
    return asdu;
}

void AppendWord(ByteArray& asdu, std::uint16_t value) {
    asdu.push_back(static_cast<std::uint8_t>(value & 0xFF));
    asdu.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::uint16_t MillisecondsOfMinute(const SystemTime& utc) {
    return static_cast<std::uint16_t>(utc.second * 1000 + utc.milliseconds);
}

unsigned MillisecondsBetween(std::uint16_t from, std::uint16_t to) {
    return to >= from ? to - from : to + kMillisecondsPerMinute - from;
}

void AppendCp56Time2a(ByteArray& asdu, const SystemTime& utc) {
    constexpr unsigned kSunday = 7;
    const unsigned weekday = utc.dayOfWeek == 0 ? kSunday : utc.dayOfWeek;
    AppendWord(asdu, MillisecondsOfMinute(utc));
    asdu.push_back(static_cast<std::uint8_t>(utc.minute));
    asdu.push_back(static_cast<std::uint8_t>(utc.hour));
    asdu.push_back(static_cast<std::uint8_t>(utc.day + weekday * 32));
    asdu.push_back(static_cast<std::uint8_t>(utc.month));
    asdu.push_back(static_cast<std::uint8_t>(utc.year - 2000));
}

std::size_t DelayAnswerLength(const IecFieldSizes& sizes) {
    return 2 * sizes.address + sizes.ioa + 12;
}

std::uint16_t DelayFromAnswer(std::span<const std::uint8_t> answer, const IecFieldSizes& sizes,
                              std::uint16_t arrivalMs) {
    const std::size_t length = DelayAnswerLength(sizes);
    if (answer.size() != length || At(answer, 0) != kVariableStart ||
        At(answer, length - 1) != kFrameEnd) {
        return 0;
    }
    const auto summed = answer.subspan(4, length - 6);
    if (static_cast<std::uint8_t>(std::accumulate(summed.begin(), summed.end(), 0u)) !=
        At(answer, length - 2)) {
        return 0;
    }
    const std::size_t stampAt = 8 + 2 * sizes.address + sizes.ioa;
    const unsigned stamp = At(answer, stampAt) | At(answer, stampAt + 1) << 8;
    if (stamp == 0 || stamp >= kMillisecondsPerMinute || arrivalMs >= kMillisecondsPerMinute) {
        return 0;
    }
    return static_cast<std::uint16_t>(
        MillisecondsBetween(static_cast<std::uint16_t>(stamp), arrivalMs) / 2);
}

std::uint8_t DecodeAsdu(std::span<const std::uint8_t> frame, ByteArray& params,
                        std::size_t itemCount, const ByteArray& itemCot, ByteArray& reply,
                        DeviceTime time) {
    AsduDecoder decoder(frame, FieldSizesOf(params), reply, time);
    const std::uint8_t type = decoder.Type();
    params.push_back(type);
    const std::uint8_t cause = decoder.Cause();
    params.push_back(cause);
    if (IsNegativeCause(cause & kCauseMask)) {
        return cause & kCauseMask;
    }
    // A negative confirmation refuses the command it answers, but a deactivation confirmed
    // negatively found no interrogation running, which is what it asked for.
    if ((cause & kNegativeBit) != 0) {
        const bool deactivated =
            type == kTypeInterrogation && (cause & kCauseMask) == kCauseDeactivationConfirm;
        return deactivated ? kReplyAccepted : kReplyNotConfirmed;
    }
    if (cause >= kFirstSpecialCause) {
        return kReplyAccepted;
    }
    reply.assign(2, 0);
    const bool unconfirmed = type == kTypeInterrogation && cause != kCauseActivationConfirm &&
                             cause != kCauseDeactivationConfirm &&
                             cause != kCauseActivationTermination;
    const std::uint8_t code = unconfirmed ? kReplyNotConfirmed : kReplyAccepted;
    if (cause >= kCauseStationInterrogation) {
        decoder.DecodeInterrogated(type, cause, itemCount, itemCot);
    } else if (cause == kCausePeriodic || cause == kCauseBackgroundScan ||
               cause == kCauseSpontaneous || cause == kCauseRequest) {
        decoder.DecodeRequested(type);
    }
    return code;
}

}  // namespace vantor

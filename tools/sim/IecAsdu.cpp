#include "IecAsdu.h"

#include "iec101/Ft12Codec.h"

namespace vantor::sim {
namespace {

constexpr std::size_t kCauseAt = 2;
constexpr std::size_t kVsqAt = 1;
constexpr std::uint8_t kSequenceBit = 0x80;
constexpr std::uint8_t kGoodQuality = 0;
constexpr std::size_t kCp56Octets = 7;

std::uint32_t LittleEndian(std::span<const std::uint8_t> octets, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i > 0; --i) {
        value = value << 8 | At(octets, at + i - 1);
    }
    return value;
}

void AppendElement(ByteArray& asdu, std::uint8_t type, std::int32_t code, const SystemTime& clock) {
    AppendWord(asdu, static_cast<std::uint16_t>(code));
    if (type == kTypeMeasuredNoQuality) {
        return;
    }
    asdu.push_back(kGoodQuality);
    if (type == kTypeMeasuredTimeTagged) {
        AppendWord(asdu, MillisecondsOfMinute(clock));
        asdu.push_back(static_cast<std::uint8_t>(clock.minute));
    }
}

}  // namespace

std::optional<IncomingAsdu> ParseAsdu(std::span<const std::uint8_t> asdu,
                                      const IecFieldSizes& sizes) {
    const std::size_t addressAt = kCauseAt + sizes.cause;
    const std::size_t objectAt = addressAt + sizes.address;
    const std::size_t elementsAt = objectAt + sizes.ioa;
    if (asdu.size() < elementsAt) {
        return std::nullopt;
    }
    IncomingAsdu parsed;
    parsed.type = asdu[0];
    parsed.cause = asdu[kCauseAt];
    parsed.commonAddress = static_cast<std::uint16_t>(LittleEndian(asdu, addressAt, sizes.address));
    parsed.objectAddress = LittleEndian(asdu, objectAt, sizes.ioa);
    parsed.elements.assign(asdu.begin() + static_cast<std::ptrdiff_t>(elementsAt), asdu.end());
    parsed.octets.assign(asdu.begin(), asdu.end());
    return parsed;
}

ByteArray Mirror(const IncomingAsdu& command, std::uint8_t cause) {
    ByteArray asdu = command.octets;
    At(asdu, kCauseAt) = cause;
    return asdu;
}

ByteArray ValueAsdu(std::uint8_t type, std::uint8_t cause, bool sequence,
                    const std::vector<ObjectValue>& objects, const SystemTime& clock,
                    std::uint16_t commonAddress, const IecFieldSizes& sizes) {
    const std::uint32_t first = objects.empty() ? 0 : objects.front().address;
    ByteArray asdu = CommandAsdu(type, cause, commonAddress, first, sizes);
    At(asdu, kVsqAt) =
        static_cast<std::uint8_t>((sequence ? kSequenceBit : 0) | (objects.size() & 0x7F));
    for (std::size_t k = 0; k < objects.size(); ++k) {
        if (k != 0 && !sequence) {
            AppendObjectAddress(asdu, objects[k].address, sizes.ioa);
        }
        AppendElement(asdu, type, objects[k].code, clock);
    }
    if (type == kTypeMeasuredPrivate) {
        AppendCp56Time2a(asdu, clock);
    }
    return asdu;
}

ByteArray DelayAnswerAsdu(std::uint16_t stamp, std::uint16_t commonAddress,
                          const IecFieldSizes& sizes) {
    ByteArray asdu =
        CommandAsdu(kTypeDelayAcquisition, kCauseActivationConfirm, commonAddress, 0, sizes);
    AppendWord(asdu, stamp);
    return asdu;
}

std::optional<SystemTime> FromCp56Time2a(std::span<const std::uint8_t> octets) {
    if (octets.size() < kCp56Octets) {
        return std::nullopt;
    }
    SystemTime t;
    const std::uint32_t ms = LittleEndian(octets, 0, 2);
    t.second = static_cast<std::uint16_t>(ms / 1000);
    t.milliseconds = static_cast<std::uint16_t>(ms % 1000);
    t.minute = octets[2] & 0x3F;
    t.hour = octets[3] & 0x1F;
    t.day = octets[4] & 0x1F;
    t.month = octets[5] & 0x0F;
    t.year = static_cast<std::uint16_t>(2000 + (octets[6] & 0x7F));
    return t;
}

}  // namespace vantor::sim

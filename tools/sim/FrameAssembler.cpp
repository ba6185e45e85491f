#include "FrameAssembler.h"

#include <algorithm>

namespace vantor::sim {
namespace {

// No request is longer; a longer run of bytes is noise and goes.
constexpr std::size_t kMaxFrame = 1024;

}  // namespace

FrameAssembler::FrameAssembler(SimProtocol protocol, SimFraming framing,
                               std::uint8_t linkAddressSize)
    : protocol_(protocol), framing_(framing), linkAddressSize_(linkAddressSize) {}

void FrameAssembler::Feed(std::span<const std::uint8_t> bytes) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    if (pending_.size() > kMaxFrame) {
        pending_.erase(pending_.begin(), pending_.end() - kMaxFrame);
    }
}

std::optional<ByteArray> FrameAssembler::Next() {
    DropUntilStart();
    const auto length = protocol_ == SimProtocol::Modbus ? ModbusLength() : IecLength();
    if (!length || pending_.size() < *length) {
        return std::nullopt;
    }
    ByteArray frame(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(*length));
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(*length));
    return frame;
}

std::optional<ByteArray> FrameAssembler::Flush() {
    if (pending_.empty()) {
        return std::nullopt;
    }
    ByteArray frame;
    frame.swap(pending_);
    return frame;
}

void FrameAssembler::DropUntilStart() {
    const auto isStart = [this](std::uint8_t byte) {
        if (protocol_ == SimProtocol::Iec101) {
            return byte == 0x10 || byte == 0x68 || byte == 0xE5;
        }
        return framing_ != SimFraming::Ascii || byte == ':';
    };
    pending_.erase(pending_.begin(), std::find_if(pending_.begin(), pending_.end(), isStart));
}

std::optional<std::size_t> FrameAssembler::ModbusLength() const {
    if (pending_.empty()) {
        return std::nullopt;
    }
    if (framing_ != SimFraming::Rtu && pending_[0] == ':') {
        const auto end = std::find(pending_.begin(), pending_.end(), '\n');
        return end == pending_.end() ? std::nullopt
                                     : std::optional<std::size_t>(end - pending_.begin() + 1);
    }
    if (pending_.size() < 2) {
        return std::nullopt;
    }
    const std::uint8_t function = pending_[1];
    if (function >= 1 && function <= 6) {
        return 8;  // address, function, two words, CRC
    }
    if ((function == 15 || function == 16) && pending_.size() >= 7) {
        return 9 + pending_[6];  // address, function, two words, byte count, data, CRC
    }
    return std::nullopt;
}

std::optional<std::size_t> FrameAssembler::IecLength() const {
    if (pending_.empty()) {
        return std::nullopt;
    }
    switch (pending_[0]) {
        case 0xE5:
            return 1;
        case 0x10:
            return 4 + linkAddressSize_;  // start, control, address, checksum, end
        default:
            return pending_.size() < 2 ? std::nullopt : std::optional<std::size_t>(pending_[1] + 6);
    }
}

}  // namespace vantor::sim

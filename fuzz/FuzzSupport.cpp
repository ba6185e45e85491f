#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vantor::fuzz {

void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what);
    std::abort();
}

std::uint8_t FuzzInput::Byte() {
    if (rest_.empty()) {
        return 0;
    }
    const std::uint8_t value = rest_.front();
    rest_ = rest_.subspan(1);
    return value;
}

std::string FuzzInput::RestAsText() const {
    return std::string(reinterpret_cast<const char*>(rest_.data()), rest_.size());
}

void InstantClock::Sleep(unsigned milliseconds) {
    FakeClock::Sleep(milliseconds);
    if (onSleep_) {
        onSleep_();
    }
}

ReplayDevice::ReplayDevice(std::span<const std::uint8_t> bytes, std::size_t pieceSize)
    : bytes_(bytes), pieceSize_(std::max<std::size_t>(pieceSize, 1)) {}

void ReplayDevice::Arrive() {
    arrived_ = std::min(bytes_.size(), arrived_ + pieceSize_);
}

bool ReplayDevice::GetSettings(LineSettings& settings) {
    settings = settings_;
    return true;
}

bool ReplayDevice::SetSettings(const LineSettings& settings) {
    settings_ = settings;
    return true;
}

std::size_t ReplayDevice::Read(std::uint8_t* buffer, std::size_t room) {
    const std::size_t count = std::min(room, arrived_ - read_);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(read_), count, buffer);
    read_ += count;
    return count;
}

bool ReplayDevice::Write(const std::uint8_t*, std::size_t) {
    return true;
}

bool ReplayDevice::WaitTransmitted(unsigned) {
    return true;
}

bool AnswerDevice::GetSettings(LineSettings& settings) {
    settings = settings_;
    return true;
}

bool AnswerDevice::SetSettings(const LineSettings& settings) {
    settings_ = settings;
    return true;
}

std::size_t AnswerDevice::Read(std::uint8_t* buffer, std::size_t room) {
    const std::size_t count = std::min(room, ready_.size());
    std::copy_n(ready_.begin(), count, buffer);
    ready_.erase(ready_.begin(), ready_.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

bool AnswerDevice::Write(const std::uint8_t*, std::size_t) {
    if (!answers_.empty()) {
        ready_.insert(ready_.end(), answers_.front().begin(), answers_.front().end());
        answers_.pop_front();
    }
    return true;
}

bool AnswerDevice::WaitTransmitted(unsigned) {
    return true;
}

ReplayLine::ReplayLine(std::span<const std::uint8_t> bytes, std::size_t pieceSize)
    : device(bytes, pieceSize) {
    clock.SetOnSleep([this] { device.Arrive(); });
}

ReplayPort::ReplayPort(std::span<const std::uint8_t> bytes, std::size_t pieceSize)
    : line(bytes, pieceSize) {
    port.m_hCom = ComHandle::Of(&line.device);
}

}  // namespace vantor::fuzz

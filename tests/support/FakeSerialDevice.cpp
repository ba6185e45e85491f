#include "support/FakeSerialDevice.h"

#include <algorithm>
#include <stdexcept>

namespace vantor::test {

TimedReply Reply(const ByteArray& bytes, std::int64_t firstMs, std::size_t pieceSize,
                 std::int64_t gapMs) {
    if (pieceSize == 0) {
        pieceSize = std::max<std::size_t>(bytes.size(), 1);
    }
    TimedReply reply;
    std::int64_t at = firstMs;
    for (std::size_t pos = 0; pos < bytes.size(); pos += pieceSize) {
        const auto end =
            bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), pos + pieceSize));
        reply.push_back({at, ByteArray(bytes.begin() + static_cast<std::ptrdiff_t>(pos), end)});
        at += gapMs;
    }
    return reply;
}

ByteArray Bytes(const std::string& text) {
    return ByteArray(text.begin(), text.end());
}

void FakeSerialDevice::Expect(const ByteArray& request, TimedReply reply) {
    expectations_.push_back({request, std::move(reply)});
}

void FakeSerialDevice::ExpectAny(TimedReply reply) {
    expectations_.push_back({std::nullopt, std::move(reply)});
}

void FakeSerialDevice::Queue(const ByteArray& bytes, std::int64_t afterMs) {
    Schedule({{afterMs, bytes}});
}

std::size_t FakeSerialDevice::BytesNotRead() const {
    std::size_t count = ready_.size();
    for (const auto& [at, bytes] : scheduled_) {
        count += bytes.size();
    }
    return count;
}

bool FakeSerialDevice::GetSettings(LineSettings& settings) {
    settings = settings_;
    return true;
}

bool FakeSerialDevice::SetSettings(const LineSettings& settings) {
    settingsRequests_.push_back(settings);
    if (refuse_ && refuse_(settings)) {
        return false;
    }
    settings_ = settings;
    return true;
}

std::size_t FakeSerialDevice::BytesWaiting() {
    MoveDueBytes();
    return ready_.size();
}

std::size_t FakeSerialDevice::Read(std::uint8_t* buffer, std::size_t room) {
    readRooms_.push_back(room);
    MoveDueBytes();
    const std::size_t count = std::min(room, ready_.size());
    std::copy_n(ready_.begin(), count, buffer);
    ready_.erase(ready_.begin(), ready_.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

bool FakeSerialDevice::Write(const std::uint8_t* bytes, std::size_t count) {
    const ByteArray frame(bytes, bytes + count);
    writes_.push_back(frame);
    if (failWrites_) {
        return false;
    }
    const auto match = std::find_if(expectations_.begin(), expectations_.end(),
                                    [&](auto& e) { return !e.request || *e.request == frame; });
    if (match != expectations_.end()) {
        const TimedReply reply = std::move(match->reply);
        expectations_.erase(match);
        Schedule(reply);
    } else if (responder_) {
        Schedule(responder_(frame));
    }
    return true;
}

bool FakeSerialDevice::WaitTransmitted(unsigned timeoutMs) {
    transmitWaits_.push_back(timeoutMs);
    return true;
}

void FakeSerialDevice::Schedule(const TimedReply& reply) {
    for (const auto& chunk : reply) {
        scheduled_.emplace(clock_.NowMs() + chunk.atMs, chunk.bytes);
    }
}

void FakeSerialDevice::MoveDueBytes() {
    const auto due = scheduled_.upper_bound(clock_.NowMs());
    for (auto it = scheduled_.begin(); it != due; ++it) {
        ready_.insert(ready_.end(), it->second.begin(), it->second.end());
    }
    scheduled_.erase(scheduled_.begin(), due);
}

namespace {

// What Open hands out: forwards to the opener's device and marks it closed when destroyed.
class FakeDeviceHandle : public ISerialDevice {
public:
    FakeDeviceHandle(FakeSerialDevice& device, std::shared_ptr<bool> open)
        : device_(device), open_(std::move(open)) {
        *open_ = true;
    }
    ~FakeDeviceHandle() override { *open_ = false; }

    bool GetSettings(LineSettings& settings) override { return device_.GetSettings(settings); }
    bool SetSettings(const LineSettings& settings) override {
        return device_.SetSettings(settings);
    }
    std::size_t BytesWaiting() override { return device_.BytesWaiting(); }
    std::size_t Read(std::uint8_t* buffer, std::size_t room) override {
        return device_.Read(buffer, room);
    }
    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        return device_.Write(bytes, count);
    }
    bool WaitTransmitted(unsigned timeoutMs) override { return device_.WaitTransmitted(timeoutMs); }

private:
    FakeSerialDevice& device_;
    std::shared_ptr<bool> open_;
};

}  // namespace

FakeSerialDevice& FakeSerialOpener::Add(const std::string& path) {
    Entry& entry = entries_[path];
    if (!entry.device) {
        entry.device = std::make_unique<FakeSerialDevice>(clock_);
    }
    return *entry.device;
}

void FakeSerialOpener::SetBusy(const std::string& path, bool busy) {
    Add(path);
    entries_[path].busy = busy;
}

void FakeSerialOpener::SetDenied(const std::string& path) {
    Add(path);
    entries_[path].denied = true;
}

FakeSerialDevice& FakeSerialOpener::Device(const std::string& path) {
    const auto found = entries_.find(path);
    if (found == entries_.end()) {
        throw std::logic_error("no fake serial device at " + path);
    }
    return *found->second.device;
}

bool FakeSerialOpener::IsOpen(const std::string& path) const {
    const auto found = entries_.find(path);
    return found != entries_.end() && *found->second.open;
}

std::unique_ptr<ISerialDevice> FakeSerialOpener::Open(const std::string& path) {
    attempts_.push_back(path);
    const auto found = entries_.find(path);
    lastOpenDenied_ = found != entries_.end() && found->second.denied;
    if (found == entries_.end() || found->second.busy || found->second.denied ||
        *found->second.open) {
        return nullptr;
    }
    return std::make_unique<FakeDeviceHandle>(*found->second.device, found->second.open);
}

}  // namespace vantor::test

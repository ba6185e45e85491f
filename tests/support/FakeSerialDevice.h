#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/SerialDevice.h"
#include "platform/Types.h"
#include "support/FakeClock.h"

namespace vantor::test {

// Bytes that become readable `atMs` milliseconds of fake time after the write that caused them
// (or after "now" for FakeSerialDevice::Queue).
struct TimedChunk {
    std::int64_t atMs = 0;
    ByteArray bytes;
};
using TimedReply = std::vector<TimedChunk>;

// A reply of `bytes` cut into pieces of `pieceSize` bytes: the first readable at `firstMs`, each
// next one `gapMs` later. Reply(bytes) is the whole reply readable at once.
TimedReply Reply(const ByteArray& bytes, std::int64_t firstMs = 0, std::size_t pieceSize = 0,
                 std::int64_t gapMs = 0);
ByteArray Bytes(const std::string& text);

// A serial device on the fake clock that plays scripted answers.
//
//   FakeSerialDevice dev(clock);
//   dev.Expect({0x01, 0x04, ...}, Reply(answer, 10, 4, 5));  // after that write: 4 bytes every
//                                                           // 5 ms from 10 ms on
//   dev.ExpectAny(Reply(answer));                            // after the next write of anything
//   dev.Queue(Bytes("junk"), 30);                            // readable 30 ms from now
//
// On every write the first pending expectation that matches is consumed and its chunks are
// scheduled relative to the write's moment; a write nothing matches goes unanswered unless a
// responder is set, which then answers it (and may answer nothing). Every write is recorded,
// also failed ones.
class FakeSerialDevice : public ISerialDevice {
public:
    using Responder = std::function<TimedReply(const ByteArray& written)>;

    explicit FakeSerialDevice(FakeClock& clock) : clock_(clock) {}

    // --- Script ------------------------------------------------------------------------
    void Expect(const ByteArray& request, TimedReply reply);
    void ExpectAny(TimedReply reply);
    // Answers every write no expectation matches, for a device that keeps answering.
    void SetResponder(Responder responder) { responder_ = std::move(responder); }
    // Bytes readable `afterMs` from the current fake time.
    void Queue(const ByteArray& bytes, std::int64_t afterMs = 0);
    // Writes fail (return false) while set; they are still recorded.
    void FailWrites(bool fail) { failWrites_ = fail; }
    // Settings for which the predicate is true are refused: SetSettings returns false and the
    // device keeps its previous settings.
    void RefuseSettings(std::function<bool(const LineSettings&)> refuse) {
        refuse_ = std::move(refuse);
    }

    // --- Record ------------------------------------------------------------------------
    const std::vector<ByteArray>& Writes() const { return writes_; }
    void ClearWrites() { writes_.clear(); }
    // The settings in force (the last accepted SetSettings, or the defaults).
    const LineSettings& Settings() const { return settings_; }
    // Every SetSettings call, accepted or refused, in order.
    const std::vector<LineSettings>& SettingsRequests() const { return settingsRequests_; }
    // Expectations not yet consumed.
    std::size_t PendingExpectations() const { return expectations_.size(); }
    // Bytes scheduled but not yet read (ready or not).
    std::size_t BytesNotRead() const;
    // Reads made, each with the room it offered, for checking buffer bounds.
    const std::vector<std::size_t>& ReadRooms() const { return readRooms_; }
    // Timeouts of WaitTransmitted calls, in order.
    const std::vector<unsigned>& TransmitWaits() const { return transmitWaits_; }

    // --- ISerialDevice -----------------------------------------------------------------
    bool GetSettings(LineSettings& settings) override;
    bool SetSettings(const LineSettings& settings) override;
    std::size_t BytesWaiting() override;
    std::size_t Read(std::uint8_t* buffer, std::size_t room) override;
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    bool WaitTransmitted(unsigned timeoutMs) override;

private:
    struct Expectation {
        std::optional<ByteArray> request;  // none: any write
        TimedReply reply;
    };
    void Schedule(const TimedReply& reply);
    void MoveDueBytes();

    FakeClock& clock_;
    std::deque<Expectation> expectations_;
    Responder responder_;
    std::multimap<std::int64_t, ByteArray> scheduled_;  // absolute fake ms -> bytes
    std::deque<std::uint8_t> ready_;
    bool failWrites_ = false;
    std::function<bool(const LineSettings&)> refuse_;
    LineSettings settings_;
    std::vector<LineSettings> settingsRequests_;
    std::vector<ByteArray> writes_;
    std::vector<std::size_t> readRooms_;
    std::vector<unsigned> transmitWaits_;
};

// Opens fake devices by path. A path that was never added, or is marked busy or denied, fails to
// open; so does a device that is already open (the real opener opens exclusively).
//
//   FakeSerialOpener opener(clock);
//   FakeSerialDevice& com3 = opener.Add("/fake/com3");
//   opener.SetBusy("/fake/com1", true);
//
// The opener keeps the devices; Open hands out a handle to one, so a test can inspect a device
// after the port object has closed it. The opener must outlive the handles it gave out.
class FakeSerialOpener : public ISerialOpener {
public:
    explicit FakeSerialOpener(FakeClock& clock) : clock_(clock) {}

    FakeSerialDevice& Add(const std::string& path);
    void SetBusy(const std::string& path, bool busy);
    // The device exists but the user may not open it (EACCES).
    void SetDenied(const std::string& path);
    FakeSerialDevice& Device(const std::string& path);
    bool IsOpen(const std::string& path) const;
    // Every path Open was asked for, in order.
    const std::vector<std::string>& OpenAttempts() const { return attempts_; }

    std::unique_ptr<ISerialDevice> Open(const std::string& path) override;
    bool LastOpenDenied() const override { return lastOpenDenied_; }

private:
    struct Entry {
        std::unique_ptr<FakeSerialDevice> device;
        bool busy = false;
        bool denied = false;
        std::shared_ptr<bool> open = std::make_shared<bool>(false);
    };
    FakeClock& clock_;
    std::map<std::string, Entry> entries_;
    std::vector<std::string> attempts_;
    bool lastOpenDenied_ = false;
};

}  // namespace vantor::test

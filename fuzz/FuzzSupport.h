#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "platform/SerialDevice.h"
#include "platform/Types.h"
#include "polling/DialogWindow.h"
#include "serial/ComPort.h"
#include "support/FakeClock.h"

namespace vantor::fuzz {

// A property of a parser that does not hold: abort, so that the fuzzer keeps the input.
[[noreturn]] void Fail(const char* what, const char* file, int line);
#define FUZZ_CHECK(condition) \
    ((condition) ? void(0) : ::vantor::fuzz::Fail(#condition, __FILE__, __LINE__))

// Takes the fuzzer's bytes front to back: a few steering bytes first, then the rest as data.
// A field read past the end is 0, so every input is usable.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}

    std::uint8_t Byte();
    std::span<const std::uint8_t> Rest() const { return rest_; }
    std::string RestAsText() const;

private:
    std::span<const std::uint8_t> rest_;
};

// The code of a parser, or nothing when it refused the input with the one exception the
// protocol code may raise (an index beyond the bytes received). Any other exception escapes
// and is reported by the fuzzer as the fault it is.
template <typename Parse>
std::optional<std::uint8_t> CodeOrRefusal(Parse parse) {
    try {
        return parse();
    } catch (const InvalidArgument&) {
        return std::nullopt;
    }
}

// How a replayed reply is cut into the pieces that arrive one per wait: steered by the
// length, so that a seed stays the exact bytes of a reply and still arrives in pieces of
// every size from one byte to more than a chunk buffer.
inline std::size_t PieceSizeFor(std::size_t length) {
    return 1 + length * 37 % 300;
}

// The tests' virtual clock, which also lets the line deliver its next piece at every Sleep, so
// a reply collection runs its whole rhythm in microseconds.
class InstantClock : public test::FakeClock {
public:
    void SetOnSleep(std::function<void()> onSleep) { onSleep_ = std::move(onSleep); }

    void Sleep(unsigned milliseconds) override;

private:
    std::function<void()> onSleep_;
};

// A serial device that plays one stream of received bytes: nothing is waiting at first, and
// each wait of the caller brings the next piece of `pieceSize` bytes. Reads never take more
// than their room; writes are accepted and dropped.
class ReplayDevice : public ISerialDevice {
public:
    ReplayDevice(std::span<const std::uint8_t> bytes, std::size_t pieceSize);

    void Arrive();
    std::size_t Delivered() const { return read_; }

    bool GetSettings(LineSettings& settings) override;
    bool SetSettings(const LineSettings& settings) override;
    std::size_t BytesWaiting() override { return arrived_ - read_; }
    std::size_t Read(std::uint8_t* buffer, std::size_t room) override;
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    bool WaitTransmitted(unsigned timeoutMs) override;

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pieceSize_;
    std::size_t arrived_ = 0;
    std::size_t read_ = 0;
    LineSettings settings_;
};

// A serial device that answers every frame written with the next of its answers, readable at
// once; when they have run out it stays silent. Reads never take more than their room.
class AnswerDevice : public ISerialDevice {
public:
    explicit AnswerDevice(std::deque<ByteArray> answers) : answers_(std::move(answers)) {}

    bool AnswersLeft() const { return !answers_.empty(); }

    bool GetSettings(LineSettings& settings) override;
    bool SetSettings(const LineSettings& settings) override;
    std::size_t BytesWaiting() override { return ready_.size(); }
    std::size_t Read(std::uint8_t* buffer, std::size_t room) override;
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    bool WaitTransmitted(unsigned timeoutMs) override;

private:
    std::deque<ByteArray> answers_;
    std::deque<std::uint8_t> ready_;
    LineSettings settings_;
};

// The device and the clock that drives it, wired together.
struct ReplayLine {
    ReplayLine(std::span<const std::uint8_t> bytes, std::size_t pieceSize);

    InstantClock clock;
    ReplayDevice device;
};

// No serial devices and no folders: surroundings a parser never needs.
class NoSerialOpener : public ISerialOpener {
public:
    std::unique_ptr<ISerialDevice> Open(const std::string&) override { return nullptr; }
};

class NoPaths : public IPaths {
public:
    std::string LogFolder() override { return "/nonexistent"; }
    bool CreateFolder(const std::string&) override { return false; }
    std::optional<std::string> ResolvePort(const std::string&) override { return std::nullopt; }
};

// A port object on a replay line, with nothing else behind it.
struct ReplayPort {
    ReplayPort(std::span<const std::uint8_t> bytes, std::size_t pieceSize);

    ReplayLine line;
    NoSerialOpener opener;
    NoPaths paths;
    CComPort port{line.clock, opener, paths};
};

// Everything a working state is built with, for a target that polls through one.
struct QuietSurroundings {
    InstantClock clock;
    NoSerialOpener serial;
    NoPaths paths;
    CNullWindow window;
    Platform platform{clock, serial, paths};
};

}  // namespace vantor::fuzz

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace vantor {

enum class Parity : std::uint8_t { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };
enum class StopBits : std::uint8_t { One = 0, OneAndHalf = 1, Two = 2 };

// Line settings of a serial device, the portable counterpart of the driver's settings record.
struct LineSettings {
    std::uint32_t baudRate = 9600;
    std::uint8_t dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    bool dtrOn = false;
    bool rtsOn = true;

    bool operator==(const LineSettings&) const = default;
};

// What every serial driver takes: a rate, 5 to 8 data bits, and 1.5 stop bits only with 5 data
// bits, as the Windows driver rules; both platforms refuse the rest the same way.
bool IsDriverSupported(const LineSettings& settings);

// An open serial device. Reads never wait: they return what is already queued.
class ISerialDevice {
public:
    virtual ~ISerialDevice() = default;
    virtual bool GetSettings(LineSettings& settings) = 0;
    virtual bool SetSettings(const LineSettings& settings) = 0;
    // Number of bytes waiting in the input queue.
    virtual std::size_t BytesWaiting() = 0;
    // Reads at most `room` bytes of those waiting; returns how many were read (0 on failure).
    virtual std::size_t Read(std::uint8_t* buffer, std::size_t room) = 0;
    virtual bool Write(const std::uint8_t* bytes, std::size_t count) = 0;
    // Waits at most `timeoutMs` for the output queue to drain; true when it did.
    virtual bool WaitTransmitted(unsigned timeoutMs) = 0;
};

// Opens devices by path. The real one uses termios; tests substitute scripted devices.
class ISerialOpener {
public:
    virtual ~ISerialOpener() = default;
    // Null when the device cannot be opened (absent, busy, not a terminal, not permitted).
    virtual std::unique_ptr<ISerialDevice> Open(const std::string& path) = 0;
    // Whether the last Open failed because the user may not open that existing device: the
    // one failure the operator can remedy, by joining the device's group.
    virtual bool LastOpenDenied() const { return false; }
};

}  // namespace vantor

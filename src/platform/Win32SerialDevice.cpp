#include "platform/SystemSerialOpener.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace vantor {
namespace {

constexpr DWORD kWriteTimeoutMs = 1000;

// The driver's parity and stop-bit codes (NOPARITY … SPACEPARITY, ONESTOPBIT … TWOSTOPBITS) are
// numbered as our enumerations are; the casts below rely on that.
static_assert(NOPARITY == static_cast<int>(Parity::None) &&
              ODDPARITY == static_cast<int>(Parity::Odd) &&
              EVENPARITY == static_cast<int>(Parity::Even) &&
              MARKPARITY == static_cast<int>(Parity::Mark) &&
              SPACEPARITY == static_cast<int>(Parity::Space));
static_assert(ONESTOPBIT == static_cast<int>(StopBits::One) &&
              ONE5STOPBITS == static_cast<int>(StopBits::OneAndHalf) &&
              TWOSTOPBITS == static_cast<int>(StopBits::Two));

// Raw bytes both ways: no flow control, no character replacement, no abort on line errors.
void MakeRaw(DCB& dcb, const LineSettings& s) {
    dcb.BaudRate = s.baudRate;
    dcb.ByteSize = s.dataBits;
    dcb.Parity = static_cast<BYTE>(s.parity);
    dcb.StopBits = static_cast<BYTE>(s.stopBits);
    dcb.fBinary = TRUE;
    dcb.fParity = s.parity != Parity::None;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fDtrControl = s.dtrOn ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = s.rtsOn ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
}

// Reads return at once with what is queued; a write gives up after a second.
bool SetImmediateTimeouts(HANDLE handle) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    return SetCommTimeouts(handle, &timeouts) != 0;
}

// Share mode 0: nobody else gets the port while we hold it, and we don't get one held elsewhere.
HANDLE OpenExclusive(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return INVALID_HANDLE_VALUE;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (GetCommState(handle, &dcb) == 0 || !SetImmediateTimeouts(handle)) {
        CloseHandle(handle);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

// An event for one overlapped operation, closed with it.
class Overlapped {
public:
    Overlapped() { record_.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr); }
    Overlapped(const Overlapped&) = delete;
    Overlapped& operator=(const Overlapped&) = delete;
    ~Overlapped() {
        if (record_.hEvent != nullptr) {
            CloseHandle(record_.hEvent);
        }
    }
    bool Valid() const { return record_.hEvent != nullptr; }
    OVERLAPPED* Get() { return &record_; }

    // Waits for an operation that went pending; cancels it when the time runs out.
    bool Finish(HANDLE handle, BOOL started, DWORD timeoutMs, DWORD& transferred) {
        if (started == 0 && GetLastError() != ERROR_IO_PENDING) {
            return false;
        }
        if (WaitForSingleObject(record_.hEvent, timeoutMs) != WAIT_OBJECT_0) {
            CancelIo(handle);
            GetOverlappedResult(handle, &record_, &transferred, TRUE);
            return false;
        }
        return GetOverlappedResult(handle, &record_, &transferred, FALSE) != 0;
    }

private:
    OVERLAPPED record_{};
};

class Win32SerialDevice : public ISerialDevice {
public:
    Win32SerialDevice(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    Win32SerialDevice(const Win32SerialDevice&) = delete;
    Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;
    ~Win32SerialDevice() override { CloseHandle(handle_); }

    bool GetSettings(LineSettings& settings) override {
        ReopenIfGone();
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (GetCommState(handle_, &dcb) == 0) {
            return false;
        }
        settings.baudRate = dcb.BaudRate;
        settings.dataBits = dcb.ByteSize;
        settings.parity =
            dcb.Parity <= SPACEPARITY ? static_cast<Parity>(dcb.Parity) : Parity::None;
        settings.stopBits =
            dcb.StopBits <= TWOSTOPBITS ? static_cast<StopBits>(dcb.StopBits) : StopBits::One;
        settings.dtrOn = dcb.fDtrControl == DTR_CONTROL_ENABLE;
        settings.rtsOn = dcb.fRtsControl == RTS_CONTROL_ENABLE;
        return true;
    }

    bool SetSettings(const LineSettings& settings) override {
        ReopenIfGone();
        return Apply(settings);
    }

    std::size_t BytesWaiting() override {
        DWORD errors = 0;
        COMSTAT status{};
        if (ClearCommError(handle_, &errors, &status) == 0) {
            return 0;
        }
        return status.cbInQue;
    }

    std::size_t Read(std::uint8_t* buffer, std::size_t room) override {
        const std::size_t wanted = std::min(room, BytesWaiting());
        if (wanted == 0) {
            return 0;
        }
        Overlapped op;
        DWORD got = 0;
        if (!op.Valid()) {
            return 0;
        }
        const BOOL started = ReadFile(handle_, buffer, static_cast<DWORD>(wanted), &got, op.Get());
        if (!op.Finish(handle_, started, kWriteTimeoutMs, got)) {
            return 0;
        }
        return std::min<std::size_t>(got, wanted);
    }

    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        ReopenIfGone();
        Overlapped op;
        DWORD put = 0;
        if (!op.Valid()) {
            return false;
        }
        const BOOL started = WriteFile(handle_, bytes, static_cast<DWORD>(count), &put, op.Get());
        return op.Finish(handle_, started, kWriteTimeoutMs, put) && put == count;
    }

    // The driver signals EV_TXEMPTY when the last byte has left the transmitter.
    bool WaitTransmitted(unsigned timeoutMs) override {
        if (OutputQueued() == 0) {
            return true;
        }
        Overlapped op;
        DWORD events = 0;
        if (!op.Valid() || SetCommMask(handle_, EV_TXEMPTY) == 0) {
            return false;
        }
        const BOOL started = WaitCommEvent(handle_, &events, op.Get());
        DWORD unused = 0;
        const bool signalled = op.Finish(handle_, started, timeoutMs, unused);
        SetCommMask(handle_, 0);
        return signalled ? (events & EV_TXEMPTY) != 0 || OutputQueued() == 0 : OutputQueued() == 0;
    }

private:
    bool Apply(const LineSettings& settings) {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!IsDriverSupported(settings) || GetCommState(handle_, &dcb) == 0) {
            return false;
        }
        MakeRaw(dcb, settings);
        if (SetCommState(handle_, &dcb) == 0) {
            return false;
        }
        lastRequested_ = settings;
        configured_ = true;
        return true;
    }

    DWORD OutputQueued() {
        DWORD errors = 0;
        COMSTAT status{};
        return ClearCommError(handle_, &errors, &status) != 0 ? status.cbOutQue : 0;
    }

    // A USB adapter pulled and plugged in again leaves the old handle dead; the port answers
    // again under its name once reopened.
    void ReopenIfGone() {
        DWORD errors = 0;
        COMSTAT status{};
        if (ClearCommError(handle_, &errors, &status) != 0) {
            return;
        }
        HANDLE handle = OpenExclusive(path_);
        if (handle == INVALID_HANDLE_VALUE) {
            return;
        }
        CloseHandle(handle_);
        handle_ = handle;
        if (configured_) {
            Apply(lastRequested_);
        }
    }

    HANDLE handle_;
    std::string path_;
    LineSettings lastRequested_;
    bool configured_ = false;
};

}  // namespace

std::unique_ptr<ISerialDevice> SystemSerialOpener::Open(const std::string& path) {
    HANDLE handle = OpenExclusive(path);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<Win32SerialDevice>(handle, path);
}

}  // namespace vantor

#include "platform/SystemSerialOpener.h"

// The arbitrary-rate interface (termios2, BOTHER) lives in the kernel's own headers, which
// cannot be mixed with the C library's <termios.h>; everything here goes through ioctl.
#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

#include "platform/PosixLineSettings.h"

namespace vantor {
namespace {

using SteadyClock = std::chrono::steady_clock;

// The whole frame must leave within this time, as a driver's deferred write is awaited.
constexpr int kWriteTimeoutMs = 1000;

tcflag_t DataBitsFlag(unsigned dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

tcflag_t ParityFlags(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return PARENB | PARODD;
        case Parity::Even:
            return PARENB;
        case Parity::Mark:
            return PARENB | CMSPAR | PARODD;
        case Parity::Space:
            return PARENB | CMSPAR;
        case Parity::None:
            break;
    }
    return 0;
}

// 1.5 stop bits (with 5 data bits) go out as 2, the nearest a POSIX line can do.
void MakeRaw(termios2& tio, const LineSettings& s) {
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                          ICRNL | IXON | IXOFF | IXANY | INPCK | IUCLC | IMAXBEL);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS |
                                          CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= CREAD | CLOCAL | BOTHER | (BOTHER << IBSHIFT);
    tio.c_cflag |= DataBitsFlag(s.dataBits) | ParityFlags(s.parity);
    if (s.stopBits != StopBits::One) {
        tio.c_cflag |= CSTOPB;
    }
    tio.c_ispeed = s.baudRate;
    tio.c_ospeed = s.baudRate;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
}

// Another program holds the device when it locked it (flock, as serial tools do) or asked
// the terminal for exclusive use (which root could otherwise pass through).
bool HeldElsewhere(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return true;
    }
    int exclusive = 0;
    return ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

// A terminal device for our use alone, or -1.
int OpenExclusive(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0 || HeldElsewhere(fd) || ioctl(fd, TIOCEXCL) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

class PosixSerialDevice : public ISerialDevice {
public:
    PosixSerialDevice(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    PosixSerialDevice(const PosixSerialDevice&) = delete;
    PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;
    ~PosixSerialDevice() override { Release(); }

    bool GetSettings(LineSettings& settings) override {
        ReopenIfHungUp();
        if (!ReadLineSettings(fd_, settings)) {
            return false;
        }
        int lines = 0;
        if (ioctl(fd_, TIOCMGET, &lines) == 0) {
            settings.dtrOn = (lines & TIOCM_DTR) != 0;
            settings.rtsOn = (lines & TIOCM_RTS) != 0;
        } else {
            settings.dtrOn = lastRequested_.dtrOn;
            settings.rtsOn = lastRequested_.rtsOn;
        }
        return true;
    }

    bool SetSettings(const LineSettings& settings) override {
        ReopenIfHungUp();
        return Apply(settings);
    }

    std::size_t BytesWaiting() override {
        int waiting = 0;
        if (ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0) {
            return 0;
        }
        return static_cast<std::size_t>(waiting);
    }

    std::size_t Read(std::uint8_t* buffer, std::size_t room) override {
        const std::size_t wanted = std::min(room, BytesWaiting());
        if (wanted == 0) {
            return 0;
        }
        const ssize_t got = read(fd_, buffer, wanted);
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }

    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        ReopenIfHungUp();
        const auto deadline = SteadyClock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
        std::size_t done = 0;
        while (done < count) {
            const ssize_t put = write(fd_, bytes + done, count - done);
            if (put > 0) {
                done += static_cast<std::size_t>(put);
                continue;
            }
            if (put < 0 && errno != EAGAIN && errno != EINTR) {
                return false;
            }
            if (!WaitWritable(deadline)) {
                return false;
            }
        }
        return true;
    }

    bool WaitTransmitted(unsigned timeoutMs) override {
        const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            int queued = 0;
            if (ioctl(fd_, TIOCOUTQ, &queued) != 0) {
                return false;
            }
            if (queued == 0) {
                return true;
            }
            if (SteadyClock::now() >= deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

private:
    bool Apply(const LineSettings& settings) {
        termios2 tio{};
        if (!IsDriverSupported(settings) || ioctl(fd_, TCGETS2, &tio) != 0) {
            return false;
        }
        const termios2 previous = tio;
        MakeRaw(tio, settings);
        if (ioctl(fd_, TCSETS2, &tio) != 0) {
            return false;
        }
        // Pseudo-terminals turn 7 data bits into 8 without an error. Such a port keeps its
        // previous settings and reports the refusal, like a driver that rejects the request.
        // (They drop parity as well, which means nothing on a line that has no bits.)
        termios2 applied{};
        if (ioctl(fd_, TCGETS2, &applied) != 0 ||
            (applied.c_cflag & CSIZE) != (tio.c_cflag & CSIZE)) {
            ioctl(fd_, TCSETS2, &previous);
            return false;
        }
        lastRequested_ = settings;
        configured_ = true;
        // Pseudo-terminals have no modem lines; their refusal changes nothing on the line.
        int dtr = TIOCM_DTR;
        int rts = TIOCM_RTS;
        ioctl(fd_, settings.dtrOn ? TIOCMBIS : TIOCMBIC, &dtr);
        ioctl(fd_, settings.rtsOn ? TIOCMBIS : TIOCMBIC, &rts);
        return true;
    }

    // A device whose other end went away (a pseudo-terminal's master closed, a USB adapter
    // pulled out) is dead for good. Once its path leads to a device again, that one takes over
    // at the start of the next exchange, with the settings last applied.
    void ReopenIfHungUp() {
        pollfd p{fd_, 0, 0};
        if (poll(&p, 1, 0) <= 0 || (p.revents & POLLHUP) == 0) {
            return;
        }
        const int fd = OpenExclusive(path_);
        if (fd < 0) {
            return;
        }
        Release();
        fd_ = fd;
        if (configured_) {
            Apply(lastRequested_);
        }
    }

    void Release() {
        // A pseudo-terminal outlives its users, and with it the exclusive flag.
        ioctl(fd_, TIOCNXCL);
        close(fd_);
    }

    bool WaitWritable(SteadyClock::time_point deadline) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd p{fd_, POLLOUT, 0};
        return poll(&p, 1, static_cast<int>(left.count())) > 0 && (p.revents & POLLOUT) != 0;
    }

    int fd_;
    std::string path_;
    LineSettings lastRequested_;
    bool configured_ = false;
};

}  // namespace

std::unique_ptr<ISerialDevice> SystemSerialOpener::Open(const std::string& path) {
    const int fd = OpenExclusive(path);
    // Only a refused open() leaves EACCES; the checks after it fail with other codes.
    lastOpenDenied_ = fd < 0 && errno == EACCES;
    if (fd < 0) {
        return nullptr;
    }
    return std::make_unique<PosixSerialDevice>(fd, path);
}

}  // namespace vantor

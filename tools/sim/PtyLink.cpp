#include "PtyLink.h"

#include "PtySettings.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <thread>

namespace vantor::sim {
namespace {

std::string Reason(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Where the link points, or empty when it is no link.
std::string LinkTarget(const std::string& path) {
    std::array<char, 4096> target{};
    const ssize_t length = readlink(path.c_str(), target.data(), target.size() - 1);
    return length > 0 ? std::string(target.data(), static_cast<std::size_t>(length)) : "";
}

}  // namespace

bool CreateParentFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

PtyLink::PtyLink(std::string linkPath, std::string& error) : linkPath_(std::move(linkPath)) {
    struct stat info;
    if (lstat(linkPath_.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        error = linkPath_ + " exists and is not a link";
        return;
    }
    if (!CreateParentFolders(linkPath_)) {
        error = Reason("cannot create the folders of " + linkPath_);
        return;
    }
    if (OpenTerminal(error) && !Relink(error)) {
        CloseTerminal();
    }
}

PtyLink::~PtyLink() {
    if (IsOpen() && LinkTarget(linkPath_) == slavePath_) {
        unlink(linkPath_.c_str());
    }
    CloseTerminal();
}

bool PtyLink::OpenTerminal(std::string& error) {
    int slave = -1;
    std::array<char, 256> name{};
    if (openpty(&master_, &slave, name.data(), nullptr, nullptr) != 0) {
        master_ = -1;
        error = Reason("openpty");
        return false;
    }
    // Raw from the first byte: no echo, no line editing, no character translation.
    termios settings{};
    tcgetattr(slave, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave, TCSANOW, &settings);
    close(slave);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    slavePath_ = name.data();
    peerSeen_ = false;
    return true;
}

// The new link replaces the old one in one step, so a program never finds the port missing.
bool PtyLink::Relink(std::string& error) {
    const std::string fresh = linkPath_ + ".new";
    unlink(fresh.c_str());
    if (symlink(slavePath_.c_str(), fresh.c_str()) != 0 ||
        rename(fresh.c_str(), linkPath_.c_str()) != 0) {
        error = Reason("cannot link " + linkPath_);
        unlink(fresh.c_str());
        return false;
    }
    return true;
}

void PtyLink::CloseTerminal() {
    if (master_ >= 0) {
        close(master_);
        master_ = -1;
    }
}

void PtyLink::RenewAfterHangup() {
    const int old = master_;
    master_ = -1;
    std::string error;
    if (OpenTerminal(error) && Relink(error)) {
        close(old);
        return;
    }
    // Keep serving the old terminal when no new one can be had.
    CloseTerminal();
    master_ = old;
}

std::size_t PtyLink::Read(std::span<std::uint8_t> buffer, int timeoutMs) {
    pollfd wait{master_, POLLIN, 0};
    const int ready = poll(&wait, 1, timeoutMs);
    if (ready > 0 && (wait.revents & POLLIN) != 0) {
        peerSeen_ = true;
        const ssize_t count = read(master_, buffer.data(), buffer.size());
        return count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    if (ready > 0 && (wait.revents & POLLHUP) != 0) {
        // No program has the line open; the hang-up stays reported until one opens it.
        if (peerSeen_) {
            RenewAfterHangup();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
        return 0;
    }
    peerSeen_ = peerSeen_ || ready == 0;
    return 0;
}

void PtyLink::Write(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = write(master_, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return;  // nobody listens: the answer is lost, as on a line without a master
        }
        done += static_cast<std::size_t>(count);
    }
}

std::string PtyLink::PeerSettings() const {
    return master_ >= 0 ? PtySettingsText(master_) : std::string();
}

}  // namespace vantor::sim

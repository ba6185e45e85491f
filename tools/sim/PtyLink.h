#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vantor::sim {

// The simulator's end of the line: the master side of a pseudo-terminal whose slave side is
// reachable through a symbolic link. The slave is left closed, so that the program on the
// other end is its only user and can take it for itself.
class PtyLink {
public:
    // Opens a terminal and links it; on failure `error` says why and IsOpen() is false.
    PtyLink(std::string linkPath, std::string& error);
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;
    // Removes the link (if it still points to this terminal) and closes the terminal.
    ~PtyLink();

    bool IsOpen() const { return master_ >= 0; }
    const std::string& LinkPath() const { return linkPath_; }
    const std::string& SlavePath() const { return slavePath_; }

    // Waits at most `timeoutMs` for bytes and reads what is there (nothing when no peer has the
    // line open).
    std::size_t Read(std::span<std::uint8_t> buffer, int timeoutMs);
    void Write(std::span<const std::uint8_t> bytes);
    // The settings the peer has put on the line ("9600,N,8,2"), empty while there is none.
    std::string PeerSettings() const;

private:
    bool OpenTerminal(std::string& error);
    bool Relink(std::string& error);
    void CloseTerminal();
    // A peer that closed the line may leave it marked for exclusive use, which would keep the
    // next program out: a fresh terminal behind the same link is handed out instead.
    void RenewAfterHangup();

    std::string linkPath_;
    std::string slavePath_;
    int master_ = -1;
    bool peerSeen_ = false;
};

// Creates every missing folder of a path's parent; false when one cannot be made.
bool CreateParentFolders(const std::string& path);

}  // namespace vantor::sim

#include "SimServer.h"

#include <array>
#include <chrono>

namespace vantor::sim {
namespace {

constexpr int kPollMs = 2;
// A frame of unknown length has ended when the line stays quiet this long: far more than
// the 3.5 character times of Modbus RTU even at 1200 baud, far less than a master waits.
constexpr auto kSilence = std::chrono::milliseconds(30);

}  // namespace

SimServer::SimServer(PtyLink& line, FrameAssembler& frames, IStation& station, SimOutput& output,
                     bool silent)
    : line_(line), frames_(frames), station_(station), output_(output), silent_(silent) {}

void SimServer::Run(const volatile std::sig_atomic_t& stop) {
    std::array<std::uint8_t, 512> buffer{};
    auto lastByte = std::chrono::steady_clock::now();
    while (stop == 0) {
        const std::size_t count = line_.Read(buffer, kPollMs);
        if (count != 0) {
            frames_.Feed(std::span(buffer).first(count));
            lastByte = std::chrono::steady_clock::now();
        }
        while (const auto frame = frames_.Next()) {
            Handle(*frame);
        }
        if (count == 0 && std::chrono::steady_clock::now() - lastByte >= kSilence) {
            if (const auto rest = frames_.Flush()) {
                Handle(*rest);
            }
        }
    }
}

void SimServer::Handle(const ByteArray& frame) {
    const std::string settings = line_.PeerSettings();
    if (settings != lastSettings_) {
        lastSettings_ = settings;
        output_.Settings(settings);
    }
    output_.Frame("rx", frame);
    if (silent_) {
        return;
    }
    const auto answer = station_.Answer(frame);
    if (!answer) {
        return;
    }
    // Recorded before it leaves: a master that holds the answer finds its values recorded.
    output_.Served(answer->served);
    line_.Write(answer->frame);
    output_.Frame("tx", answer->frame);
    if (!answer->report.empty()) {
        output_.Report(answer->report);
    }
}

}  // namespace vantor::sim

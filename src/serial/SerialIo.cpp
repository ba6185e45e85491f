#include "serial/SerialIo.h"

#include <algorithm>

namespace vantor {

namespace {
// The rhythm of the reply collection: a reply not begun after 75 ms is silence, and a reply
// ends at the first 25 ms without a new byte.
constexpr unsigned kFirstByteWaitMs = 50;
constexpr unsigned kQuietGapMs = 25;
}  // namespace

BOOL CSerialIo::WriteFrame(ComHandle handle, const std::uint8_t* bytes, std::size_t count) {
    ISerialDevice* device = handle.Device();
    if (device == nullptr || !device->Write(bytes, count)) {
        return FALSE;
    }
    if (m_pTrace != nullptr) {
        m_pTrace->OnTraffic(TraceDirection::Sent, m_clock.UtcNow(), bytes, count);
    }
    return TRUE;
}

std::size_t CSerialIo::ReadAvailable(ComHandle handle, std::span<std::uint8_t> buffer) {
    ISerialDevice* device = handle.Device();
    if (device == nullptr || buffer.empty()) {
        return 0;
    }
    const std::size_t count = std::min(device->Read(buffer.data(), buffer.size()), buffer.size());
    if (count != 0 && m_pTrace != nullptr) {
        m_pTrace->OnTraffic(TraceDirection::Received, m_clock.UtcNow(), buffer.data(), count);
    }
    return count;
}

std::size_t CSerialIo::CollectReply(std::span<std::uint8_t> accum, std::span<std::uint8_t> chunk) {
    const std::int64_t began = m_clock.TickMs();
    std::size_t n = ReadAvailable(m_hCom, accum);
    if (n == 0) {
        m_clock.Sleep(kFirstByteWaitMs);
    }
    m_clock.Sleep(kQuietGapMs);
    // Each follow-on read takes no more than both buffers have room for; the rest stays queued.
    const auto room = [&] { return chunk.first(std::min(chunk.size(), accum.size() - n)); };
    for (std::size_t k = ReadAvailable(m_hCom, room()); k != 0; k = ReadAvailable(m_hCom, room())) {
        std::copy_n(chunk.begin(), k, accum.begin() + static_cast<std::ptrdiff_t>(n));
        n += k;
        m_clock.Sleep(kQuietGapMs);
    }
    NoteCollectionEnd(began);
    return n;
}

void CSerialIo::NoteCollectionEnd(std::int64_t beganMs) {
    if (m_pTrace != nullptr) {
        const auto waited =
            static_cast<unsigned>(std::max<std::int64_t>(0, m_clock.TickMs() - beganMs));
        m_pTrace->OnCollectionEnd(m_clock.UtcNow(), waited);
    }
}

}  // namespace vantor

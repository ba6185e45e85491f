#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/Clock.h"
#include "platform/Types.h"
#include "serial/ComHandle.h"
#include "serial/LineTrace.h"

namespace vantor {

// Sizes of the reply collection buffers.
constexpr std::size_t kAccumBufferSize = 5000;
constexpr std::size_t kRtuChunkSize = 100;
constexpr std::size_t kWideChunkSize = 256;

// The handle and the whole-frame I/O shared by the port object and the IEC
// channel, which borrows the port's handle before every exchange.
class CSerialIo {
public:
    explicit CSerialIo(IClock& clock) : m_clock(clock) {}

    BOOL WriteFrame(ComHandle handle, const std::uint8_t* bytes, std::size_t count);
    // Reads what is queued, at most the room of `buffer`; never waits.
    std::size_t ReadAvailable(ComHandle handle, std::span<std::uint8_t> buffer);
    // Collects one reply into `accum` with the 50 ms / 25 ms rhythm; returns its length.
    std::size_t CollectReply(std::span<std::uint8_t> accum, std::span<std::uint8_t> chunk);

    void SetTrace(ILineTrace* trace) { m_pTrace = trace; }
    IClock& Clock() { return m_clock; }

    ComHandle m_hCom;

protected:
    // Tells the trace that the collection begun at `beganMs` (the clock's tick count) ended.
    void NoteCollectionEnd(std::int64_t beganMs);

    IClock& m_clock;
    ILineTrace* m_pTrace = nullptr;
};

}  // namespace vantor

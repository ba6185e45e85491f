#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "monitor/LineProtocol.h"
#include "monitor/PcapWriter.h"
#include "monitor/ReplyCounters.h"
#include "monitor/RowBuffer.h"
#include "polling/PollObserver.h"
#include "serial/LineTrace.h"

namespace vantor {

// The traffic monitor's core: it watches the line (every frame written, every chunk read,
// the end of every reply collection) and the poll tick's verdicts, and turns them into rows,
// counters and capture packets. The chunks of one collection make one answer row.
class CTrafficMonitor : public ILineTrace, public IPollObserver {
public:
    // `protocol` tells how the line is spoken when a frame passes.
    explicit CTrafficMonitor(std::function<LineProtocol()> protocol)
        : m_protocol(std::move(protocol)) {}

    void OnTraffic(TraceDirection direction, const SystemTime& utc, const std::uint8_t* bytes,
                   std::size_t count) override;
    void OnCollectionEnd(const SystemTime& utc, unsigned waitedMs) override;
    void OnAnswerStatus(std::uint8_t status) override;

    // While paused no rows are added; counting and capturing go on.
    void SetPaused(bool paused) { m_bPaused = paused; }
    bool Paused() const { return m_bPaused; }

    bool StartCapture(const std::string& path) { return m_capture.Open(path); }
    void StopCapture() { m_capture.Close(); }
    bool Capturing() const { return m_capture.IsOpen(); }

    const RowBuffer& Rows() const { return m_rows; }
    void ClearRows() { m_rows.Clear(); }
    const ReplyCounters& Counters() const { return m_counters; }
    void ResetCounters() { m_counters.Reset(); }

private:
    void AddRow(MonitorRow row);
    // The chunks read since the last frame written become an answer row.
    void EndReply();

    std::function<LineProtocol()> m_protocol;
    RowBuffer m_rows;
    ReplyCounters m_counters;
    PcapWriter m_capture;
    bool m_bPaused = false;
    ByteArray m_baReply;
    std::vector<ReplyPiece> m_pieces;
    std::int64_t m_lastRowMs = -1;
    // The row of the last reply collected, which the poll tick's verdict goes to.
    static constexpr std::uint64_t kNoRow = ~std::uint64_t{0};
    std::uint64_t m_lastReplySerial = kNoRow;
};

}  // namespace vantor

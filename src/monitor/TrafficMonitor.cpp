#include "monitor/TrafficMonitor.h"

#include "monitor/FrameDecoder.h"
#include "platform/CalendarTime.h"

namespace vantor {

void CTrafficMonitor::OnTraffic(TraceDirection direction, const SystemTime& utc,
                                const std::uint8_t* bytes, std::size_t count) {
    const std::int64_t epochMs = EpochMsFromCalendar(utc);
    if (direction == TraceDirection::Received) {
        if (count == 0) {
            return;
        }
        m_baReply.insert(m_baReply.end(), bytes, bytes + count);
        m_pieces.push_back({epochMs, count});
        return;
    }
    // Chunks read outside a collection (a link procedure's single read) end with the next
    // frame written.
    EndReply();
    m_counters.CountRequest();
    const std::span<const std::uint8_t> frame(bytes, count);
    m_capture.Write(epochMs, direction, frame);
    MonitorRow row;
    row.epochMs = epochMs;
    row.kind = RowKind::Request;
    row.bytes.assign(bytes, bytes + count);
    row.summary = DescribeFrame(m_protocol(), direction, frame);
    AddRow(std::move(row));
}

void CTrafficMonitor::OnCollectionEnd(const SystemTime& utc, unsigned waitedMs) {
    if (!m_baReply.empty()) {
        EndReply();
        return;
    }
    MonitorRow row;
    row.epochMs = EpochMsFromCalendar(utc);
    row.kind = RowKind::NoAnswer;
    row.waitedMs = waitedMs;
    AddRow(std::move(row));
}

void CTrafficMonitor::EndReply() {
    if (m_baReply.empty()) {
        return;
    }
    m_counters.CountAnswer();
    const std::int64_t firstMs = m_pieces.front().epochMs;
    m_capture.Write(firstMs, TraceDirection::Received, m_baReply);
    MonitorRow row;
    row.epochMs = firstMs;
    row.kind = RowKind::Answer;
    row.summary = DescribeFrame(m_protocol(), TraceDirection::Received, m_baReply);
    row.bytes = std::move(m_baReply);
    row.pieces = std::move(m_pieces);
    m_baReply.clear();
    m_pieces.clear();
    AddRow(std::move(row));
}

void CTrafficMonitor::OnAnswerStatus(std::uint8_t status) {
    m_counters.CountStatus(status);
    if (status == 0) {
        return;
    }
    if (MonitorRow* reply = m_rows.RowBySerial(m_lastReplySerial)) {
        reply->verdict = StatusText(status);
    }
}

void CTrafficMonitor::AddRow(MonitorRow row) {
    row.sincePreviousMs = m_lastRowMs < 0 ? 0 : row.epochMs - m_lastRowMs;
    m_lastRowMs = row.epochMs;
    const bool reply = row.kind != RowKind::Request;
    if (m_bPaused) {
        m_lastReplySerial = kNoRow;
        return;
    }
    m_rows.Add(std::move(row));
    if (reply) {
        m_lastReplySerial = m_rows.NextSerial() - 1;
    }
}

}  // namespace vantor

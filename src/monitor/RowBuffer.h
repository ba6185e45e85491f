#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "monitor/MonitorRow.h"

namespace vantor {

// The monitor's last rows: beyond the capacity the oldest drop and are counted. Every row
// added gets the next serial number, so a view can tell what came and went since it looked.
class RowBuffer {
public:
    static constexpr std::size_t kDefaultCapacity = 10000;

    explicit RowBuffer(std::size_t capacity = kDefaultCapacity) : m_capacity(capacity) {}

    void Add(MonitorRow row);
    void Clear();

    std::size_t Size() const { return m_rows.size(); }
    const MonitorRow& Row(std::size_t index) const { return At(m_rows, index); }
    // The row of a serial number; null once it has dropped or been cleared.
    MonitorRow* RowBySerial(std::uint64_t serial);
    const MonitorRow* RowBySerial(std::uint64_t serial) const;
    // Serial number of Row(0), and of the next row to come.
    std::uint64_t FirstSerial() const { return m_nextSerial - m_rows.size(); }
    std::uint64_t NextSerial() const { return m_nextSerial; }
    // Rows dropped for room since the last Clear.
    std::uint64_t Dropped() const { return m_dropped; }

private:
    std::size_t m_capacity;
    std::deque<MonitorRow> m_rows;
    std::uint64_t m_nextSerial = 0;
    std::uint64_t m_dropped = 0;
};

// Writes the caption line and every row as UTF-8 tab-separated text with CR LF line ends, as
// the measurement logs end their lines; false when the file cannot be written.
bool SaveRows(const RowBuffer& rows, const std::string& path);

}  // namespace vantor

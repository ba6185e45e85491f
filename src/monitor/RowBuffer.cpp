#include "monitor/RowBuffer.h"

namespace vantor {

void RowBuffer::Add(MonitorRow row) {
    if (m_capacity == 0) {
        ++m_dropped;
        ++m_nextSerial;
        return;
    }
    if (m_rows.size() == m_capacity) {
        m_rows.pop_front();
        ++m_dropped;
    }
    m_rows.push_back(std::move(row));
    ++m_nextSerial;
}

MonitorRow* RowBuffer::RowBySerial(std::uint64_t serial) {
    if (serial < FirstSerial() || serial >= m_nextSerial) {
        return nullptr;
    }
    return &m_rows[serial - FirstSerial()];
}

void RowBuffer::Clear() {
    m_rows.clear();
    m_dropped = 0;
}

}  // namespace vantor

#include "monitor/RowBuffer.h"

#include <fstream>
#include <utility>

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

const MonitorRow* RowBuffer::RowBySerial(std::uint64_t serial) const {
    if (serial < FirstSerial() || serial >= m_nextSerial) {
        return nullptr;
    }
    return &m_rows[serial - FirstSerial()];
}

MonitorRow* RowBuffer::RowBySerial(std::uint64_t serial) {
    return const_cast<MonitorRow*>(std::as_const(*this).RowBySerial(serial));
}

void RowBuffer::Clear() {
    m_rows.clear();
    m_dropped = 0;
}

bool SaveRows(const RowBuffer& rows, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << TabHeaderLine() << "\r\n";
    for (std::size_t i = 0; i < rows.Size() && file; ++i) {
        file << RowTabLine(rows.Row(i)) << "\r\n";
    }
    file.close();
    return !file.fail();
}

}  // namespace vantor

#include "app/MonitorModel.h"

#include <algorithm>

namespace vantor {

CMonitorModel::CMonitorModel(const RowBuffer& rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows) {}

int CMonitorModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_next - m_first);
}

int CMonitorModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kColumnCount);
}

const MonitorRow* CMonitorModel::RowAt(int row) const {
    return row < 0 ? nullptr : m_rows.RowBySerial(m_first + static_cast<std::uint64_t>(row));
}

QVariant CMonitorModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    const MonitorRow* row = RowAt(index.row());
    if (row == nullptr || index.column() < 0 || index.column() >= static_cast<int>(kColumnCount)) {
        return {};
    }
    return QString::fromStdString(RowColumnText(*row, static_cast<MonitorColumn>(index.column())));
}

QVariant CMonitorModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(kColumnCount)) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromUtf8(MonitorColumnCaptions().at(static_cast<std::size_t>(section)));
}

bool CMonitorModel::Sync() {
    const std::uint64_t first = m_rows.FirstSerial();
    const std::uint64_t next = m_rows.NextSerial();
    const std::uint64_t gone = std::min(first, m_next) - std::min(first, m_first);
    if (gone != 0) {
        beginRemoveRows({}, 0, static_cast<int>(gone - 1));
        m_first += gone;
        endRemoveRows();
    }
    // Rows that came and went between two looks were never shown.
    m_first = std::max(m_first, first);
    m_next = std::max(m_next, m_first);
    // A row is complete when it is looked at: the poll tick's verdict comes in the same
    // handler as the reply it judges, and this runs between handlers.
    if (next == m_next) {
        return false;
    }
    const int count = rowCount();
    beginInsertRows({}, count, count + static_cast<int>(next - m_next) - 1);
    m_next = next;
    endInsertRows();
    return true;
}

}  // namespace vantor

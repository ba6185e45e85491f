#pragma once

#include <QAbstractTableModel>
#include <cstdint>

#include "monitor/RowBuffer.h"

namespace vantor {

// The monitor's rows as a table for a view. The buffer changes under it while the line is
// polled (rows come at the end, the oldest drop); Sync tells the view what changed since it
// last looked, so the view is brought up to date at its own pace and not at every frame.
class CMonitorModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CMonitorModel(const RowBuffer& rows, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // True when rows came.
    bool Sync();
    // The row shown at `row`; null when the buffer has dropped it since the last Sync.
    const MonitorRow* RowAt(int row) const;

private:
    const RowBuffer& m_rows;
    // The serial numbers of the first row shown and of the one after the last.
    std::uint64_t m_first = 0;
    std::uint64_t m_next = 0;
};

}  // namespace vantor

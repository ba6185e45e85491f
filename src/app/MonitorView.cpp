#include "app/MonitorView.h"

#include <QHeaderView>
#include <algorithm>

namespace vantor {

CMonitorView::CMonitorView(QWidget* parent) : QTableView(parent) {
    // In place of the table's own handler, which lays every row out again.
    disconnect(verticalHeader(), &QHeaderView::sectionCountChanged, this, nullptr);
    connect(verticalHeader(), &QHeaderView::sectionCountChanged, this,
            &CMonitorView::OnRowCountChanged);
}

void CMonitorView::OnRowCountChanged(int oldCount, int newCount) {
    if (newCount < oldCount) {
        m_firstNewRow = kNone;
        rowCountChanged(oldCount, newCount);
        return;
    }
    // The table keeps its last row at the bottom only while scrolled to the end; with more rows
    // below, its rows start at the top again, and what is shown follows that shift as pixels.
    const int offset = verticalHeader()->offset();
    updateGeometries();
    viewport()->scroll(0, offset - verticalHeader()->offset());
    if (m_firstNewRow == kNone) {
        m_firstNewRow = oldCount;
    }
    UpdateNewRows();
}

void CMonitorView::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    UpdateNewRows();
}

void CMonitorView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    m_firstNewRow = kNone;
}

void CMonitorView::UpdateNewRows() {
    if (m_firstNewRow == kNone) {
        return;
    }
    const int top = std::max(0, rowViewportPosition(m_firstNewRow));
    const int height = viewport()->height();
    if (top < height) {
        viewport()->update(0, top, viewport()->width(), height - top);
    }
}

}  // namespace vantor

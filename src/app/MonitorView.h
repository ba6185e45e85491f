#pragma once

#include <QTableView>

namespace vantor {

// The monitor's table. While the line is polled rows only come at the end, and the table would
// lay out and repaint every row it shows for each batch of them; here a batch costs the repaint
// of where the new rows show, also after a scroll to the end has moved the rows already shown
// as pixels. Rows dropped at the start lay the table out afresh.
class CMonitorView : public QTableView {
    Q_OBJECT
public:
    explicit CMonitorView(QWidget* parent);

protected:
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnRowCountChanged(int oldCount, int newCount);
    // Marks the rows from the first not painted yet to the bottom of the view for repainting.
    void UpdateNewRows();

    static constexpr int kNone = -1;
    int m_firstNewRow = kNone;
};

}  // namespace vantor

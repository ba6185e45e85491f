#pragma once

#include <QCache>
#include <QStaticText>
#include <QString>
#include <QStyledItemDelegate>

namespace vantor {

// Paints the monitor's cells as the view's own delegate does (background, selection, focus,
// the text cut with "…" where it does not fit), but lays each text out once for a width. The
// line repeats itself (the same requests, directions, intervals and often answers in every
// cycle), and a repaint shows the rows it showed before, so shaping each text afresh would be
// most of the monitor's cost.
class CMonitorDelegate : public QStyledItemDelegate {
public:
    explicit CMonitorDelegate(QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const QStaticText& CellText(const QStyleOptionViewItem& cell, int width) const;

    // By width and text; a few screens' worth, so scrolling back stays cheap too.
    mutable QCache<QString, QStaticText> m_laidOut;
};

}  // namespace vantor

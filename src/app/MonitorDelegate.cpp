#include "app/MonitorDelegate.h"

#include <QApplication>
#include <QPainter>

namespace vantor {

namespace {

constexpr int kCachedTexts = 2000;

QPalette::ColorGroup ColourGroup(const QStyleOptionViewItem& cell) {
    if (!cell.state.testFlag(QStyle::State_Enabled)) {
        return QPalette::Disabled;
    }
    return cell.state.testFlag(QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
}

QStaticText LaidOut(const QString& text, const QFont& font) {
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), font);
    return laidOut;
}

}  // namespace

CMonitorDelegate::CMonitorDelegate(QObject* parent)
    : QStyledItemDelegate(parent), m_laidOut(kCachedTexts) {}

void CMonitorDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // Everything but the text, which the style would shape afresh.
    QStyleOptionViewItem frame = cell;
    frame.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &frame, painter, widget);

    // The style's text rectangle for a cell without check box or icon.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = cell.rect.adjusted(margin, 0, -margin, 0);
    const QStaticText& text = CellText(cell, area.width());
    painter->save();
    painter->setFont(cell.font);
    painter->setPen(cell.palette.color(
        ColourGroup(cell),
        cell.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    painter->setClipRect(area, Qt::IntersectClip);
    const double top = area.top() + (area.height() - text.size().height()) / 2;
    painter->drawStaticText(QPointF(area.left(), top), text);
    painter->restore();
}

const QStaticText& CMonitorDelegate::CellText(const QStyleOptionViewItem& cell, int width) const {
    const QString key = QString::number(width) + QLatin1Char('\t') + cell.text;
    QStaticText* laidOut = m_laidOut.object(key);
    if (laidOut == nullptr) {
        laidOut = new QStaticText(LaidOut(cell.text, cell.font));
        // Most texts fit: they are shaped once, the others a second time when cut.
        if (laidOut->size().width() > width) {
            *laidOut = LaidOut(cell.fontMetrics.elidedText(cell.text, cell.textElideMode, width),
                               cell.font);
        }
        m_laidOut.insert(key, laidOut);
    }
    return *laidOut;
}

}  // namespace vantor

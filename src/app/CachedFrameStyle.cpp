#include "app/CachedFrameStyle.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <algorithm>

namespace vantor {

namespace {

// The standard style's group frame: its image, the corners it keeps whole, and the gap above a
// frame that has no title.
constexpr const char* kFrameImage =
    ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";
constexpr int kFrameCorner = 6;
constexpr int kTopMargin = 3;
// Far more looks than a window shows (sizes, focus, blacked out); past it the cache starts again.
constexpr std::size_t kMaxPanels = 64;

bool IsStandardStyle(const QStyle* style) {
    return style != nullptr &&
           style->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) == 0;
}

}  // namespace

CachedFrameStyle::CachedFrameStyle() {
    if (IsStandardStyle(baseStyle())) {
        m_groupFrame.load(QString::fromLatin1(kFrameImage));
    }
}

void CachedFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameGroupBox && !m_groupFrame.isNull()) {
        DrawGroupFrame(option, painter, widget);
        return;
    }
    if (element == PE_PanelLineEdit && DrawCachedPanel(option, painter, widget)) {
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void CachedFrameStyle::DrawGroupFrame(const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const {
    // An untitled box that cannot be checked keeps only a small gap above its frame; any other
    // leaves room for its title line.
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool bare = box != nullptr && !box->isCheckable() && box->title().isEmpty();
    const int top =
        bare ? kTopMargin
             : std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                   kTopMargin;
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0),
                      QMargins(kFrameCorner, kFrameCorner, kFrameCorner, kFrameCorner),
                      m_groupFrame);
}

bool CachedFrameStyle::DrawCachedPanel(const QStyleOption* option, QPainter* painter,
                                       const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (frame == nullptr || widget == nullptr || !widget->autoFillBackground() ||
        !IsStandardStyle(baseStyle())) {
        return false;
    }
    // Under a panel with a see-through background lies whatever the parent drew there.
    const QColor backdrop = widget->palette().color(widget->backgroundRole());
    if (backdrop.alpha() != 255) {
        return false;
    }
    const qreal ratio = painter->device()->devicePixelRatio();
    const QPalette& colours = frame->palette;
    const PanelLook look{frame->rect.width(),
                         frame->rect.height(),
                         static_cast<unsigned>(frame->state),
                         frame->lineWidth,
                         colours.color(QPalette::Base).rgba(),
                         colours.color(QPalette::Window).rgba(),
                         colours.color(QPalette::Highlight).rgba(),
                         backdrop.rgba(),
                         ratio};
    auto found = m_panels.find(look);
    if (found == m_panels.end()) {
        if (m_panels.size() >= kMaxPanels) {
            m_panels.clear();
        }
        QPixmap panel(frame->rect.size() * ratio);
        panel.setDevicePixelRatio(ratio);
        panel.fill(backdrop);
        QPainter onPanel(&panel);
        QStyleOptionFrame atOrigin = *frame;
        atOrigin.rect.moveTo(0, 0);
        QProxyStyle::drawPrimitive(PE_PanelLineEdit, &atOrigin, &onPanel, widget);
        onPanel.end();
        found = m_panels.emplace(look, panel).first;
    }
    painter->drawPixmap(frame->rect.topLeft(), found->second);
    return true;
}

CachedFrameStyle* ApplicationFrameStyle() {
    // Remade when a later application replaces the one that owned it.
    static QPointer<CachedFrameStyle> style;
    if (style == nullptr) {
        style = new CachedFrameStyle;
        style->setParent(qApp);
    }
    return style;
}

}  // namespace vantor

#include "app/GroupFrameStyle.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QGroupBox>
#include <QPointer>
#include <QStyleOption>
#include <algorithm>

namespace vantor {

namespace {

// The standard style's frame: its image, the corners it keeps whole, and the gap above a frame
// that has no title.
constexpr const char* kFrameImage =
    ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";
constexpr int kFrameCorner = 6;
constexpr int kTopMargin = 3;

bool DrawsFrameImage(const QStyle* style) {
    return style != nullptr &&
           style->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) == 0;
}

}  // namespace

GroupFrameStyle::GroupFrameStyle() {
    if (DrawsFrameImage(baseStyle())) {
        m_frame.load(QString::fromLatin1(kFrameImage));
    }
}

void GroupFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    if (element != PE_FrameGroupBox || m_frame.isNull()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // An untitled box that cannot be checked keeps only a small gap above its frame; any other
    // leaves room for its title line.
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool bare = box != nullptr && !box->isCheckable() && box->title().isEmpty();
    const int top =
        bare ? kTopMargin
             : std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                   kTopMargin;
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0),
                      QMargins(kFrameCorner, kFrameCorner, kFrameCorner, kFrameCorner), m_frame);
}

GroupFrameStyle* ApplicationGroupFrameStyle() {
    // Remade when a later application replaces the one that owned it.
    static QPointer<GroupFrameStyle> style;
    if (style == nullptr) {
        style = new GroupFrameStyle;
        style->setParent(qApp);
    }
    return style;
}

}  // namespace vantor

#pragma once

#include <QPixmap>
#include <QProxyStyle>

namespace vantor {

// The platform style, with the frame image of a group box loaded once. The standard style
// loads it again on every paint of a box, and each load asks the image's time, which reads
// the local time zone from the disk. The frame is drawn as the standard style draws it.
class GroupFrameStyle : public QProxyStyle {
public:
    GroupFrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

private:
    QPixmap m_frame;  // null when the base style draws its frames otherwise
};

// The one instance of the application, owned by it; given to each group box built.
GroupFrameStyle* ApplicationGroupFrameStyle();

}  // namespace vantor

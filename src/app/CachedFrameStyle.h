#pragma once

#include <QPixmap>
#include <QProxyStyle>
#include <map>
#include <tuple>

namespace vantor {

// The platform style, drawing two frames from what it drew before:
// - a group box's frame image, loaded once; the standard style loads it again at every paint of
//   a box, and each load asks the image's time, which reads the local time zone from the disk;
// - the panel of a text field that fills its own background with one colour, kept as a picture
//   of panel and background per look, so a changed value draws its field's frame with one copy
//   instead of shaping it anew.
// Both come out as the standard style draws them.
class CachedFrameStyle : public QProxyStyle {
public:
    CachedFrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

private:
    void DrawGroupFrame(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    bool DrawCachedPanel(const QStyleOption* option, QPainter* painter,
                         const QWidget* widget) const;

    // What a field's panel looks like: its size, state, frame width, the colours it is drawn in
    // and the background under it, and the pixel ratio.
    using PanelLook = std::tuple<int, int, unsigned, int, QRgb, QRgb, QRgb, QRgb, qreal>;

    QPixmap m_groupFrame;  // null when the base style draws its frames otherwise
    mutable std::map<PanelLook, QPixmap> m_panels;
};

// The one instance of the application, owned by it; given to the group boxes and text fields
// built from templates.
CachedFrameStyle* ApplicationFrameStyle();

}  // namespace vantor

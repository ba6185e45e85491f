#include "app/ValueFont.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

// The default drawing font and the dialog font's base units it goes with.
constexpr double kDefaultCellHeight = 16;
constexpr double kDefaultAverageWidth = 7;
constexpr double kReferenceBaseHeight = 13;
constexpr double kReferenceBaseWidth = 6;
constexpr double kExtraHeight = 5;
constexpr double kExtraWidth = 2;
constexpr int kProbePixels = 100;

}  // namespace

QFont ValueFont(const DialogUnits& units) {
    const double cellHeight =
        (kDefaultCellHeight + kExtraHeight) * units.BaseHeight() / kReferenceBaseHeight;
    const double averageWidth =
        (kDefaultAverageWidth + kExtraWidth) * units.BaseWidth() / kReferenceBaseWidth;

    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    // Numbers need no shaping; laying out each changed value without it draws the same glyphs at
    // the same places for less.
    font.setStyleStrategy(QFont::PreferNoShaping);
    // A cell height (ascent plus descent) is asked for, not an em size: measure the face.
    font.setPixelSize(kProbePixels);
    const double cellPerPixel = QFontMetricsF(font).height() / kProbePixels;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cellHeight / cellPerPixel))));
    const double naturalWidth = QFontMetricsF(font).averageCharWidth();
    if (naturalWidth > 0) {
        font.setStretch(
            std::clamp(static_cast<int>(std::lround(100 * averageWidth / naturalWidth)), 1, 4000));
    }
    return font;
}

}  // namespace vantor

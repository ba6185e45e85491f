#include "app/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>

namespace vantor {

namespace {

constexpr int kDialogPointSize = 8;

// units × base / divisor, rounded half away from zero like the platform's MulDiv.
int Scale(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

}  // namespace

DialogUnits DialogUnits::Of(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width is taken over both alphabets, rounded, as the platform does it.
    const int alphabetWidth = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int averageWidth = (alphabetWidth / 26 + 1) / 2;
    return DialogUnits(averageWidth, metrics.height());
}

int DialogUnits::X(int units) const {
    return Scale(units, m_baseWidth, 4);
}

int DialogUnits::Y(int units) const {
    return Scale(units, m_baseHeight, 8);
}

QRect DialogUnits::ToPixels(const res::DluRect& rect) const {
    const int left = X(rect.x);
    const int top = Y(rect.y);
    const int right = X(rect.x + rect.width);
    const int bottom = Y(rect.y + rect.height);
    return QRect(left, top, right - left, bottom - top);
}

QFont DialogFont() {
    QFont font = QApplication::font();
    font.setPointSize(kDialogPointSize);
    return font;
}

}  // namespace vantor

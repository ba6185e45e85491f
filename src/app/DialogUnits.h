#pragma once

#include <QFont>
#include <QRect>

#include "res/DialogTemplate.h"

namespace vantor {

// Dialog units of a dialog font: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height. Every rectangle of a template
// goes through here, so a window keeps its proportions at any font size and screen scale.
class DialogUnits {
public:
    // From measured base units: average character width and character height in pixels.
    DialogUnits(int baseWidth, int baseHeight) : m_baseWidth(baseWidth), m_baseHeight(baseHeight) {}
    // Measured on a font the way the platform of the templates measures its dialog font.
    static DialogUnits Of(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    // Corners are converted one by one, so controls that touch in dialog units touch on screen.
    QRect ToPixels(const res::DluRect& rect) const;

    int BaseWidth() const { return m_baseWidth; }
    int BaseHeight() const { return m_baseHeight; }

private:
    int m_baseWidth;
    int m_baseHeight;
};

// The dialog font of every template: the system's user-interface font at 8 points.
QFont DialogFont();

}  // namespace vantor

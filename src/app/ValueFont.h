#pragma once

#include <QFont>

#include "app/DialogUnits.h"

namespace vantor {

// The font of the quantity labels and value fields: the platform's default drawing font
// (a bold face with a 16-pixel cell and a 7-pixel average character where the dialog font
// has 13 and 6) made 5 pixels taller and 2 wider, in the face "Arial". The pixel figures
// are taken relative to the dialog units, so the values grow with the dialog font.
QFont ValueFont(const DialogUnits& units);

}  // namespace vantor

#pragma once

#include <QColor>
#include <QLineEdit>

namespace vantor {

// A read-only field has the window's background, as the platform draws it, so the operator
// sees which fields take input.
void SetReadOnlyLook(QLineEdit* edit, bool readOnly);

// A field of an absent quantity is a black box: black background, black text.
void SetBlackedOut(QLineEdit* edit, bool blackedOut);

// A field that fills the corners its frame leaves with `backdrop`, the colour under it, so that a
// change repaints the field alone and not the dialog and group box beneath it first.
void FillOwnCorners(QLineEdit* edit, const QColor& backdrop);

// The colour at a child's top-left corner as its parent paints it: the parent's background,
// tinted by a group box whose frame surrounds the spot.
QColor BackdropColour(const QWidget* child);

}  // namespace vantor

#pragma once

#include <QLineEdit>

namespace vantor {

// A read-only field has the window's background, as the platform draws it, so the operator
// sees which fields take input.
void SetReadOnlyLook(QLineEdit* edit, bool readOnly);

// A field of an absent quantity is a black box: black background, black text.
void SetBlackedOut(QLineEdit* edit, bool blackedOut);

}  // namespace vantor

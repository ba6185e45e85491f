#include "app/FieldLook.h"

#include <QApplication>
#include <QPalette>

namespace vantor {

namespace {

constexpr const char* kBlackedOutProperty = "vantorBlackedOut";

void ApplyColours(QLineEdit* edit) {
    const QPalette standard = QApplication::palette(edit);
    QPalette palette = edit->palette();
    if (edit->property(kBlackedOutProperty).toBool()) {
        palette.setColor(QPalette::Base, Qt::black);
        palette.setColor(QPalette::Text, Qt::black);
    } else {
        palette.setColor(QPalette::Base,
                         standard.color(edit->isReadOnly() ? QPalette::Window : QPalette::Base));
        palette.setColor(QPalette::Text, standard.color(QPalette::Text));
    }
    // An unchanged palette is not set again, so this may run before every paint.
    if (palette != edit->palette()) {
        edit->setPalette(palette);
    }
}

}  // namespace

void SetReadOnlyLook(QLineEdit* edit, bool readOnly) {
    edit->setReadOnly(readOnly);
    ApplyColours(edit);
}

void SetBlackedOut(QLineEdit* edit, bool blackedOut) {
    // Asked before every paint of a value field: the colours change only with the state.
    const QVariant before = edit->property(kBlackedOutProperty);
    if (before.isValid() && before.toBool() == blackedOut) {
        return;
    }
    edit->setProperty(kBlackedOutProperty, blackedOut);
    ApplyColours(edit);
}

}  // namespace vantor

#include "app/FieldLook.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
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

void FillOwnCorners(QLineEdit* edit, const QColor& backdrop) {
    // A role the line edit draws nothing else with; the frame's own colours come from others.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::AlternateBase, backdrop);
    edit->setPalette(palette);
    edit->setBackgroundRole(QPalette::AlternateBase);
    edit->setAutoFillBackground(true);
}

QColor BackdropColour(const QWidget* child) {
    const QWidget* parent = child->parentWidget();
    const QPoint spot = child->geometry().topLeft();
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(parent->palette().color(parent->backgroundRole()));
    QPainter painter(&image);
    for (QGroupBox* box : parent->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
        if (!box->isHidden() && box->geometry().contains(spot)) {
            box->render(&painter, QPoint(), QRegion(QRect(spot - box->pos(), QSize(1, 1))),
                        QWidget::RenderFlags());
        }
    }
    painter.end();
    return image.pixelColor(0, 0);
}

}  // namespace vantor

#pragma once

#include <QFont>
#include <QSize>
#include <QWidget>

#include "app/ControlMap.h"
#include "app/DialogUnits.h"
#include "res/DialogTemplate.h"

namespace vantor {

// Turns a dialog template into widgets on a dialog: every control at its rectangle in
// dialog units of the dialog font, in template (tab) order, radio buttons grouped from each
// one marked first of its group, frames kept beneath what they frame.
class TemplateBuilder {
public:
    TemplateBuilder(const DialogUnits& units, const QFont& font) : m_units(units), m_font(font) {}

    ControlMap Build(const res::DialogTemplate& dialog, QWidget* parent) const;
    QSize ClientSize(const res::DialogTemplate& dialog) const;
    const DialogUnits& Units() const { return m_units; }

private:
    QWidget* Create(const res::ControlSpec& entry, QWidget* parent, QWidget* previous) const;
    void Place(QWidget* control, const res::ControlSpec& entry) const;

    DialogUnits m_units;
    QFont m_font;
};

// Breaks a text at blanks so that no line is wider than `width` pixels in `font`.
QString WrapToWidth(const QString& text, const QFont& font, int width);

}  // namespace vantor

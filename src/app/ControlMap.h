#pragma once

#include <QWidget>
#include <map>

namespace vantor {

// The controls of one dialog by identifier. Identifiers belong to a dialog, not to the
// program: two dialogs may both have a control 1090.
class ControlMap {
public:
    void Add(int id, QWidget* control);
    // Null when the dialog has no control of that identifier.
    QWidget* Find(int id) const;
    // A control a table names: throws std::logic_error when the dialog has none, since a table
    // naming a control its template lacks is a mistake that must not read as an empty field.
    QWidget* Get(int id) const;
    template <typename Widget>
    Widget* As(int id) const {
        return qobject_cast<Widget*>(Find(id));
    }
    const std::map<int, QWidget*>& All() const { return m_controls; }

private:
    std::map<int, QWidget*> m_controls;
};

// The template identifier a control was built with; res::kNoId for anything else.
int ControlIdOf(const QWidget* widget);
void SetControlId(QWidget* widget, int id);

}  // namespace vantor

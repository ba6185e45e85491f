#pragma once

#include <QWidget>
#include <utility>
#include <vector>

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
    // By identifier, ascending.
    const std::vector<std::pair<int, QWidget*>>& All() const { return m_controls; }

private:
    // Sorted and contiguous: every data exchange looks each of its controls up, and a poll tick
    // finds the table cold.
    std::vector<std::pair<int, QWidget*>> m_controls;
};

// The template identifier a control was built with; res::kNoId for anything else.
int ControlIdOf(const QWidget* widget);
void SetControlId(QWidget* widget, int id);

}  // namespace vantor

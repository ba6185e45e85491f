#include "app/ControlMap.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "res/DialogTemplate.h"

namespace vantor {

namespace {

constexpr const char* kIdProperty = "vantorControlId";

bool IdBelow(const std::pair<int, QWidget*>& entry, int id) {
    return entry.first < id;
}

}  // namespace

void ControlMap::Add(int id, QWidget* control) {
    if (id == res::kNoId) {
        return;
    }
    const auto at = std::lower_bound(m_controls.begin(), m_controls.end(), id, IdBelow);
    if (at != m_controls.end() && at->first == id) {
        at->second = control;
    } else {
        m_controls.insert(at, {id, control});
    }
}

QWidget* ControlMap::Find(int id) const {
    const auto at = std::lower_bound(m_controls.begin(), m_controls.end(), id, IdBelow);
    return at != m_controls.end() && at->first == id ? at->second : nullptr;
}

QWidget* ControlMap::Get(int id) const {
    QWidget* control = Find(id);
    if (control == nullptr) {
        throw std::logic_error("the dialog has no control " + std::to_string(id));
    }
    return control;
}

int ControlIdOf(const QWidget* widget) {
    if (widget == nullptr) {
        return res::kNoId;
    }
    const QVariant id = widget->property(kIdProperty);
    return id.isValid() ? id.toInt() : res::kNoId;
}

void SetControlId(QWidget* widget, int id) {
    widget->setProperty(kIdProperty, id);
}

}  // namespace vantor

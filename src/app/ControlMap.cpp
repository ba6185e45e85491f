#include "app/ControlMap.h"

#include <stdexcept>
#include <string>

#include "res/DialogTemplate.h"

namespace vantor {

namespace {
constexpr const char* kIdProperty = "vantorControlId";
}  // namespace

void ControlMap::Add(int id, QWidget* control) {
    if (id != res::kNoId) {
        m_controls[id] = control;
    }
}

QWidget* ControlMap::Find(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
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

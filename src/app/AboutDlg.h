#pragma once

#include <QDialog>

#include "app/ControlMap.h"

namespace vantor {

// The About box of template 100, opened from the window's menu.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent);
    const ControlMap& Controls() const { return m_controls; }

private:
    ControlMap m_controls;
};

}  // namespace vantor

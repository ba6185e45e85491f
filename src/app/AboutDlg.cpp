#include "app/AboutDlg.h"

#include <QPushButton>

#include "app/TemplateBuilder.h"
#include "polling/ControlIds.h"
#include "res/AppIcon.h"
#include "res/Templates.h"

namespace vantor {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    const res::DialogTemplate& dialog = res::AboutTemplate();
    const TemplateBuilder builder(DialogUnits::Of(DialogFont()), DialogFont());
    m_controls = builder.Build(dialog, this);
    setFixedSize(builder.ClientSize(dialog));
    setWindowTitle(QString::fromStdString(dialog.caption));
    setWindowIcon(res::AppIcon());
    if (auto* ok = m_controls.As<QPushButton>(ctl::about::kOkButton)) {
        ok->setAutoDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    }
}

}  // namespace vantor

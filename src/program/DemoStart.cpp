#include "program/DemoStart.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QTimer>

#include "app/MorvikWindow.h"
#include "pages/OpenFile.h"

namespace vantor {

QString DemoConfigurationFile() {
    const QString file = qEnvironmentVariable("VANTOR3_DEMO_FILE");
    return file.isEmpty() ? file : QFileInfo(file).absoluteFilePath();
}

void DemoPrompts::ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                              MessageIcon icon) {
    m_system.ShowMessage(owner, text, caption, icon);
}

std::optional<QString> DemoPrompts::ChooseFileToOpen(QWidget* owner, const QString& filter) {
    if (m_demoFile.isEmpty()) {
        return m_system.ChooseFileToOpen(owner, filter);
    }
    return std::exchange(m_demoFile, QString());
}

void StartDemo(CMorvikWindow& window) {
    QTimer::singleShot(0, &window, [&window] {
        window.OpenTab(ctl::kFileTab);
        if (auto* page = dynamic_cast<COpenFile*>(window.m_pFilePage)) {
            window.Dispatch([page] { page->OnOpen(); });
            page->ClosePage();
        }
        if (auto* start = window.Controls().As<QAbstractButton>(ctl::kStartButton)) {
            start->click();
        }
    });
}

}  // namespace vantor

#pragma once

#include <QString>

#include "app/UserPrompts.h"

namespace vantor {

class CMorvikWindow;

// The demonstration start of tools/run-demo.sh, and nothing else: with VANTOR3_DEMO_FILE set
// to a configuration file, the window opens with that file loaded through the file page and
// polling started, as if the operator had clicked "Файл", "Открыть", chosen the file and
// clicked "Старт".
QString DemoConfigurationFile();

// Answers the first file dialog with the demonstration file; everything else goes to the
// system's dialogs.
class DemoPrompts : public IUserPrompts {
public:
    DemoPrompts(IUserPrompts& system, QString demoFile)
        : m_system(system), m_demoFile(std::move(demoFile)) {}

    bool HasDemoFile() const { return !m_demoFile.isEmpty(); }
    void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                     MessageIcon icon) override;
    std::optional<QString> ChooseFileToOpen(QWidget* owner, const QString& filter) override;
    std::optional<QString> ChooseFileToSave(QWidget* owner, const QString& filter) override {
        return m_system.ChooseFileToSave(owner, filter);
    }

private:
    IUserPrompts& m_system;
    QString m_demoFile;
};

// The three clicks, once the window's event loop runs.
void StartDemo(CMorvikWindow& window);

}  // namespace vantor

#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "polling/DialogWindow.h"

namespace vantor {

// The system dialogs the window runs: message boxes and the file-open dialog. Both run a
// nested event loop in which the timers keep firing. Tests answer them instead.
class IUserPrompts {
public:
    virtual ~IUserPrompts() = default;
    virtual void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                             MessageIcon icon) = 0;
    // The chosen file's full path; nothing when the user cancels.
    virtual std::optional<QString> ChooseFileToOpen(QWidget* owner, const QString& filter) = 0;
    // The path to write to, the file chosen or named; nothing when the user cancels.
    virtual std::optional<QString> ChooseFileToSave(QWidget* owner, const QString& filter) = 0;
};

// The platform's own message box (an OK button) and file dialog.
class SystemPrompts : public IUserPrompts {
public:
    void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                     MessageIcon icon) override;
    std::optional<QString> ChooseFileToOpen(QWidget* owner, const QString& filter) override;
    std::optional<QString> ChooseFileToSave(QWidget* owner, const QString& filter) override;
};

}  // namespace vantor

#include "app/UserPrompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace vantor {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void SystemPrompts::ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                                MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, owner);
    box.exec();
}

namespace {

std::optional<QString> Chosen(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

std::optional<QString> SystemPrompts::ChooseFileToOpen(QWidget* owner, const QString& filter) {
    return Chosen(QFileDialog::getOpenFileName(owner, QString(), QString(), filter));
}

std::optional<QString> SystemPrompts::ChooseFileToSave(QWidget* owner, const QString& filter) {
    return Chosen(QFileDialog::getSaveFileName(owner, QString(), QString(), filter));
}

}  // namespace vantor

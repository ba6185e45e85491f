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

std::optional<QString> SystemPrompts::ChooseFileToOpen(QWidget* owner, const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(owner, QString(), QString(), filter);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

}  // namespace vantor

#include "app/Page.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <algorithm>

#include "app/MorvikWindow.h"
#include "app/TemplateBuilder.h"

namespace vantor {

namespace {
// The dialog frame around the page's client area.
constexpr int kFrameWidth = 3;

// The id of the control that a focus widget belongs to: an open list's drop-down, a window of
// its own, belongs to its list.
int OwningControlId(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        const int id = ControlIdOf(widget);
        if (id != res::kNoId) {
            return id;
        }
    }
    return res::kNoId;
}

}  // namespace

CPage::CPage(CMorvikWindow* main, const res::DialogTemplate& dialog,
             CPage* CMorvikWindow::*reference)
    : QDialog(main, Qt::Tool | Qt::FramelessWindowHint), m_pMain(main), m_reference(reference) {
    auto* client = new QWidget(this);
    const TemplateBuilder builder(main->Units(), DialogFont());
    m_controls = builder.Build(dialog, client);
    const QSize size = builder.ClientSize(dialog);
    client->setGeometry(kFrameWidth, kFrameWidth, size.width(), size.height());
    setFixedSize(size.width() + 2 * kFrameWidth, size.height() + 2 * kFrameWidth);
    setFont(DialogFont());
}

CPage::~CPage() {
    m_closing = true;
}

CMorvikDlg& CPage::MainState() {
    return m_pMain->State();
}

bool CPage::IsReferenced() const {
    return m_pMain->*m_reference == this;
}

void CPage::FocusFirstControl() {
    // Template order is the order of creation, which is the focus chain.
    QWidget* first = nextInFocusChain();
    while (first != nullptr && first != this) {
        if (first->isVisibleTo(this) && first->isEnabled() &&
            (first->focusPolicy() & Qt::TabFocus) != 0) {
            first->setFocus(Qt::TabFocusReason);
            return;
        }
        first = first->nextInFocusChain();
    }
}

void CPage::ClosePage() {
    if (m_closing) {
        return;
    }
    m_closing = true;
    if (IsReferenced()) {
        m_pMain->*m_reference = nullptr;
    }
    QDialog::done(QDialog::Rejected);
    deleteLater();
}

void CPage::accept() {
    if (m_closing || !UpdateData(true)) {
        return;
    }
    OnLeaving();
    ClosePage();
}

void CPage::reject() {
    if (m_closing) {
        return;
    }
    OnLeaving();
    ClosePage();
}

void CPage::WatchFocus(const std::vector<int>& ids) {
    for (int id : ids) {
        if (QWidget* control = m_controls.Find(id)) {
            control->installEventFilter(this);
        }
    }
}

void CPage::OnFocusLost(int /*id*/) {}

bool CPage::UpdateData(bool /*saveAndValidate*/) {
    return true;
}

void CPage::ApplyClosingRule(const std::vector<int>& ownIds) {
    if (!IsReferenced()) {
        return;
    }
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        return;
    }
    if (std::find(ownIds.begin(), ownIds.end(), OwningControlId(focus)) != ownIds.end()) {
        return;
    }
    ClosePage();
}

void CPage::ReportInvalidField(QWidget* field, const char* message) {
    m_pMain->ReportInvalidField(field, message);
}

void CPage::Run(const std::function<void()>& handler) {
    m_pMain->Dispatch(handler);
}

std::string CPage::SelectedText(int id) const {
    auto* list = m_controls.As<QComboBox>(id);
    if (list == nullptr || list->currentIndex() < 0) {
        return {};
    }
    return list->currentText().toStdString();
}

void CPage::SelectText(int id, const std::string& text) {
    if (auto* list = m_controls.As<QComboBox>(id)) {
        list->setCurrentIndex(list->findText(QString::fromStdString(text), Qt::MatchExactly));
    }
}

bool CPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !m_closing) {
        // A list opening its drop-down keeps the focus as far as the page is concerned.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            const int id = ControlIdOf(qobject_cast<QWidget*>(watched));
            Run([this, id] { OnFocusLost(id); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Run([this] { accept(); });
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        Run([this] { reject(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPage::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = kFrameWidth;
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_FrameWindow, &frame, &painter, this);
}

}  // namespace vantor

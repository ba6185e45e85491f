#include "app/MorvikWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <array>
#include <stdexcept>

#include "app/AboutDlg.h"
#include "app/ClickLabel.h"
#include "app/FieldLook.h"
#include "app/MainBindings.h"
#include "app/MonitorWindow.h"
#include "app/Page.h"
#include "app/QuantityFields.h"
#include "app/TemplateBuilder.h"
#include "app/ValueFont.h"
#include "config/Protocol.h"
#include "res/AppIcon.h"
#include "res/Strings.h"
#include "res/Templates.h"

namespace vantor {

namespace {

constexpr unsigned kAboutCommand = 0x0010;
constexpr unsigned kCommandMask = 0xFFF0;
// The platform's shortest timer period; a period of 0 would otherwise spin.
constexpr unsigned kShortestTimerMs = 10;

// The separator under the tab strip, in pixels of a dialog font with 6 × 13 base units: a line
// at 30 running to the right edge and up it.
constexpr int kSeparatorY = 30;
constexpr int kSeparatorRight = 700;
constexpr int kReferenceBaseWidth = 6;
constexpr int kReferenceBaseHeight = 13;
// Pages open just below the separator, left-aligned with their tab.
constexpr int kPageTopUnits = 23;

// The tab strip of the window's template, left to right.
constexpr std::array<int, 5> kTabs = {ctl::kFileTab, ctl::kPortTab, ctl::kModbusTab, ctl::kIecTab,
                                      ctl::kNominalTab};

}  // namespace

CMorvikWindow::CMorvikWindow(const Platform& platform, IUserPrompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_prompts(prompts),
      m_units(DialogUnits::Of(DialogFont())),
      m_dlg(std::make_unique<CMorvikDlg>(*this, platform)) {
    BuildWindow();
    InitDialog();
}

CMorvikWindow::~CMorvikWindow() {
    m_monitor.reset();
    for (const PageRegistry::Entry& entry : m_pages.Entries()) {
        delete (this->*entry.reference);
        this->*entry.reference = nullptr;
    }
    for (auto& [id, timer] : m_timers) {
        timer->stop();
    }
    for (const QuantityField& quantity : kQuantityFields) {
        if (QWidget* field = m_controls.Find(quantity.field)) {
            field->removeEventFilter(this);
        }
    }
}

void CMorvikWindow::BuildWindow() {
    const TemplateBuilder builder(m_units, DialogFont());
    m_controls = builder.Build(res::MainTemplate(), this);
    setFixedSize(builder.ClientSize(res::MainTemplate()));
    setWindowTitle(QString::fromStdString(res::MainTemplate().caption));
    setWindowIcon(res::AppIcon());
    for (QLineEdit* field : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        FillOwnCorners(field, BackdropColour(field));
        // Numbers and times need no shaping; without it they come out the same, for less.
        QFont font = field->font();
        font.setStyleStrategy(QFont::PreferNoShaping);
        field->setFont(font);
    }
    for (std::size_t i = 0; i < kQuantityFields.size(); ++i) {
        if (auto* field = m_controls.As<QLineEdit>(kQuantityFields.at(i).field)) {
            m_valueFields.at(i) = field;
            field->installEventFilter(this);
        }
    }
}

void CMorvikWindow::InitDialog() {
    m_fontValues = ValueFont(m_units);
    SetControlText(ctl::kKnText, "");
    SetControlText(ctl::kKtText, "");
    ApplyValueFont();
    ConnectHandlers();
    Dispatch([this] { m_dlg->OnInitDialog(); });
}

void CMorvikWindow::ConnectClick(int id, void (CMorvikWindow::*handler)()) {
    if (auto* button = m_controls.As<QAbstractButton>(id)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, handler] { Dispatch([this, handler] { (this->*handler)(); }); });
    }
}

void CMorvikWindow::ConnectState(int id, void (CMorvikDlg::*handler)()) {
    if (auto* button = m_controls.As<QAbstractButton>(id)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, handler] { Dispatch([this, handler] { ((*m_dlg).*handler)(); }); });
    }
}

void CMorvikWindow::ConnectHandlers() {
    for (const int tab : kTabs) {
        if (auto* label = m_controls.As<ClickLabel>(tab)) {
            connect(label, &ClickLabel::clicked, this, [this, tab] { OpenTab(tab); });
        }
    }
    ConnectClick(ctl::kModbusRadio, &CMorvikWindow::OnModbusProtocol);
    ConnectClick(ctl::kIecRadio, &CMorvikWindow::OnIecProtocol);
    ConnectClick(ctl::kDefaultButton, &CMorvikWindow::OnDefault);
    ConnectClick(ctl::kRecTimeCheck, &CMorvikWindow::OnRecordTime);
    ConnectState(ctl::kStartButton, &CMorvikDlg::OnStart);
    ConnectState(ctl::kStopButton, &CMorvikDlg::OnStop);
    ConnectState(ctl::kPhysicalCheck, &CMorvikDlg::UpdateUnitCaptions);
    ConnectState(ctl::kSyncClockButton, &CMorvikDlg::OnSyncClock);
    ConnectState(ctl::kMeasureDelayButton, &CMorvikDlg::OnMeasureDelay);
    if (auto* group = m_controls.As<QComboBox>(ctl::kGroupCombo)) {
        // The colours follow the chosen group at once, not only at the next poll.
        connect(group, &QComboBox::currentIndexChanged, this, [this] { Repaint(); });
    }
    auto* monitor = new QShortcut(QKeySequence(QString::fromUtf8(res::kMonitorShortcut)), this);
    connect(monitor, &QShortcut::activated, this, &CMorvikWindow::ShowMonitor);
}

void CMorvikWindow::Dispatch(const std::function<void()>& handler, bool pollTick) {
    try {
        handler();
    } catch (const std::out_of_range&) {
        if (pollTick) {
            m_dlg->OnStop();
        }
        m_prompts.ShowMessage(this, QString::fromUtf8(res::kImproperArgument),
                              QString::fromUtf8(res::kAppTitle), MessageIcon::Warning);
    }
}

void CMorvikWindow::ReportInvalidField(QWidget* field, const char* message) {
    // While one report is open, the ticks that run in its event loop meet the same field;
    // one report is enough.
    if (m_invalidFieldReported) {
        return;
    }
    m_invalidFieldReported = true;
    QWidget* owner = field != nullptr ? field->window() : this;
    m_prompts.ShowMessage(owner, QString::fromUtf8(message), QString::fromUtf8(res::kAppTitle),
                          MessageIcon::Warning);
    m_invalidFieldReported = false;
    if (field != nullptr) {
        owner->activateWindow();
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->selectAll();
        }
    }
}

// --- IDialogWindow ------------------------------------------------------------------------

bool CMorvikWindow::UpdateData(bool saveAndValidate) {
    const DataExchange exchange(m_controls, [this](QWidget* field, const char* message) {
        ReportInvalidField(field, message);
    });
    const bool exchanged = exchange.Run(*m_dlg, MainBindings(), saveAndValidate);
    // The exchange leaves unchanged texts alone, so no repaint would bring a committed group
    // choice or new presence flags to the fields; they take their colours here.
    ColourValueFields();
    return exchanged;
}

bool CMorvikWindow::CommitOperatorInput() {
    const DataExchange exchange(m_controls, [this](QWidget* field, const char* message) {
        ReportInvalidField(field, message);
    });
    const bool exchanged = exchange.SaveOperatorInput(*m_dlg, MainBindings());
    ColourValueFields();
    return exchanged;
}

void CMorvikWindow::MessageBox(const std::string& text, const std::string& caption,
                               MessageIcon icon) {
    m_prompts.ShowMessage(this, QString::fromStdString(text), QString::fromStdString(caption),
                          icon);
}

void CMorvikWindow::SetTimer(unsigned id, unsigned periodMs) {
    QTimer*& timer = m_timers[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this,
                [this, id] { Dispatch([this, id] { m_dlg->OnTimer(id); }, id == kPollTimer); });
    }
    timer->start(static_cast<int>(std::max(periodMs, kShortestTimerMs)));
}

void CMorvikWindow::KillTimer(unsigned id) {
    const auto found = m_timers.find(id);
    if (found != m_timers.end()) {
        found->second->stop();
    }
}

void CMorvikWindow::EnableControl(int id, bool enabled) {
    if (QWidget* control = m_controls.Find(id)) {
        control->setEnabled(enabled);
    }
}

void CMorvikWindow::SetReadOnly(int id, bool readOnly) {
    if (auto* edit = m_controls.As<QLineEdit>(id)) {
        SetReadOnlyLook(edit, readOnly);
    }
}

void CMorvikWindow::ShowControl(int id, bool shown) {
    if (QWidget* control = m_controls.Find(id)) {
        control->setVisible(shown);
    }
}

void CMorvikWindow::SetControlText(int id, const std::string& text) {
    QWidget* control = m_controls.Find(id);
    const QString shown = QString::fromStdString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(shown);
    } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
        box->setTitle(shown);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(shown);
    }
}

void CMorvikWindow::Repaint() {
    update();
}

int CMorvikWindow::GetComboSelection(int id) {
    auto* combo = m_controls.As<QComboBox>(id);
    return combo != nullptr ? combo->currentIndex() : -1;
}

void CMorvikWindow::SetComboSelection(int id, int index) {
    if (auto* combo = m_controls.As<QComboBox>(id)) {
        combo->setCurrentIndex(index < combo->count() ? index : -1);
    }
}

// --- Tab strip and pages -------------------------------------------------------------------

void CMorvikWindow::OpenTab(int tabId) {
    const PageRegistry::Entry* entry = m_pages.Find(tabId);
    if (entry == nullptr) {
        return;
    }
    // A page of this kind still open (its focus went to a control sharing one of its
    // identifiers) would otherwise be left on the screen without a reference.
    if (CPage* open = this->*entry->reference) {
        open->ClosePage();
    }
    CPage* page = entry->make(this);
    this->*entry->reference = page;
    const QWidget* label = m_controls.Find(tabId);
    ShowPage(label != nullptr ? label->x() : 0, m_units.Y(kPageTopUnits), page);
}

void CMorvikWindow::ShowPage(int x, int y, CPage* page) {
    m_pMainWnd = this;
    page->move(mapToGlobal(QPoint(x, y)));
    page->show();
    page->activateWindow();
    page->FocusFirstControl();
}

// --- Handlers --------------------------------------------------------------------------------

void CMorvikWindow::OnSysCommand(unsigned command) {
    if ((command & kCommandMask) == kAboutCommand) {
        ShowAbout();
    }
}

void CMorvikWindow::ShowAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMorvikWindow::ShowMonitor() {
    if (!m_monitor) {
        m_monitor = std::make_unique<CMonitorWindow>(*this);
    }
    m_monitor->show();
    m_monitor->raise();
    m_monitor->activateWindow();
}

void CMorvikWindow::OnModbusProtocol() {
    m_dlg->m_nProtoTag = kModbusProtoTag;
}

void CMorvikWindow::OnIecProtocol() {
    CMorvikDlg& dlg = *m_dlg;
    UpdateData(true);
    // Built apart: assigning the literal trips a false -Wrestrict of GCC 12.
    dlg.m_strDataBits = std::string(1, '8');
    dlg.m_port.Configure(dlg.SettingsText());
    dlg.m_b8Bit = TRUE;
    dlg.m_nProtoTag = kIecProtoTag;
}

void CMorvikWindow::OnDefault() {
    UpdateData(true);
    UpdateData(false);
}

void CMorvikWindow::OnRecordTime() {
    UpdateData(true);
    SetReadOnly(ctl::kRecTimeEdit, m_dlg->m_bRecTime == FALSE);
    UpdateData(false);
}

// --- Painting and input ----------------------------------------------------------------------

void CMorvikWindow::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const int y = kSeparatorY * m_units.BaseHeight() / kReferenceBaseHeight;
        const int right = kSeparatorRight * m_units.BaseWidth() / kReferenceBaseWidth;
        painter.drawLine(0, y, right, y);
        painter.drawLine(right, y, right, 0);
    }
    QDialog::paintEvent(event);
    ApplyValueFont();
}

void CMorvikWindow::ApplyValueFont() {
    // Given on every paint; a font the control has already changes nothing drawn, and setting
    // it again would only cost the font's resolution.
    const auto give = [this](QWidget* control) {
        if (control != nullptr && control->font() != m_fontValues) {
            control->setFont(m_fontValues);
        }
    };
    for (const QuantityField& quantity : kQuantityFields) {
        give(m_controls.Find(quantity.label));
    }
    for (const QuantityField& quantity : kQuantityFields) {
        give(m_controls.Find(quantity.field));
    }
}

bool CMorvikWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        const auto field = std::find(m_valueFields.begin(), m_valueFields.end(), watched);
        if (field != m_valueFields.end()) {
            ColourValueField(static_cast<std::size_t>(field - m_valueFields.begin()), PresentNow());
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::array<bool, 32> CMorvikWindow::PresentNow() {
    return PresentQuantities(m_dlg->m_baActive, m_dlg->m_saItems, m_dlg->m_saQtyKeys,
                             m_dlg->m_baItemCot, GetComboSelection(ctl::kGroupCombo),
                             m_dlg->m_nIecMode);
}

void CMorvikWindow::ColourValueFields() {
    const std::array<bool, 32> present = PresentNow();
    for (std::size_t i = 0; i < m_valueFields.size(); ++i) {
        ColourValueField(i, present);
    }
}

void CMorvikWindow::ColourValueField(std::size_t index, const std::array<bool, 32>& present) {
    QLineEdit* edit = m_valueFields.at(index);
    const bool blackedOut = !present.at(kQuantityFields.at(index).flag);
    if (edit != nullptr && m_blackedOut.at(index) != blackedOut) {
        SetBlackedOut(edit, blackedOut);
        m_blackedOut.at(index) = blackedOut;
    }
}

void CMorvikWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) {
        QDialog::keyPressEvent(event);  // Escape ends the window
        return;
    }
    // Enter presses the push button that has the focus, else the hidden default button.
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    if (focused != nullptr && !focused->isCheckable() && focused->isEnabled()) {
        focused->click();
    } else if (auto* fallback = m_controls.As<QPushButton>(ctl::kDefaultButton)) {
        fallback->click();
    }
}

void CMorvikWindow::AddChoice(QMenu& menu, const char* text, BOOL& choice) {
    QAction* action = menu.addAction(QString::fromUtf8(text));
    action->setCheckable(true);
    action->setChecked(choice != FALSE);
    connect(action, &QAction::toggled, this, [&choice](bool on) { choice = on ? TRUE : FALSE; });
}

void CMorvikWindow::contextMenuEvent(QContextMenuEvent* event) {
    // The platform has no system menu an application can extend; the About entry lives in
    // the window's own menu instead.
    QMenu menu(this);
    menu.addAction(QString::fromUtf8(res::kAboutMenuEntry), this,
                   [this] { Dispatch([this] { OnSysCommand(kAboutCommand); }); });
    menu.addAction(QString::fromUtf8(res::kMonitorMenuEntry),
                   QKeySequence(QString::fromUtf8(res::kMonitorShortcut)), this,
                   [this] { ShowMonitor(); });
    menu.addSeparator();
    AddChoice(menu, res::kReadAsUserDataEntry, m_dlg->m_iec.m_bReadAsUserData);
    AddChoice(menu, res::kInterrogateAtZeroEntry, m_dlg->m_iec.m_bInterrogateAtZero);
    menu.exec(event->globalPos());
}

}  // namespace vantor

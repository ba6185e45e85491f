#include "app/MonitorWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MonitorDelegate.h"
#include "app/MonitorView.h"
#include "app/MorvikWindow.h"
#include "res/Strings.h"

namespace vantor {

namespace {

constexpr int kRefreshMs = 250;
constexpr int kInitialWidth = 1000;
constexpr int kInitialHeight = 420;
// Starting widths of the columns before the summary, which takes the rest.
constexpr int kColumnWidths[] = {95, 90, 85, 260};

// The counters, selectable like a label's text. A label would have the window laid out again
// at every change of its text, which comes at every refresh while the line is polled; a line
// takes its height from the font alone.
QLineEdit* CountersLine(QWidget* parent) {
    auto* line = new QLineEdit(parent);
    line->setReadOnly(true);
    line->setFrame(false);
    line->setFocusPolicy(Qt::NoFocus);
    QPalette palette = line->palette();
    palette.setBrush(QPalette::Base, palette.window());
    line->setPalette(palette);
    return line;
}

}  // namespace

CMonitorWindow::CMonitorWindow(CMorvikWindow& main)
    : QWidget(&main, Qt::Window),
      m_main(main),
      m_monitor([&main] { return LineProtocolOf(main.State()); }) {
    setWindowTitle(QString::fromUtf8(res::kMonitorTitle));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);

    auto* pause = new QPushButton(QString::fromUtf8("Пауза"), this);
    pause->setCheckable(true);
    connect(pause, &QPushButton::toggled, this, &CMonitorWindow::OnPause);
    buttons->addWidget(pause);
    buttons->addWidget(AddButton("Очистить", &CMonitorWindow::OnClear));
    buttons->addWidget(AddButton("Копировать", &CMonitorWindow::OnCopy));
    buttons->addWidget(AddButton("Сохранить…", &CMonitorWindow::OnSave));
    m_capture = new QCheckBox(QString::fromUtf8("Запись в файл pcap"), this);
    connect(m_capture, &QCheckBox::clicked, this, &CMonitorWindow::OnCapture);
    buttons->addWidget(m_capture);
    m_keepPolling = new QCheckBox(QString::fromUtf8("Продолжать опрос при ошибках"), this);
    connect(m_keepPolling, &QCheckBox::toggled, this, &CMonitorWindow::OnKeepPolling);
    buttons->addWidget(m_keepPolling);
    buttons->addStretch();

    m_model = new CMonitorModel(m_monitor.Rows(), this);
    m_view = new CMonitorView(this);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new CMonitorDelegate(m_view));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->setVisible(false);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column) {
        m_view->setColumnWidth(column, kColumnWidths[column]);
    }
    layout->addWidget(m_view, 1);

    auto* counters = new QHBoxLayout;
    m_counters = CountersLine(this);
    counters->addWidget(m_counters, 1);
    m_dropped = new QLabel(this);
    counters->addWidget(m_dropped);
    counters->addWidget(AddButton("Сбросить счётчики", &CMonitorWindow::OnResetCounters));
    layout->addLayout(counters);

    resize(kInitialWidth, kInitialHeight);
    m_refresh.setInterval(kRefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, &CMonitorWindow::Refresh);
    Refresh();
}

CMonitorWindow::~CMonitorWindow() {
    Watch(false);
}

QPushButton* CMonitorWindow::AddButton(const char* text, void (CMonitorWindow::*handler)()) {
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    return button;
}

void CMonitorWindow::Watch(bool watching) {
    CMorvikDlg& dlg = m_main.State();
    dlg.SetLineTrace(watching ? &m_monitor : nullptr);
    dlg.m_pPollObserver = watching ? &m_monitor : nullptr;
    if (watching) {
        m_refresh.start();
    } else {
        m_refresh.stop();
        m_monitor.StopCapture();
    }
}

void CMonitorWindow::showEvent(QShowEvent* event) {
    Watch(true);
    Refresh();
    QWidget::showEvent(event);
}

void CMonitorWindow::closeEvent(QCloseEvent* event) {
    // Errors passed over must be seen somewhere: with the monitor closed, a failed answer stops
    // polling with its message again.
    m_keepPolling->setChecked(false);
    Watch(false);
    Refresh();
    QWidget::closeEvent(event);
}

void CMonitorWindow::Refresh() {
    QScrollBar* scroll = m_view->verticalScrollBar();
    const bool atEnd = scroll->value() == scroll->maximum();
    if (m_model->Sync() && atEnd) {
        m_view->scrollToBottom();
    }
    const QString counters = QString::fromStdString(m_monitor.Counters().Text());
    if (counters != m_counters->text()) {
        m_counters->setText(counters);
        m_counters->setCursorPosition(0);  // the start shows when the line is too narrow
    }
    const auto dropped = m_monitor.Rows().Dropped();
    m_dropped->setText(dropped == 0 ? QString()
                                    : QString::fromUtf8("Отброшено старых строк: %1").arg(dropped));
    m_capture->setChecked(m_monitor.Capturing());
}

void CMonitorWindow::OnPause(bool paused) {
    m_monitor.SetPaused(paused);
}

void CMonitorWindow::OnKeepPolling(bool keep) {
    m_main.State().SetKeepPollingOnErrors(keep);
}

void CMonitorWindow::OnClear() {
    m_monitor.ClearRows();
    Refresh();
}

void CMonitorWindow::OnCopy() {
    QModelIndexList selected = m_view->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end());
    std::string text;
    for (const QModelIndex& index : selected) {
        if (const MonitorRow* row = m_model->RowAt(index.row())) {
            text += RowTabLine(*row) + "\n";
        }
    }
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void CMonitorWindow::OnSave() {
    const auto path = m_main.Prompts().ChooseFileToSave(this, QStringLiteral("*.tsv"));
    if (path && !SaveRows(m_monitor.Rows(), path->toStdString())) {
        m_main.Prompts().ShowMessage(this, QString::fromUtf8(res::kCannotOpenFile) + *path,
                                     QString::fromUtf8(res::kCannotOpenCaption), MessageIcon::None);
    }
}

void CMonitorWindow::OnCapture(bool on) {
    if (!on) {
        m_monitor.StopCapture();
    } else if (const auto path =
                   m_main.Prompts().ChooseFileToSave(this, QStringLiteral("*.pcap"))) {
        if (!m_monitor.StartCapture(path->toStdString())) {
            m_main.Prompts().ShowMessage(this, QString::fromUtf8(res::kCannotOpenFile) + *path,
                                         QString::fromUtf8(res::kCannotOpenCaption),
                                         MessageIcon::None);
        }
    }
    m_capture->setChecked(m_monitor.Capturing());
}

void CMonitorWindow::OnResetCounters() {
    m_monitor.ResetCounters();
    Refresh();
}

}  // namespace vantor

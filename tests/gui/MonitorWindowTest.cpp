// The traffic monitor's window beside the main window while it polls the simulator.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QWindow>
#include <string>
#include <utility>
#include <vector>

#include "GuiTestSupport.h"
#include "app/MonitorWindow.h"
#include "app/Page.h"
#include "pages/SettingsPages.h"
#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"
#include "platform/SystemSerialOpener.h"
#include "polling/ControlIds.h"
#include "support/LivePolling.h"

namespace vantor::test {
namespace {

// The button or check box of the window with this text.
template <typename ButtonType = QPushButton>
ButtonType* Button(QWidget* window, const QString& text) {
    for (ButtonType* button : window->findChildren<ButtonType*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

class MonitorWindow : public testing::Test {
protected:
    MonitorWindow() : MonitorWindow(std::vector<std::string>{}) {}
    // The simulator with the options that make it misbehave.
    explicit MonitorWindow(std::vector<std::string> misbehaviour)
        : sim{home, WithSample(std::move(misbehaviour))} {}
    static std::vector<std::string> WithSample(std::vector<std::string> args) {
        args.insert(args.end(),
                    {"--port", "COM1", "--config", VANTOR_SOURCE_DIR "/samples/demo.dat"});
        return args;
    }

    void SetUp() override {
        ASSERT_TRUE(sim.Ready()) << sim.Output();
        AddSettingsPages(window.Pages());
        window.show();
        LoadSample();
    }
    void LoadSample() {
        prompts.fileAnswers = {SamplePath("demo.dat")};
        window.OpenTab(ctl::kFileTab);
        ASSERT_NE(window.m_pFilePage, nullptr);
        Click(window.m_pFilePage->Controls().Find(ctl::file::kOpenLabel));
    }
    // The monitor as the shortcut opens it.
    CMonitorWindow* OpenByShortcut() {
        for (QShortcut* shortcut : window.findChildren<QShortcut*>()) {
            if (shortcut->key() == QKeySequence(QStringLiteral("Ctrl+M"))) {
                emit shortcut->activated();
            }
        }
        return window.Monitor();
    }
    int Rows(CMonitorWindow* monitor) { return monitor->View()->model()->rowCount(); }

    TempHome home;
    SimProcess sim;
    SystemClock clock;
    SystemSerialOpener serial;
    SystemPaths paths{home.Path()};
    RecordingPrompts prompts;
    CMorvikWindow window{Platform{clock, serial, paths}, prompts};
    CMorvikDlg& dlg = window.State();
};

TEST_F(MonitorWindow, ShowsCountsPausesClearsCopiesSavesAndCaptures) {
    CMonitorWindow* monitor = OpenByShortcut();
    ASSERT_NE(monitor, nullptr);
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_EQ(monitor->windowTitle(), QStringLiteral("Монитор обмена"));
    const QString capture = QString::fromStdString(home.Path() + "/line.pcap");
    prompts.fileAnswers = {capture};
    Click(Button<QCheckBox>(monitor, QStringLiteral("Запись в файл pcap")));
    EXPECT_TRUE(monitor->Monitor().Capturing());

    window.Controls().As<QAbstractButton>(ctl::kStartButton)->click();
    ASSERT_TRUE(dlg.m_bRunning) << testing::PrintToString(prompts.Texts());
    ASSERT_TRUE(RunUntil([&] { return Rows(monitor) >= 6; }, 5000));
    QAbstractItemModel* model = monitor->View()->model();
    EXPECT_EQ(model->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Расшифровка"));
    const int last = model->rowCount() - 1;
    const QString direction = model->index(last, 2).data().toString();
    EXPECT_TRUE(direction == QStringLiteral("запрос") || direction == QStringLiteral("ответ"));
    EXPECT_TRUE(model->index(1, 4).data().toString().contains(QStringLiteral("функция 4")));

    Click(Button(monitor, QStringLiteral("Пауза")));
    const int paused = Rows(monitor);
    RunUntil([] { return false; }, 1200);
    EXPECT_EQ(Rows(monitor), paused);
    Click(Button(monitor, QStringLiteral("Пауза")));
    ASSERT_TRUE(RunUntil([&] { return Rows(monitor) > paused; }, 3000));

    monitor->View()->selectRow(1);
    Click(Button(monitor, QStringLiteral("Копировать")));
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains(QStringLiteral("\tзапрос\t"))) << copied.toStdString();
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 1);

    const QString saved = QString::fromStdString(home.Path() + "/rows.tsv");
    prompts.fileAnswers = {saved};
    Click(Button(monitor, QStringLiteral("Сохранить…")));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readLine().startsWith("Время UTC\t"));

    Click(Button(monitor, QStringLiteral("Очистить")));
    EXPECT_EQ(Rows(monitor), 0);
    EXPECT_NE(monitor->Monitor().Counters().Requests(), 0u);
    Click(Button(monitor, QStringLiteral("Сбросить счётчики")));
    EXPECT_EQ(monitor->Monitor().Counters().Requests(), 0u);

    // Closed, it watches nothing and its capture ends.
    monitor->close();
    EXPECT_FALSE(monitor->Monitor().Capturing());
    const unsigned requests = monitor->Monitor().Counters().Requests();
    RunUntil([] { return false; }, 1200);
    EXPECT_EQ(monitor->Monitor().Counters().Requests(), requests);
    EXPECT_TRUE(dlg.m_bRunning);
    EXPECT_GT(QFile(capture).size(), 24);
    EXPECT_TRUE(prompts.messages.empty()) << testing::PrintToString(prompts.Texts());
}

// While the line is polled the view paints only what new rows bring into sight and moves the
// rest as pixels: what it shows after many such refreshes, scrolled to the end, is what a
// complete repaint draws.
TEST_F(MonitorWindow, RowsPaintedAsTheyComeShowWhatACompleteRepaintShows) {
    CMonitorWindow* monitor = OpenByShortcut();
    ASSERT_NE(monitor, nullptr);
    window.Controls().As<QLineEdit>(ctl::kPeriodEdit)->setText(QStringLiteral("150"));
    window.Controls().As<QAbstractButton>(ctl::kStartButton)->click();
    ASSERT_TRUE(dlg.m_bRunning) << testing::PrintToString(prompts.Texts());
    QWidget* viewport = monitor->View()->viewport();
    const int shown = viewport->height() / monitor->View()->verticalHeader()->defaultSectionSize();
    ASSERT_TRUE(RunUntil([&] { return Rows(monitor) >= 3 * shown; }, 15000));
    window.Controls().As<QAbstractButton>(ctl::kStopButton)->click();
    RunUntil([] { return false; }, 600);  // the last refresh, painted

    const QRect area(viewport->mapTo(monitor, QPoint(0, 0)), viewport->size());
    const QImage painted = monitor->windowHandle()
                               ->screen()
                               ->grabWindow(monitor->winId())
                               .toImage()
                               .copy(area)
                               .convertToFormat(QImage::Format_RGB32);
    const QImage complete = monitor->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(painted.size(), complete.size());
    EXPECT_TRUE(painted == complete);
    EXPECT_EQ(monitor->View()->verticalScrollBar()->value(),
              monitor->View()->verticalScrollBar()->maximum());
}

class MonitorWindowOnABadLine : public MonitorWindow {
protected:
    MonitorWindowOnABadLine() : MonitorWindow({"--bad-crc-every", "3"}) {}
};

// Set, the box keeps polling past every bad checksum and the monitor counts them; cleared, or
// with the monitor closed (where the errors would be shown), the next one stops polling with its
// message, as without the monitor.
TEST_F(MonitorWindowOnABadLine, KeepPollingOnErrorsGoesOnUntilClearedOrTheMonitorCloses) {
    for (const bool byClosing : {false, true}) {
        SCOPED_TRACE(byClosing ? "the monitor closed" : "the box cleared");
        prompts.messages.clear();
        CMonitorWindow* monitor = OpenByShortcut();
        ASSERT_NE(monitor, nullptr);
        QCheckBox* keep =
            Button<QCheckBox>(monitor, QStringLiteral("Продолжать опрос при ошибках"));
        ASSERT_NE(keep, nullptr);
        EXPECT_FALSE(keep->isChecked());
        Click(keep);
        const auto errors = [monitor] {
            return monitor->Monitor().Counters().CountOf("Ошибка контрольной суммы");
        };
        const auto before = errors();
        window.Controls().As<QAbstractButton>(ctl::kStartButton)->click();
        ASSERT_TRUE(RunUntil([&] { return errors() >= before + 3; }, 10000))
            << monitor->Monitor().Counters().Text();
        EXPECT_TRUE(dlg.m_bRunning);
        EXPECT_TRUE(prompts.messages.empty()) << testing::PrintToString(prompts.Texts());

        if (byClosing) {
            monitor->close();
        } else {
            Click(keep);
        }
        ASSERT_TRUE(RunUntil([&] { return !dlg.m_bRunning; }, 5000));
        EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Ошибка: Ошибка контрольной суммы"});
    }
}

}  // namespace
}  // namespace vantor::test

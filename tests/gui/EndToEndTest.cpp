#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimer>
#include <functional>

#include "GuiTestSupport.h"
#include "pages/OpenFile.h"
#include "pages/SettingsPages.h"
#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"
#include "platform/SystemSerialOpener.h"
#include "support/LivePolling.h"

namespace vantor::test {
namespace {

// Runs the event loop, with the window's real timers, until `done` holds or time is up.
bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > timeoutMs) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

bool IsCode(const QString& text) {
    bool number = false;
    const int code = text.toInt(&number);
    return number && code > 4000 && code < 6000;
}

// The picture of the window goes where the test runs (the build folder), for the docs.
void SavePicture(QWidget* window, const char* name) {
    EXPECT_TRUE(window->grab().save(QDir::current().filePath(QString::fromUtf8(name))));
}

// The program as the operator runs it, against the simulator on a pseudo-terminal: the file
// page loads samples/demo.dat, "Старт" polls, the values appear in both modes, a log is
// written, "Стоп" ends it.
TEST(EndToEnd, PollsTheSimulatorAndShowsItsValuesInBothModes) {
    TempHome home;
    SimProcess sim(home, {"--port", "COM1", "--config", VANTOR_SOURCE_DIR "/samples/demo.dat"});
    ASSERT_TRUE(sim.Ready()) << sim.Output();
    SystemClock clock;
    SystemSerialOpener serial;
    SystemPaths paths(home.Path());
    RecordingPrompts prompts;
    CMorvikWindow window(Platform{clock, serial, paths}, prompts);
    AddSettingsPages(window.Pages());
    window.show();
    ASSERT_NO_FATAL_FAILURE(Activate(&window));
    CMorvikDlg& dlg = window.State();
    ASSERT_EQ(dlg.m_port.m_strPortName, "COM1");

    prompts.fileAnswers = {SamplePath("demo.dat")};
    window.OpenTab(1107);
    ASSERT_NE(window.m_pFilePage, nullptr);
    Click(window.m_pFilePage->Controls().Find(1108));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Vantor 3 VuRo (demo.dat)"));
    auto* save = window.Controls().As<QAbstractButton>(1097);
    Click(save);
    Click(window.Controls().As<QAbstractButton>(1094));
    ASSERT_EQ(dlg.m_bRunning, TRUE) << testing::PrintToString(prompts.Texts());

    auto* ua = window.Controls().As<QLineEdit>(1005);
    auto* freq = window.Controls().As<QLineEdit>(1053);
    ASSERT_TRUE(RunUntil([&] { return IsCode(ua->text()); }, 5000))
        << ua->text().toStdString() << testing::PrintToString(prompts.Texts());
    EXPECT_TRUE(freq->text().toInt() > 49000 && freq->text().toInt() < 51000)
        << freq->text().toStdString();
    SavePicture(&window, "window-code.png");

    Click(window.Controls().As<QAbstractButton>(1114));
    EXPECT_EQ(window.Controls().As<QGroupBox>(1002)->title(), QStringLiteral("Напряжение, кВ"));
    // Kн 100 and Кт 200 put the phase voltages near 22 кВ and the frequency near 50 Гц.
    ASSERT_TRUE(RunUntil([&] { return ua->text().contains(QLatin1Char('.')); }, 3000));
    EXPECT_NEAR(ua->text().toDouble(), 21.9, 1.5) << ua->text().toStdString();
    EXPECT_NEAR(freq->text().toDouble(), 50.0, 0.5) << freq->text().toStdString();
    SavePicture(&window, "window-physical.png");

    Click(window.Controls().As<QAbstractButton>(1095));
    EXPECT_EQ(dlg.m_bRunning, FALSE);
    EXPECT_TRUE(prompts.messages.empty()) << testing::PrintToString(prompts.Texts());
    const QStringList logs =
        QDir(QString::fromStdString(home.Path() + "/VantorTXT")).entryList(QDir::Files);
    ASSERT_EQ(logs.size(), 1);
}

}  // namespace
}  // namespace vantor::test

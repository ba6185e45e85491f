#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "display/Conversion.h"
#include "pages/OpenFile.h"
#include "pages/SettingsPages.h"
#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"
#include "platform/SystemSerialOpener.h"
#include "polling/ControlIds.h"
#include "support/ConfigDescriptionText.h"
#include "support/LivePolling.h"
#include "support/ScopedLocale.h"

namespace vantor::test {
namespace {

bool IsCode(const QString& text) {
    bool number = false;
    const int code = text.toInt(&number);
    return number && code > 4000 && code < 6000;
}

// The window on the real platform, with `home` as its home folder, shown.
struct LiveWindow {
    explicit LiveWindow(const TempHome& home) : paths(home.Path()) {
        AddSettingsPages(window.Pages());
        window.show();
    }
    SystemClock clock;
    SystemSerialOpener serial;
    SystemPaths paths;
    RecordingPrompts prompts;
    CMorvikWindow window{Platform{clock, serial, paths}, prompts};
};

// The simulator serving a configuration as COM1 and the window on it, shown and active, with
// the configuration loaded through the file page as the operator loads it.
class EndToEnd : public testing::Test {
protected:
    void OpenOnSimulator(const std::string& config, std::vector<std::string> simArgs = {}) {
        simArgs.insert(simArgs.begin(), {"--port", "COM1", "--config", config});
        sim = std::make_unique<SimProcess>(home, simArgs);
        ASSERT_TRUE(sim->Ready()) << sim->Output();
        live = std::make_unique<LiveWindow>(home);
        ASSERT_NO_FATAL_FAILURE(Activate(&live->window));
        ASSERT_EQ(live->window.State().m_port.m_strPortName, "COM1");
        live->prompts.fileAnswers = {QString::fromStdString(config)};
        live->window.OpenTab(ctl::kFileTab);
        ASSERT_NE(live->window.m_pFilePage, nullptr);
        Click(live->window.m_pFilePage->Controls().Find(ctl::file::kOpenLabel));
    }

    TempHome home;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<LiveWindow> live;
};

// The picture of the window goes where the test runs (the build folder), for the docs.
void SavePicture(QWidget* window, const char* name) {
    EXPECT_TRUE(window->grab().save(QDir::current().filePath(QString::fromUtf8(name))));
}

// The program as the operator runs it, against the simulator on a pseudo-terminal: the file
// page loads samples/demo.dat, "Старт" polls, the values appear in both modes, a log is
// written, "Стоп" ends it.
TEST_F(EndToEnd, PollsTheSimulatorAndShowsItsValuesInBothModes) {
    ASSERT_NO_FATAL_FAILURE(OpenOnSimulator(SamplePath("demo.dat").toStdString()));
    CMorvikWindow& window = live->window;
    RecordingPrompts& prompts = live->prompts;
    CMorvikDlg& dlg = window.State();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Vantor 3 VuRo (demo.dat)"));
    auto* save = window.Controls().As<QAbstractButton>(ctl::kSaveCheck);
    Click(save);
    Click(window.Controls().As<QAbstractButton>(ctl::kStartButton));
    ASSERT_EQ(dlg.m_bRunning, TRUE) << testing::PrintToString(prompts.Texts());

    auto* ua = window.Controls().As<QLineEdit>(ctl::kUaField);
    auto* freq = window.Controls().As<QLineEdit>(ctl::kFrequencyField);
    ASSERT_TRUE(RunUntil([&] { return IsCode(ua->text()); }, 5000))
        << ua->text().toStdString() << testing::PrintToString(prompts.Texts());
    EXPECT_TRUE(freq->text().toInt() > 49000 && freq->text().toInt() < 51000)
        << freq->text().toStdString();
    SavePicture(&window, "window-code.png");

    Click(window.Controls().As<QAbstractButton>(ctl::kPhysicalCheck));
    EXPECT_EQ(window.Controls().As<QGroupBox>(ctl::kVoltageGroup)->title(),
              QStringLiteral("Напряжение, кВ"));
    // Kн 100 and Кт 200 put the phase voltages near 22 кВ and the frequency near 50 Гц.
    ASSERT_TRUE(RunUntil([&] { return ua->text().contains(QLatin1Char('.')); }, 3000));
    EXPECT_NEAR(ua->text().toDouble(), 21.9, 1.5) << ua->text().toStdString();
    EXPECT_NEAR(freq->text().toDouble(), 50.0, 0.5) << freq->text().toStdString();
    SavePicture(&window, "window-physical.png");

    Click(window.Controls().As<QAbstractButton>(ctl::kStopButton));
    EXPECT_EQ(dlg.m_bRunning, FALSE);
    EXPECT_TRUE(prompts.messages.empty()) << testing::PrintToString(prompts.Texts());
    const QStringList logs =
        QDir(QString::fromStdString(home.Path() + "/VantorTXT")).entryList(QDir::Files);
    ASSERT_EQ(logs.size(), 1);
}

// A Russian desktop: a divisor "0.5" read from the configuration and the nominal current
// "2.5" chosen on its page both reach the screen and the log as the numbers they are, with a
// decimal point on screen and the log's decimal comma.
TEST_F(EndToEnd, DecimalTextsUnderACommaLocale) {
    const ScopedLocale russian(kCommaLocale);
    if (!russian.Active()) {
        GTEST_SKIP() << kCommaLocale << " is not available (see tools/run-tests.sh)";
    }
    std::ifstream sample(VANTOR_SOURCE_DIR "/samples/demo.txt");
    std::string description((std::istreambuf_iterator<char>(sample)), {});
    // The divisor is the last field of Ia's record.
    const std::string ia = "\"Ток фазы A (Ia)\" \"0003\" \"2\" 0 \"1\"";
    const std::size_t at = description.find(ia);
    ASSERT_NE(at, std::string::npos);
    description.replace(at + ia.size() - 2, 1, "0.5");
    const ByteArray bytes = WriteConfiguration(ParseConfigDescription(description));
    const std::string config = home.Path() + "/half.dat";
    std::ofstream(config, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const std::string record = home.Path() + "/served.txt";
    ASSERT_NO_FATAL_FAILURE(OpenOnSimulator(config, {"--record", record}));
    CMorvikWindow& window = live->window;
    RecordingPrompts& prompts = live->prompts;
    CMorvikDlg& dlg = window.State();
    window.OpenTab(ctl::kNominalTab);
    auto* nominal = window.m_pNomPage;
    ASSERT_NE(nominal, nullptr);
    auto* currents = nominal->Controls().As<QComboBox>(ctl::nominal::kCurrentList);
    const int index = currents->findText(QStringLiteral("2.5"));
    ASSERT_GE(index, 0);
    currents->setCurrentIndex(index);
    emit currents->activated(index);
    ASSERT_DOUBLE_EQ(dlg.m_dInom, 2.5);
    nominal->ClosePage();
    Click(window.Controls().As<QAbstractButton>(ctl::kPhysicalCheck));
    Click(window.Controls().As<QAbstractButton>(ctl::kSaveCheck));
    Click(window.Controls().As<QAbstractButton>(ctl::kStartButton));
    ASSERT_EQ(dlg.m_bRunning, TRUE) << testing::PrintToString(prompts.Texts());
    auto* field = window.Controls().As<QLineEdit>(ctl::kIaField);
    ASSERT_TRUE(RunUntil([&] { return ReadServedRecords(record).size() >= 3; }, 5000));
    Click(window.Controls().As<QAbstractButton>(ctl::kStopButton));
    ProcessEvents();

    // Ia = code / 0.5 × 2.5 / 5000 × Кт, in the unit the ratios chose.
    const long code = ReadServedRecords(record).back().at("Ia");
    const double expected = code / 0.5 * 2.5 / kNominalCode * dlg.m_nKt / dlg.m_nUnitI;
    const std::string shown = field->text().toStdString();
    EXPECT_EQ(shown.find(','), std::string::npos) << shown;
    EXPECT_NEAR(field->text().toDouble() / expected, 1.0, 0.01) << shown;
    const QStringList logs =
        QDir(QString::fromStdString(home.Path() + "/VantorTXT")).entryList(QDir::Files);
    ASSERT_EQ(logs.size(), 1);
    std::ifstream log(home.Path() + "/VantorTXT/" + logs.front().toStdString());
    std::string header;
    std::string row;
    for (std::string line; std::getline(log, line);) {
        header = line.rfind("Время", 0) == 0 ? line : header;
        row = line.empty() || line == "\r" ? row : line;
    }
    std::string logged = shown;
    std::replace(logged.begin(), logged.end(), '.', ',');
    EXPECT_NE(row.find("\t" + logged + "\t"), std::string::npos) << row << " / " << shown;
}

}  // namespace
}  // namespace vantor::test

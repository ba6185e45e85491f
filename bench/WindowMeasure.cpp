// The window program as the operator runs it, with a stopwatch: vantor3's own start-up on the
// computer's clock, serial devices and folders, then the operator's moves (the file page loads
// FILE, PERIOD is typed into the poll-period field, "Старт") and polling for SECONDS. Prints
// the time the file page took to load the file, the time from the process's start to the
// first painted window, the processor time polling took against the time it ran, and the peak
// resident memory. With "monitor" the traffic monitor is open beside the window while it
// polls.
//
//   QT_QPA_PLATFORM=offscreen vantor3-measure FILE PERIOD SECONDS [monitor]
//
// bench/measure-window.sh runs it against the simulator.
#include <sys/resource.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "app/MorvikWindow.h"
#include "app/UserPrompts.h"
#include "config/ItemList.h"
#include "pages/OpenFile.h"
#include "pages/SettingsPages.h"
#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"
#include "platform/SystemSerialOpener.h"
#include "polling/ControlIds.h"

namespace {

using namespace vantor;

// Seconds since boot at which this process started, from the kernel's record of it.
double ProcessStartSeconds() {
    std::ifstream in("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i < 22; ++i) {
        fields >> field;
    }
    unsigned long long startTicks = 0;
    fields >> startTicks;
    return static_cast<double>(startTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double BootSeconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The file dialog answers with FILE; a message box is noted instead of waiting for a click.
class MeasurePrompts : public IUserPrompts {
public:
    explicit MeasurePrompts(QString file) : m_file(std::move(file)) {}
    void ShowMessage(QWidget*, const QString& text, const QString& caption, MessageIcon) override {
        std::printf("message %s: %s\n", qPrintable(caption), qPrintable(text));
        ++messages;
    }
    std::optional<QString> ChooseFileToOpen(QWidget*, const QString&) override { return m_file; }
    std::optional<QString> ChooseFileToSave(QWidget*, const QString&) override {
        return std::nullopt;
    }
    int messages = 0;

private:
    QString m_file;
};

// Notes the moment the window is first painted.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && atBootSeconds == 0) {
            atBootSeconds = BootSeconds();
        }
        return QObject::eventFilter(watched, event);
    }
    double atBootSeconds = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool monitor = argc == 5 && std::string(argv[4]) == "monitor";
    if (argc != 4 && !monitor) {
        std::fprintf(stderr, "usage: vantor3-measure FILE PERIOD SECONDS [monitor]\n");
        return 2;
    }
    const QString file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString period = QString::fromLocal8Bit(argv[2]);
    const int seconds = std::atoi(argv[3]);

    SystemClock clock;
    SystemSerialOpener serial;
    SystemPaths paths;
    const Platform platform{clock, serial, paths};
    MeasurePrompts prompts(file);
    CMorvikWindow window(platform, prompts);
    AddSettingsPages(window.Pages());
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();

    // The polling is measured from a second after "Старт", once the first ticks have settled.
    constexpr int kSettleMs = 1000;
    double cpuFrom = 0;
    auto wallFrom = std::chrono::steady_clock::now();
    unsigned answersFrom = 0;
    QTimer::singleShot(0, &window, [&] {
        window.OpenTab(ctl::kFileTab);
        if (auto* page = dynamic_cast<COpenFile*>(window.m_pFilePage)) {
            const auto loadFrom = std::chrono::steady_clock::now();
            window.Dispatch([page] { page->OnOpen(); });
            const std::chrono::duration<double, std::milli> load =
                std::chrono::steady_clock::now() - loadFrom;
            std::printf("load-ms %.2f items %zu\n", load.count(),
                        ItemList(window.State().m_saItems).Count());
            page->ClosePage();
        }
        window.Controls().As<QLineEdit>(ctl::kPeriodEdit)->setText(period);
        window.Controls().As<QAbstractButton>(ctl::kStartButton)->click();
        if (monitor) {
            window.ShowMonitor();
        }
        QTimer::singleShot(kSettleMs, &window, [&] {
            cpuFrom = CpuSeconds();
            wallFrom = std::chrono::steady_clock::now();
            answersFrom = window.State().m_nAnswers;
        });
        QTimer::singleShot(kSettleMs + seconds * 1000, &window, [&] {
            const double cpu = CpuSeconds() - cpuFrom;
            const double wall =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - wallFrom).count();
            std::printf("first-paint-ms %.1f\n",
                        (firstPaint.atBootSeconds - ProcessStartSeconds()) * 1000);
            std::printf("period-ms %u polling-s %.2f ticks %u running %d\n",
                        window.State().m_nPeriod, wall, window.State().m_nAnswers - answersFrom,
                        window.State().m_bRunning);
            std::printf("monitor %s cpu-s %.3f cpu-share-percent %.3f\n",
                        monitor ? "open" : "closed", cpu, 100 * cpu / wall);
            std::printf("peak-rss-mb %.1f\n", static_cast<double>(PeakResidentKb()) / 1024);
            std::printf("messages %d\n", prompts.messages);
            std::fflush(stdout);
            window.reject();
        });
    });
    window.exec();
    return 0;
}

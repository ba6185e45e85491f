// The window program as the operator runs it, with a stopwatch: vantor3's own start-up on the
// computer's clock, serial devices and folders; once the window has drawn itself, the operator's
// moves (the file page loads FILE, PERIOD is typed into the poll-period field, "Старт") and
// polling for SECONDS. Prints the time the file page took to load the file, the time from the
// process's start to the first painted window, the processor time polling took against the time
// it ran, and the peak resident memory. With "monitor" the traffic monitor is open beside the
// window while it polls. With "delays" it also times every tick from its start to the write of
// the request it sends (and from the last look at the line for the answer to that write), over
// the first 600 ticks after a settling second, and ends there; "log" does the same with
// "Сохранить" set, so every tick also writes and syncs a log row.
//
//   QT_QPA_PLATFORM=offscreen vantor3-measure FILE PERIOD SECONDS [monitor|delays|log]
//
// bench/measure-window.sh and bench/measure-log-delay.sh run it against the simulator.
#include <sys/resource.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ProcessCpu.h"
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
using bench::CpuSeconds;

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

// Notes the moment the window is first painted, then lets the operator start.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> then) : m_then(std::move(then)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && atBootSeconds == 0) {
            atBootSeconds = BootSeconds();
            QTimer::singleShot(0, this, m_then);
        }
        return QObject::eventFilter(watched, event);
    }
    double atBootSeconds = 0;

private:
    std::function<void()> m_then;
};

using Stopwatch = std::chrono::steady_clock;

// The ticks of the poll timer and the line's traffic, on one stopwatch: for each tick, how long
// from its start to the write of its request, and from the last look at the line before it.
class TickDelays : public QObject {
public:
    static constexpr std::size_t kTicks = 600;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Timer && m_counting) {
            m_tickStart = Stopwatch::now();
        }
        return QObject::eventFilter(watched, event);
    }
    void OnLook() { m_lastLook = Stopwatch::now(); }
    void OnWrite() {
        if (!m_tickStart || full()) {
            return;
        }
        const auto now = Stopwatch::now();
        fromTickStart.push_back(Ms(now - *m_tickStart));
        fromLastLook.push_back(Ms(now - m_lastLook));
        m_tickStart.reset();
    }
    void Start() { m_counting = true; }
    bool full() const { return fromTickStart.size() >= kTicks; }

    std::vector<double> fromTickStart;
    std::vector<double> fromLastLook;

private:
    static double Ms(Stopwatch::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    }
    bool m_counting = false;
    std::optional<Stopwatch::time_point> m_tickStart;
    Stopwatch::time_point m_lastLook = Stopwatch::now();
};

// The system's serial device with each look at its input and each write told to `delays`.
class TimedDevice : public ISerialDevice {
public:
    TimedDevice(std::unique_ptr<ISerialDevice> device, TickDelays& delays)
        : m_device(std::move(device)), m_delays(delays) {}
    bool GetSettings(LineSettings& settings) override { return m_device->GetSettings(settings); }
    bool SetSettings(const LineSettings& settings) override {
        return m_device->SetSettings(settings);
    }
    std::size_t BytesWaiting() override {
        const std::size_t waiting = m_device->BytesWaiting();
        m_delays.OnLook();
        return waiting;
    }
    std::size_t Read(std::uint8_t* buffer, std::size_t room) override {
        const std::size_t read = m_device->Read(buffer, room);
        m_delays.OnLook();
        return read;
    }
    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        m_delays.OnWrite();
        return m_device->Write(bytes, count);
    }
    bool WaitTransmitted(unsigned timeoutMs) override {
        return m_device->WaitTransmitted(timeoutMs);
    }

private:
    std::unique_ptr<ISerialDevice> m_device;
    TickDelays& m_delays;
};

class TimedOpener : public ISerialOpener {
public:
    explicit TimedOpener(TickDelays& delays) : m_delays(delays) {}
    std::unique_ptr<ISerialDevice> Open(const std::string& path) override {
        auto device = m_system.Open(path);
        return device ? std::make_unique<TimedDevice>(std::move(device), m_delays) : nullptr;
    }
    bool LastOpenDenied() const override { return m_system.LastOpenDenied(); }

private:
    SystemSerialOpener m_system;
    TickDelays& m_delays;
};

// The nearest-rank percentile: the smallest sample with at least `percent` % of all at or below.
double Percentile(std::vector<double> samples, double percent) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(percent / 100 * static_cast<double>(samples.size())));
    return samples.at(std::max<std::size_t>(rank, 1) - 1);
}

void PrintDelays(const char* what, const std::vector<double>& samples) {
    std::printf("%s ticks %zu p50-ms %.3f p99-ms %.3f max-ms %.3f\n", what, samples.size(),
                Percentile(samples, 50), Percentile(samples, 99), Percentile(samples, 100));
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const std::string mode = argc == 5 ? argv[4] : "";
    const bool monitor = mode == "monitor";
    const bool logging = mode == "log";
    const bool timed = logging || mode == "delays";
    if (argc != 4 && !monitor && !timed) {
        std::fprintf(stderr, "usage: vantor3-measure FILE PERIOD SECONDS [monitor|delays|log]\n");
        return 2;
    }
    const QString file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString period = QString::fromLocal8Bit(argv[2]);
    const int seconds = std::atoi(argv[3]);

    TickDelays delays;
    SystemClock clock;
    SystemSerialOpener systemSerial;
    TimedOpener timedSerial(delays);
    SystemPaths paths;
    const Platform platform{clock, timed ? static_cast<ISerialOpener&>(timedSerial) : systemSerial,
                            paths};
    MeasurePrompts prompts(file);
    CMorvikWindow window(platform, prompts);
    AddSettingsPages(window.Pages());

    // The polling is measured from a second after "Старт", once the first ticks have settled.
    constexpr int kSettleMs = 1000;
    constexpr int kCheckMs = 100;
    double cpuFrom = 0;
    auto wallFrom = Stopwatch::now();
    unsigned answersFrom = 0;
    double firstPaintMs = 0;
    bool finished = false;
    const auto finish = [&] {
        if (finished) {
            return;
        }
        finished = true;
        const double cpu = CpuSeconds() - cpuFrom;
        const double wall = std::chrono::duration<double>(Stopwatch::now() - wallFrom).count();
        std::printf("first-paint-ms %.1f\n", firstPaintMs);
        std::printf("period-ms %u polling-s %.2f ticks %u running %d\n", window.State().m_nPeriod,
                    wall, window.State().m_nAnswers - answersFrom, window.State().m_bRunning);
        std::printf("monitor %s cpu-s %.3f cpu-share-percent %.3f\n", monitor ? "open" : "closed",
                    cpu, 100 * cpu / wall);
        std::printf("peak-rss-mb %.1f\n", static_cast<double>(PeakResidentKb()) / 1024);
        std::printf("messages %d\n", prompts.messages);
        if (timed) {
            const char* save = logging ? "on" : "off";
            std::printf("save %s, ", save);
            PrintDelays("tick-start-to-request-write", delays.fromTickStart);
            std::printf("save %s, ", save);
            PrintDelays("last-look-at-the-line-to-request-write", delays.fromLastLook);
        }
        std::fflush(stdout);
        window.reject();
    };
    // The operator's moves, once the window is on the screen.
    const auto operate = [&] {
        window.OpenTab(ctl::kFileTab);
        if (auto* page = dynamic_cast<COpenFile*>(window.m_pFilePage)) {
            const auto loadFrom = Stopwatch::now();
            window.Dispatch([page] { page->OnOpen(); });
            const std::chrono::duration<double, std::milli> load = Stopwatch::now() - loadFrom;
            std::printf("load-ms %.2f items %zu\n", load.count(),
                        ItemList(window.State().m_saItems).Count());
            page->ClosePage();
        }
        window.Controls().As<QLineEdit>(ctl::kPeriodEdit)->setText(period);
        window.Controls().As<QAbstractButton>(ctl::kSaveCheck)->setChecked(logging);
        window.Controls().As<QAbstractButton>(ctl::kStartButton)->click();
        if (monitor) {
            window.ShowMonitor();
        }
        for (QTimer* timer : window.findChildren<QTimer*>()) {
            timer->installEventFilter(&delays);
        }
        QTimer::singleShot(kSettleMs, &window, [&] {
            cpuFrom = CpuSeconds();
            wallFrom = Stopwatch::now();
            answersFrom = window.State().m_nAnswers;
            delays.Start();
        });
        QTimer::singleShot(kSettleMs + seconds * 1000, &window, finish);
        if (timed) {
            auto* check = new QTimer(&window);
            QObject::connect(check, &QTimer::timeout, &window, [&] {
                if (delays.full()) {
                    finish();
                }
            });
            check->start(kCheckMs);
        }
    };
    FirstPaint firstPaint([&] {
        firstPaintMs = (firstPaint.atBootSeconds - ProcessStartSeconds()) * 1000;
        operate();
    });
    window.installEventFilter(&firstPaint);
    window.show();
    window.exec();
    return 0;
}

// What showing new texts costs a Qt window, without the line: every PERIOD ms a timer changes
// COUNT field texts and lets the window repaint them, for SECONDS. Three windows:
// - "window": the program's own main window, whose data exchange shows the changed members (the
//   two times first, then values; at most 12), as a complete cycle is shown, with the line left
//   out;
// - "bare": a plain Qt window of COUNT line edits and nothing else, the toolkit's own floor;
// - "paint": a plain Qt window of COUNT widgets that each fill their rectangle and draw their
//   text, the least a Qt widget can do to show a new text.
// Prints the processor time per tick, measured from a second after the start to the end.
//
//   vantor3-show-floor window|bare|paint COUNT PERIOD SECONDS
//
// bench/compare-masters.sh runs it under Xvfb beside the masters.

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ProcessCpu.h"
#include "app/MorvikWindow.h"
#include "app/UserPrompts.h"
#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"
#include "platform/SystemSerialOpener.h"

namespace {

using namespace vantor;
using bench::CpuSeconds;

class SilentPrompts : public IUserPrompts {
public:
    void ShowMessage(QWidget*, const QString&, const QString&, MessageIcon) override {}
    std::optional<QString> ChooseFileToOpen(QWidget*, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> ChooseFileToSave(QWidget*, const QString&) override {
        return std::nullopt;
    }
};

// A widget that shows a text with one fill and one text drawn.
class PlainText : public QWidget {
public:
    using QWidget::QWidget;
    void setText(const QString& text) {
        m_text = text;
        update();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawText(rect(), Qt::AlignVCenter | Qt::AlignLeft, m_text);
    }

private:
    QString m_text;
};

class ReadOnlyEdit : public QLineEdit {
public:
    explicit ReadOnlyEdit(QWidget* parent) : QLineEdit(parent) { setReadOnly(true); }
};

// A time as the window shows it and a value that both change at every tick.
std::string TimeText(unsigned tick) {
    return "12 : 00 : " + std::to_string(tick % 60) + "." + std::to_string(tick % 100);
}
std::string ValueText(unsigned tick, std::size_t field) {
    return std::to_string(4000 + (tick * 7 + field * 13) % 1000);
}

// A bare window of COUNT fields of one kind in a column, and a tick that gives each a new text.
template <typename Field>
std::function<void(unsigned)> ColumnTick(QWidget& window, std::size_t count) {
    std::vector<Field*> fields;
    for (std::size_t i = 0; i < count; ++i) {
        auto* field = new Field(&window);
        field->setGeometry(10, 10 + static_cast<int>(i) * 25, 90, 20);
        fields.push_back(field);
    }
    window.resize(200, 20 + static_cast<int>(count) * 25);
    return [fields](unsigned tick) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            fields.at(i)->setText(QString::fromStdString(ValueText(tick, i)));
        }
    };
}

// The members of the main window's fields a tick changes, in this order: the times, then values.
using Member = std::string CMorvikDlg::*;
constexpr std::array<Member, 12> kWindowMembers{
    &CMorvikDlg::m_strPcTime, &CMorvikDlg::m_strDevTime, &CMorvikDlg::m_strUa,
    &CMorvikDlg::m_strUb,     &CMorvikDlg::m_strUc,      &CMorvikDlg::m_strIa,
    &CMorvikDlg::m_strIb,     &CMorvikDlg::m_strIc,      &CMorvikDlg::m_strPa,
    &CMorvikDlg::m_strPb,     &CMorvikDlg::m_strQa,      &CMorvikDlg::m_strFreq};

// The main window with the members of COUNT fields changed before each showing.
std::function<void(unsigned)> MainWindowTick(CMorvikWindow& window, std::size_t count) {
    CMorvikDlg& dlg = window.State();
    dlg.m_baActive.assign(dlg.m_baActive.size(), 1);
    return [&window, &dlg, count](unsigned tick) {
        for (std::size_t i = 0; i < count; ++i) {
            dlg.*kWindowMembers.at(i) = i < 2 ? TimeText(tick) : ValueText(tick, i);
        }
        window.UpdateData(false);
    };
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const std::string kind = argc == 5 ? argv[1] : "";
    if (kind != "window" && kind != "bare" && kind != "paint") {
        std::fprintf(stderr, "usage: vantor3-show-floor window|bare|paint COUNT PERIOD SECONDS\n");
        return 2;
    }
    auto count = static_cast<std::size_t>(std::atoi(argv[2]));
    const int period = std::atoi(argv[3]);
    const int seconds = std::atoi(argv[4]);

    SystemClock clock;
    SystemSerialOpener serial;
    SystemPaths paths;
    SilentPrompts prompts;
    std::unique_ptr<QWidget> shown;
    std::function<void(unsigned)> tick;
    if (kind == "window") {
        count = std::min(count, kWindowMembers.size());
        auto window = std::make_unique<CMorvikWindow>(Platform{clock, serial, paths}, prompts);
        tick = MainWindowTick(*window, count);
        shown = std::move(window);
    } else {
        shown = std::make_unique<QWidget>();
        tick = kind == "paint" ? ColumnTick<PlainText>(*shown, count)
                               : ColumnTick<ReadOnlyEdit>(*shown, count);
    }
    shown->show();

    unsigned ticks = 0;
    unsigned ticksFrom = 0;
    double cpuFrom = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { tick(++ticks); });
    timer.start(period);
    QTimer::singleShot(1000, [&] {
        cpuFrom = CpuSeconds();
        ticksFrom = ticks;
    });
    QTimer::singleShot(1000 + seconds * 1000, [&] {
        const double cpu = CpuSeconds() - cpuFrom;
        const unsigned counted = ticks - ticksFrom;
        std::printf("%s fields-per-tick %zu ticks %u cpu-s %.3f cpu-ms-per-tick %.3f\n",
                    kind.c_str(), count, counted, cpu, counted ? 1000 * cpu / counted : 0.0);
        std::fflush(stdout);
        QApplication::quit();
    });
    return QApplication::exec();
}

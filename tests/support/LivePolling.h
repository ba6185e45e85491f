#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"
#include "platform/SystemSerialOpener.h"
#include "polling/MorvikDlg.h"
#include "support/ChildProcess.h"
#include "support/RecordingWindow.h"

namespace vantor::test {

// A temporary folder standing in for the home folder, removed with everything in it.
class TempHome {
public:
    TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    ~TempHome();
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The simulator, run with `home` as its HOME so that its port link lands there. Started()
// is true once it has printed its "ready" line; the destructor stops it.
class SimProcess {
public:
    SimProcess(const TempHome& home, const std::vector<std::string>& args);
    bool Ready() const { return ready_; }
    // Waits for `text` in what it printed (the trace and its report lines).
    bool WaitForOutput(const std::string& text, int timeoutMs = 3000) {
        return process_.WaitForOutput(text, timeoutMs);
    }
    const std::string& Output() const { return process_.Output(); }

private:
    ChildProcess process_;
    bool ready_ = false;
};

// One line of the simulator's --record file: the codes of one answer by quantity key.
using ServedRecord = std::map<std::string, long>;
std::vector<ServedRecord> ReadServedRecords(const std::string& path);

// The working state on the real platform: the POSIX serial devices, the system clock and the
// home folder's paths, with a recording window that runs no timers: Tick() stands in for
// the poll timer.
class LivePolling {
public:
    explicit LivePolling(const TempHome& home);

    // Loads a configuration of samples/ as the file page does.
    void Load(const std::string& sample);
    // Waits (at most `waitMs`) for the answer to the request outstanding, then runs the tick.
    void Tick(int waitMs = 2000);
    // The data rows of every log written so far, in order: each row its tab-separated fields.
    std::vector<std::vector<std::string>> LogRows() const;
    std::vector<std::string> LogHeader() const;
    std::vector<std::string> Messages() const { return window.MessageTexts(); }

    RecordingWindow window;
    SystemClock clock;
    SystemSerialOpener serial;
    SystemPaths paths;
    CMorvikDlg dlg{window, Platform{clock, serial, paths}};

private:
    void NoteLog();
    std::vector<std::string> logs_;
};

// The display text the raw-code mode shows and logs for a code.
std::string CodeText(long code);

}  // namespace vantor::test

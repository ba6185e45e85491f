// Polls the simulator on COM1 of a home folder with a measurement log, until it is killed:
//
//   vantor3-log-until-killed HOME SAMPLE
//
// For the test of a log that survives a kill. It prints "pid <n>" once polling runs and
// "row <n>" as soon as the tick that wrote row n has returned; it ends only when polling stops.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "config/ByteStream.h"
#include "polling/ConfigReader.h"
#include "platform/SystemSerialOpener.h"
#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"
#include "polling/MorvikDlg.h"
#include "support/RecordingWindow.h"

namespace {

// Stands in for the wait of timer 1: until the answer is there, two seconds at most.
void AwaitAnswer(vantor::CMorvikDlg& dlg) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    vantor::ISerialDevice* device = dlg.m_port.m_hCom.Device();
    while (device != nullptr && device->BytesWaiting() == 0 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

int Fail(const vantor::test::RecordingWindow& window, const char* what) {
    std::fprintf(stderr, "vantor3-log-until-killed: %s\n", what);
    for (const auto& message : window.messages) {
        std::fprintf(stderr, "  %s: %s\n", message.caption.c_str(), message.text.c_str());
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vantor;
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantor3-log-until-killed HOME SAMPLE\n");
        return 2;
    }
    test::RecordingWindow window;
    SystemClock clock;
    SystemSerialOpener serial;
    SystemPaths paths(argv[1]);
    CMorvikDlg dlg(window, Platform{clock, serial, paths});
    dlg.OnInitDialog();

    CFileByteStream stream;
    if (!stream.Open(std::string(VANTOR_SOURCE_DIR) + "/samples/" + argv[2])) {
        return Fail(window, "no such sample");
    }
    ReadConfiguration(stream, dlg);
    UpdateActiveQuantities(dlg);
    dlg.m_strConfigName = argv[2];
    dlg.m_bSave = TRUE;
    dlg.OnStart();
    // Every good tick completes a cycle, and so writes a row, only when one block holds every
    // item.
    if (!dlg.m_bRunning || 3u * dlg.m_nBlockCount != dlg.m_saItems.size()) {
        return Fail(window, "polling did not start with one block per cycle");
    }
    std::printf("pid %d\n", static_cast<int>(getpid()));
    std::fflush(stdout);
    for (unsigned row = 1;; ++row) {
        AwaitAnswer(dlg);
        dlg.OnTimer(kPollTimer);
        if (!dlg.m_bRunning || dlg.m_pLogOpen == nullptr) {
            return Fail(window, "polling stopped");
        }
        std::printf("row %u\n", row);
        std::fflush(stdout);
    }
}

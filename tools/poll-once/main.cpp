// Polls a configuration's items once over a serial port, through the same working state as the
// window, and prints what the measurement log received:
//
//   vantor3-poll-once CONFIG.dat PORT LOGROOT
//
// PORT is "COM1" … "COM8". The log goes to LOGROOT's VantorTXT folder. It prints the line
// settings in force ("settings 9600,N,8,1"), then the log's column names and its first row
// (UTF-8, tab-separated), and ends with 0; 1 with the messages shown when no row came.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "ConsoleWindow.h"
#include "config/ByteStream.h"
#include "log/LogText.h"
#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"
#include "platform/SystemSerialOpener.h"
#include "polling/ConfigReader.h"
#include "polling/ControlIds.h"
#include "polling/MorvikDlg.h"
#include "text/Windows1251.h"

namespace {

using namespace vantor;

constexpr int kMaxTicks = 50;

// Stands in for the wait of timer 1: until the answer is there, two seconds at most.
void AwaitAnswer(CMorvikDlg& dlg) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    ISerialDevice* device = dlg.m_port.m_hCom.Device();
    while (device != nullptr && device->BytesWaiting() == 0 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// The log's lines in UTF-8.
std::vector<std::string> ReadLogLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines = LogLines(std::string(std::istreambuf_iterator<char>(in), {}));
    for (std::string& line : lines) {
        line = Windows1251ToUtf8(line);
    }
    return lines;
}

bool UsePort(CMorvikDlg& dlg, const std::string& name) {
    if (dlg.m_port.m_strOpenPortName == name) {
        return true;
    }
    dlg.m_port.Close();
    dlg.m_port.m_strPortName = kNoPortName;
    dlg.m_port.m_strOpenPortName = kNoPortName;
    if (!dlg.m_port.Open(name)) {
        return false;
    }
    dlg.m_port.m_strPortName = name;
    dlg.m_port.m_strOpenPortName = name;
    return true;
}

int Fail(const CConsoleWindow& window, const std::string& what) {
    std::fprintf(stderr, "vantor3-poll-once: %s\n", what.c_str());
    for (const std::string& message : window.messages) {
        std::fprintf(stderr, "  %s\n", message.c_str());
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: vantor3-poll-once CONFIG.dat PORT LOGROOT\n");
        return 2;
    }
    CConsoleWindow window;
    SystemClock clock;
    SystemSerialOpener serial;
    SystemPaths paths(argv[3]);
    CMorvikDlg dlg(window, Platform{clock, serial, paths});
    dlg.OnInitDialog();
    if (!UsePort(dlg, argv[2])) {
        return Fail(window, std::string("cannot open ") + argv[2]);
    }
    CFileByteStream stream;
    if (!stream.Open(argv[1])) {
        return Fail(window, std::string("cannot read ") + argv[1]);
    }
    ReadConfiguration(stream, dlg);
    UpdateActiveQuantities(dlg);
    dlg.m_strConfigName = argv[1];
    std::printf("settings %s\n", dlg.SettingsText().c_str());
    dlg.m_bSave = TRUE;
    dlg.OnStart();
    for (int tick = 0; tick < kMaxTicks && dlg.m_bRunning; ++tick) {
        AwaitAnswer(dlg);
        dlg.OnTimer(kPollTimer);
        const auto lines = ReadLogLines(dlg.m_strLogPath);
        if (lines.size() > kLogHeaderLines) {
            dlg.OnStop();
            std::printf("%s\n%s\n", lines[kLogHeaderLines - 1].c_str(),
                        lines[kLogHeaderLines].c_str());
            return 0;
        }
    }
    return Fail(window, "no complete cycle");
}

#include "support/LivePolling.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "config/ByteStream.h"
#include "log/LogText.h"
#include "polling/ConfigReader.h"
#include "polling/ControlIds.h"
#include "support/TempFolder.h"

namespace vantor::test {
namespace {

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, separator)) {
        fields.push_back(field);
    }
    return fields;
}

// The lines of the log at `path`.
std::vector<std::string> ReadLogLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return LogLines(std::string(std::istreambuf_iterator<char>(in), {}));
}

}  // namespace

TempHome::TempHome() {
    path_ = MakeTempFolder("vantor-home-");
}

TempHome::~TempHome() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

namespace {

std::vector<std::string> SimCommand(const TempHome& home, const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"env", "HOME=" + home.Path(), VANTOR_SIM_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}

}  // namespace

SimProcess::SimProcess(const TempHome& home, const std::vector<std::string>& args)
    : process_(SimCommand(home, args)) {
    ready_ = process_.WaitForOutput("ready ", 5000);
}

std::vector<ServedRecord> ReadServedRecords(const std::string& path) {
    std::vector<ServedRecord> records;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        ServedRecord record;
        const auto fields = Split(line, ' ');
        for (std::size_t i = 1; i < fields.size(); ++i) {
            const auto equals = fields[i].find('=');
            record[fields[i].substr(0, equals)] = std::stol(fields[i].substr(equals + 1));
        }
        records.push_back(record);
    }
    return records;
}

LivePolling::LivePolling(const TempHome& home) : paths(home.Path()) {
    dlg.OnInitDialog();
}

void LivePolling::Load(const std::string& sample) {
    CFileByteStream stream;
    if (!stream.Open(std::string(VANTOR_SOURCE_DIR) + "/samples/" + sample)) {
        throw std::runtime_error("no sample " + sample);
    }
    ReadConfiguration(stream, dlg);
    UpdateActiveQuantities(dlg);
    dlg.m_strConfigName = sample;
}

void LivePolling::Tick(int waitMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    ISerialDevice* device = dlg.m_port.m_hCom.Device();
    while (device != nullptr && device->BytesWaiting() == 0 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // The simulator writes each answer at once; a moment more lets a slower peer finish.
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    dlg.OnTimer(kPollTimer);
    NoteLog();
}

void LivePolling::NoteLog() {
    if (dlg.m_pLogOpen != nullptr && (logs_.empty() || logs_.back() != dlg.m_strLogPath)) {
        logs_.push_back(dlg.m_strLogPath);
    }
}

std::vector<std::vector<std::string>> LivePolling::LogRows() const {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& log : logs_) {
        const auto lines = ReadLogLines(log);
        for (std::size_t i = kLogHeaderLines; i < lines.size(); ++i) {
            rows.push_back(Split(lines[i], '\t'));
        }
    }
    return rows;
}

std::vector<std::string> LivePolling::LogHeader() const {
    if (logs_.empty()) {
        return {};
    }
    const auto lines = ReadLogLines(logs_.front());
    return lines.size() < kLogHeaderLines ? std::vector<std::string>{}
                                          : Split(lines[kLogHeaderLines - 1], '\t');
}

std::string CodeText(long code) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", static_cast<double>(code));
    return text;
}

}  // namespace vantor::test

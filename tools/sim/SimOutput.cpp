#include "SimOutput.h"

#include "TransducerClock.h"
#include "modbus/ModbusHex.h"
#include "text/ClockText.h"

namespace vantor::sim {

SimOutput::SimOutput(bool trace, const std::string& recordPath, std::string& error)
    : trace_(trace) {
    if (!recordPath.empty()) {
        record_ = std::fopen(recordPath.c_str(), "a");
        if (record_ == nullptr) {
            error = "cannot open " + recordPath;
        }
    }
}

SimOutput::~SimOutput() {
    if (record_ != nullptr) {
        std::fclose(record_);
    }
}

std::string SimOutput::TimeStamp() {
    const SystemTime t = TransducerClock::ToSystemTime(
        std::chrono::floor<Milliseconds>(std::chrono::system_clock::now()));
    return TimeOfDayText(t.hour, t.minute, t.second, t.milliseconds);
}

void SimOutput::Report(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

void SimOutput::Frame(const char* direction, std::span<const std::uint8_t> bytes) {
    if (!trace_) {
        return;
    }
    std::string line = TimeStamp() + " " + direction;
    for (const std::uint8_t byte : bytes) {
        line += " " + ByteToHex(byte);
    }
    Report(line);
}

void SimOutput::Settings(const std::string& settingsText) {
    if (trace_) {
        Report(TimeStamp() + " line " + settingsText);
    }
}

void SimOutput::Served(const ServedCodes& codes) {
    if (record_ == nullptr || codes.empty()) {
        return;
    }
    std::string line = TimeStamp();
    for (const auto& [key, code] : codes) {
        line += " " + std::string(kQuantityKeys.at(key)) + "=" + std::to_string(code);
    }
    std::fprintf(record_, "%s\n", line.c_str());
    std::fflush(record_);
}

}  // namespace vantor::sim

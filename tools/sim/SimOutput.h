#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

#include "Transducer.h"

namespace vantor::sim {

// What the simulator tells: report lines on stdout, the frame trace (--trace) on stdout, and
// the record of served codes (--record) in a file. Every line is flushed at once, so a test
// reading the other end of a pipe sees it when it happens.
class SimOutput {
public:
    SimOutput(bool trace, const std::string& recordPath, std::string& error);
    SimOutput(const SimOutput&) = delete;
    SimOutput& operator=(const SimOutput&) = delete;
    ~SimOutput();

    void Report(const std::string& text);
    // "<hh:mm:ss.mmm> rx|tx <hex bytes>".
    void Frame(const char* direction, std::span<const std::uint8_t> bytes);
    // "<hh:mm:ss.mmm> line <settings text>", when the peer's line settings are new.
    void Settings(const std::string& settingsText);
    // "<hh:mm:ss.mmm> key=code key=code ...".
    void Served(const ServedCodes& codes);

    // The computer's UTC time as "hh:mm:ss.mmm".
    static std::string TimeStamp();

private:
    bool trace_;
    std::FILE* record_ = nullptr;
};

}  // namespace vantor::sim

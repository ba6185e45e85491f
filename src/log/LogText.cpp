#include "log/LogText.h"

#include <algorithm>
#include <array>
#include <sstream>

#include "text/ClockText.h"
#include "text/TextNumbers.h"

namespace vantor {
namespace {

// The quantity keys, except the frequency and the average phase voltage.
constexpr std::array<const char*, kLogColumnCount> kColumnLabels = {
    "Ua",  "Ub", "Uc", "Uo",  "Ia",  "Ib",  "Ic", "Io",   "Uab", "Ubc",
    "Uca", "Pa", "Pb", "Pc",  "P",   "Qa",  "Qb", "Qc",   "Q",   "Sa",
    "Sb",  "Sc", "S",  "Qfa", "Qfb", "Qfc", "F",  "Ufcp", "Icp", "Ucp"};

}  // namespace

std::string LogFileName(const SystemTime& utc, unsigned attempt) {
    std::string text = FormatPadded(utc.day, 2) + "_" + FormatPadded(utc.month, 2) + "__" +
                       FormatPadded(utc.hour, 2) + "_" + FormatPadded(utc.minute, 2) + "_" +
                       FormatPadded(utc.second, 2);
    if (attempt > 1) {
        text += "_" + std::to_string(attempt);
    }
    return text + ".txt";
}

std::string LogHeaderLine(const ByteArray& active) {
    std::string line = "Время    \t";
    for (std::size_t q = 0; q < kLogColumnCount; ++q) {
        if (At(active, q) == 1) {
            line += kColumnLabels[q];
            line += '\t';
        }
    }
    return line;
}

std::string DeviceClockColumn(std::uint8_t hour, std::uint8_t minute, std::uint16_t ms) {
    return ClockText(hour, minute, ms, ":", ',') + '\t';
}

std::string PcClockColumn(const SystemTime& utc) {
    return FormatPadded(utc.hour, 2) + ":" + FormatPadded(utc.minute, 2) + ":" +
           FormatPadded(utc.second, 2) + "," + FormatPadded(utc.milliseconds / 100, 1) + '\t';
}

std::string LogValueColumn(const std::string& text, bool physical) {
    std::string column = text + '\t';
    if (physical) {
        std::replace(column.begin(), column.end(), '.', ',');
    }
    return column;
}

TextArray LogLines(const std::string& text) {
    std::istringstream in(text);
    TextArray lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace vantor

#include "log/LogText.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace vantor {
namespace {

// The quantity keys, except the frequency and the average phase voltage.
constexpr std::array<const char*, kLogColumnCount> kColumnLabels = {
    "Ua",  "Ub", "Uc", "Uo",  "Ia",  "Ib",  "Ic", "Io",   "Uab", "Ubc",
    "Uca", "Pa", "Pb", "Pc",  "P",   "Qa",  "Qb", "Qc",   "Q",   "Sa",
    "Sb",  "Sc", "S",  "Qfa", "Qfb", "Qfc", "F",  "Ufcp", "Icp", "Ucp"};

}  // namespace

std::string LogFileName(const SystemTime& utc, unsigned attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "%.2u_%.2u__%.2u_%.2u_%.2u", unsigned{utc.day},
                  unsigned{utc.month}, unsigned{utc.hour}, unsigned{utc.minute},
                  unsigned{utc.second});
    std::string text = name;
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
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f\t", ms / 1000.0);
    std::string secondsText = seconds;
    secondsText[secondsText.size() - 4] = ',';  // "%.2f\t" always ends in ".dd\t"
    char column[64];
    std::snprintf(column, sizeof column, "%.2d%s%.2d%s%s", hour, ":", minute, ":",
                  secondsText.c_str());
    return column;
}

std::string PcClockColumn(const SystemTime& utc) {
    char column[64];
    std::snprintf(column, sizeof column, "%.2u:%.2u:%.2u,%.1u\t", unsigned{utc.hour},
                  unsigned{utc.minute}, unsigned{utc.second}, utc.milliseconds / 100u);
    return column;
}

std::string LogValueColumn(const std::string& text, bool physical) {
    std::string column = text + '\t';
    if (physical) {
        std::replace(column.begin(), column.end(), '.', ',');
    }
    return column;
}

}  // namespace vantor

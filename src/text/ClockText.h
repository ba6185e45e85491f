#pragma once

#include <cstdint>
#include <string>

namespace vantor {

// The clock texts of the window and the log, built in one place. Hours and minutes are written
// in at least two digits, seconds with their milliseconds in two decimals without padding:
// "21 : 15 : 3.25" on screen, "21:15:3,25" in the log.
std::string ClockText(long hour, long minute, std::uint16_t milliseconds, const char* separator,
                      char decimalMark);

// A time of day to the millisecond: "21:15:03.250".
std::string TimeOfDayText(long hour, long minute, long second, long milliseconds);

// A duration in whole seconds: "00 : 04 : 59".
std::string DurationText(long hours, long minutes, long seconds);

}  // namespace vantor

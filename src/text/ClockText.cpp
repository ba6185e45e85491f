#include "text/ClockText.h"

#include "text/TextNumbers.h"

namespace vantor {

std::string ClockText(long hour, long minute, std::uint16_t milliseconds, const char* separator,
                      char decimalMark) {
    std::string seconds = FormatFixed(milliseconds / 1000.0, 2);
    seconds[seconds.size() - 3] = decimalMark;  // two decimals always end in ".dd"
    return FormatPadded(hour, 2) + separator + FormatPadded(minute, 2) + separator + seconds;
}

std::string TimeOfDayText(long hour, long minute, long second, long milliseconds) {
    return FormatPadded(hour, 2) + ":" + FormatPadded(minute, 2) + ":" + FormatPadded(second, 2) +
           "." + FormatPadded(milliseconds, 3);
}

std::string DurationText(long hours, long minutes, long seconds) {
    return FormatPadded(hours, 2) + " : " + FormatPadded(minutes, 2) + " : " +
           FormatPadded(seconds, 2);
}

}  // namespace vantor

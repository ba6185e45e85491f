#include "TransducerClock.h"

#include "platform/CalendarTime.h"
#include "text/ClockText.h"
#include "text/TextNumbers.h"

namespace vantor::sim {

using namespace std::chrono;

SystemTime TransducerClock::ToSystemTime(UtcInstant instant) {
    return CalendarFromEpochMs(instant.time_since_epoch().count());
}

bool TransducerClock::IsValid(const SystemTime& t) {
    const year_month_day date{year{t.year}, month{t.month}, day{t.day}};
    return date.ok() && t.hour < 24 && t.minute < 60 && t.second < 60 && t.milliseconds < 1000;
}

UtcInstant TransducerClock::ToInstant(const SystemTime& t) {
    return UtcInstant{Milliseconds{EpochMsFromCalendar(t)}};
}

bool TransducerClock::Set(const SystemTime& utc) {
    if (!IsValid(utc)) {
        return false;
    }
    offset_ = ToInstant(utc) - floor<Milliseconds>(system_clock::now());
    return true;
}

std::string TransducerClock::Describe() const {
    const SystemTime t = Now();
    return "clock " + FormatPadded(t.year, 4) + "-" + FormatPadded(t.month, 2) + "-" +
           FormatPadded(t.day, 2) + " " +
           TimeOfDayText(t.hour, t.minute, t.second, t.milliseconds) + " UTC offset " +
           std::to_string(offset_.count()) + " ms";
}

}  // namespace vantor::sim

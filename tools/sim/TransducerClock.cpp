#include "TransducerClock.h"

#include <cstdio>

#include "platform/CalendarTime.h"

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
    char text[128];
    std::snprintf(text, sizeof text, "clock %04u-%02u-%02u %02u:%02u:%02u.%03u UTC offset %lld ms",
                  t.year, t.month, t.day, t.hour, t.minute, t.second, t.milliseconds,
                  static_cast<long long>(offset_.count()));
    return text;
}

}  // namespace vantor::sim

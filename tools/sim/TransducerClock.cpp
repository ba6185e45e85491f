#include "TransducerClock.h"

#include <cstdio>

namespace vantor::sim {

using namespace std::chrono;

SystemTime TransducerClock::ToSystemTime(UtcInstant instant) {
    const sys_days day = floor<days>(instant);
    const year_month_day date{day};
    const hh_mm_ss<Milliseconds> time{instant - day};
    SystemTime t;
    t.year = static_cast<std::uint16_t>(static_cast<int>(date.year()));
    t.month = static_cast<std::uint16_t>(static_cast<unsigned>(date.month()));
    t.day = static_cast<std::uint16_t>(static_cast<unsigned>(date.day()));
    t.dayOfWeek = static_cast<std::uint16_t>(weekday{day}.c_encoding());
    t.hour = static_cast<std::uint16_t>(time.hours().count());
    t.minute = static_cast<std::uint16_t>(time.minutes().count());
    t.second = static_cast<std::uint16_t>(time.seconds().count());
    t.milliseconds = static_cast<std::uint16_t>(time.subseconds().count());
    return t;
}

bool TransducerClock::IsValid(const SystemTime& t) {
    const year_month_day date{year{t.year}, month{t.month}, day{t.day}};
    return date.ok() && t.hour < 24 && t.minute < 60 && t.second < 60 && t.milliseconds < 1000;
}

UtcInstant TransducerClock::ToInstant(const SystemTime& t) {
    const year_month_day date{year{t.year}, month{t.month}, day{t.day}};
    return sys_days{date} + hours{t.hour} + minutes{t.minute} + seconds{t.second} +
           Milliseconds{t.milliseconds};
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

#include "platform/CalendarTime.h"

#include <chrono>

namespace vantor {

SystemTime CalendarFromEpochMs(std::int64_t epochMs) {
    using namespace std::chrono;
    const sys_time<milliseconds> instant{milliseconds{epochMs}};
    const sys_days day = floor<days>(instant);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> time{instant - day};
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

std::int64_t EpochMsFromCalendar(const SystemTime& t) {
    using namespace std::chrono;
    const sys_days date = year_month_day{year{t.year}, month{t.month}, day{t.day}};
    const auto instant =
        date + hours{t.hour} + minutes{t.minute} + seconds{t.second} + milliseconds{t.milliseconds};
    return duration_cast<milliseconds>(instant.time_since_epoch()).count();
}

}  // namespace vantor

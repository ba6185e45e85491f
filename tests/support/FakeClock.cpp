#include "support/FakeClock.h"

#include <chrono>

namespace vantor::test {

SystemTime CivilFromEpochMs(std::int64_t epochMs) {
    using namespace std::chrono;
    const sys_time<milliseconds> tp{milliseconds{epochMs}};
    const sys_days day = floor<days>(tp);
    const year_month_day ymd{day};
    const hh_mm_ss<milliseconds> hms{tp - day};
    SystemTime t;
    t.year = static_cast<std::uint16_t>(static_cast<int>(ymd.year()));
    t.month = static_cast<std::uint16_t>(static_cast<unsigned>(ymd.month()));
    t.day = static_cast<std::uint16_t>(static_cast<unsigned>(ymd.day()));
    t.dayOfWeek = static_cast<std::uint16_t>(weekday{day}.c_encoding());
    t.hour = static_cast<std::uint16_t>(hms.hours().count());
    t.minute = static_cast<std::uint16_t>(hms.minutes().count());
    t.second = static_cast<std::uint16_t>(hms.seconds().count());
    t.milliseconds = static_cast<std::uint16_t>(hms.subseconds().count());
    return t;
}

std::int64_t EpochMsFromCivil(int year, int month, int day, int hour, int minute, int second,
                              int milliseconds) {
    using namespace std::chrono;
    const sys_days date =
        year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                       std::chrono::day{static_cast<unsigned>(day)}};
    const auto ms = duration_cast<std::chrono::milliseconds>(date.time_since_epoch()).count();
    return ms + ((hour * 60LL + minute) * 60LL + second) * 1000LL + milliseconds;
}

FakeClock::FakeClock() {
    SetUtc(2026, 12, 8, 21, 15, 3);
}

void FakeClock::SetUtc(int year, int month, int day, int hour, int minute, int second,
                       int milliseconds) {
    nowMs_ = EpochMsFromCivil(year, month, day, hour, minute, second, milliseconds);
}

SystemTime FakeClock::UtcNow() {
    return CivilFromEpochMs(nowMs_);
}

SystemTime FakeClock::LocalTime(std::int64_t seconds) {
    return CivilFromEpochMs((seconds + localOffsetMinutes_ * 60LL) * 1000LL);
}

void FakeClock::Sleep(unsigned milliseconds) {
    sleeps_.push_back(milliseconds);
    nowMs_ += milliseconds;
}

}  // namespace vantor::test

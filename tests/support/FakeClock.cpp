#include "support/FakeClock.h"

#include "platform/CalendarTime.h"

namespace vantor::test {

FakeClock::FakeClock() {
    SetUtc(2026, 12, 8, 21, 15, 3);
}

void FakeClock::SetUtc(int year, int month, int day, int hour, int minute, int second,
                       int milliseconds) {
    SystemTime t;
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day);
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    t.second = static_cast<std::uint16_t>(second);
    t.milliseconds = static_cast<std::uint16_t>(milliseconds);
    nowMs_ = EpochMsFromCalendar(t);
}

SystemTime FakeClock::UtcNow() {
    return CalendarFromEpochMs(nowMs_);
}

SystemTime FakeClock::LocalTime(std::int64_t seconds) {
    return CalendarFromEpochMs(seconds * 1000LL);
}

void FakeClock::Sleep(unsigned milliseconds) {
    sleeps_.push_back(milliseconds);
    nowMs_ += milliseconds;
}

}  // namespace vantor::test

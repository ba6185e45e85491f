#include "platform/SystemClock.h"

#include "platform/CalendarTime.h"

#include <time.h>

#include <chrono>
#include <thread>

namespace vantor {

SystemTime SystemClock::UtcNow() {
    using namespace std::chrono;
    return CalendarFromEpochMs(
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

std::int64_t SystemClock::Time64() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

SystemTime SystemClock::LocalTime(std::int64_t seconds) {
    const time_t value = static_cast<time_t>(seconds);
    tm local{};
    SystemTime t;
    if (localtime_r(&value, &local) == nullptr) {
        return t;
    }
    t.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    t.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    t.dayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
    t.day = static_cast<std::uint16_t>(local.tm_mday);
    t.hour = static_cast<std::uint16_t>(local.tm_hour);
    t.minute = static_cast<std::uint16_t>(local.tm_min);
    t.second = static_cast<std::uint16_t>(local.tm_sec);
    return t;
}

std::int64_t SystemClock::TickMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemClock::Sleep(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace vantor

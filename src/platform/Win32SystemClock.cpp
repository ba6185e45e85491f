#include "platform/SystemClock.h"

#include <windows.h>

namespace vantor {
namespace {

// 100-nanosecond intervals between 1601-01-01 (FILETIME's origin) and 1970-01-01.
constexpr std::int64_t kEpochIn100ns = 116444736000000000LL;
constexpr std::int64_t k100nsPerSecond = 10000000LL;

SystemTime FromRecord(const SYSTEMTIME& r) {
    SystemTime t;
    t.year = r.wYear;
    t.month = r.wMonth;
    t.dayOfWeek = r.wDayOfWeek;
    t.day = r.wDay;
    t.hour = r.wHour;
    t.minute = r.wMinute;
    t.second = r.wSecond;
    t.milliseconds = r.wMilliseconds;
    return t;
}

std::int64_t FileTimeValue(const FILETIME& f) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(f.dwHighDateTime) << 32) |
                                     f.dwLowDateTime);
}

}  // namespace

SystemTime SystemClock::UtcNow() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return FromRecord(now);
}

std::int64_t SystemClock::Time64() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (FileTimeValue(now) - kEpochIn100ns) / k100nsPerSecond;
}

SystemTime SystemClock::LocalTime(std::int64_t seconds) {
    const auto value = static_cast<std::uint64_t>(seconds * k100nsPerSecond + kEpochIn100ns);
    FILETIME utc{static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
    SYSTEMTIME utcRecord;
    SYSTEMTIME local;
    if (seconds < 0 || FileTimeToSystemTime(&utc, &utcRecord) == 0 ||
        SystemTimeToTzSpecificLocalTime(nullptr, &utcRecord, &local) == 0) {
        return SystemTime{};
    }
    SystemTime t = FromRecord(local);
    t.milliseconds = 0;
    return t;
}

std::int64_t SystemClock::TickMs() {
    return static_cast<std::int64_t>(GetTickCount64());
}

void SystemClock::Sleep(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace vantor

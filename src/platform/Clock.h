#pragma once

#include <cstdint>

namespace vantor {

// Calendar time with milliseconds, in the layout of the system time record.
struct SystemTime {
    std::uint16_t year = 1970;
    std::uint16_t month = 1;      // 1..12
    std::uint16_t dayOfWeek = 4;  // 0 = Sunday
    std::uint16_t day = 1;        // 1..31
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

// Wall clock and waiting. The real clock sleeps; the fake one advances virtual time at once.
class IClock {
public:
    virtual ~IClock() = default;
    virtual SystemTime UtcNow() = 0;
    // Seconds since the epoch (the 64-bit time value).
    virtual std::int64_t Time64() = 0;
    // Local calendar time of a 64-bit time value.
    virtual SystemTime LocalTime(std::int64_t seconds) = 0;
    // Milliseconds of a monotonic counter, for measuring intervals.
    virtual std::int64_t TickMs() = 0;
    virtual void Sleep(unsigned milliseconds) = 0;
};

}  // namespace vantor

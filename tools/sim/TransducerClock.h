#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/Clock.h"

namespace vantor::sim {

using Milliseconds = std::chrono::milliseconds;
using UtcInstant = std::chrono::sys_time<Milliseconds>;

// The transducer's own clock: the computer's UTC clock shifted by an offset that clock
// synchronisation replaces.
class TransducerClock {
public:
    explicit TransducerClock(Milliseconds offset) : offset_(offset) {}

    SystemTime Now() const {
        return ToSystemTime(std::chrono::floor<Milliseconds>(std::chrono::system_clock::now()) +
                            offset_);
    }
    // The clock shows `utc` from now on; false (and the clock unchanged) for an impossible time.
    bool Set(const SystemTime& utc);
    // How far the clock runs ahead of the computer's UTC clock.
    Milliseconds Offset() const { return offset_; }
    // "clock <yyyy-mm-dd hh:mm:ss.mmm> UTC offset <ms> ms": what the clock shows and how far
    // it is off the computer's clock.
    std::string Describe() const;

    static SystemTime ToSystemTime(UtcInstant instant);
    static bool IsValid(const SystemTime& time);
    static UtcInstant ToInstant(const SystemTime& time);

private:
    Milliseconds offset_;
};

}  // namespace vantor::sim

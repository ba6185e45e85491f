#pragma once

#include <cstdint>
#include <vector>

#include "platform/Clock.h"

namespace vantor::test {

// Virtual time: Sleep advances it at once, so a whole polling run takes microseconds.
// Local time is UTC.
class FakeClock : public IClock {
public:
    // Starts at 2026-12-08 21:15:03.000 UTC unless set otherwise.
    FakeClock();

    void SetUtc(int year, int month, int day, int hour, int minute, int second,
                int milliseconds = 0);
    void Advance(std::int64_t milliseconds) { nowMs_ += milliseconds; }
    std::int64_t NowMs() const { return nowMs_; }
    // Every Sleep call, in order.
    const std::vector<unsigned>& Sleeps() const { return sleeps_; }
    void ClearSleeps() { sleeps_.clear(); }

    SystemTime UtcNow() override;
    std::int64_t Time64() override { return nowMs_ / 1000; }
    SystemTime LocalTime(std::int64_t seconds) override;
    std::int64_t TickMs() override { return nowMs_; }
    void Sleep(unsigned milliseconds) override;

private:
    std::int64_t nowMs_ = 0;  // since the epoch, UTC
    std::vector<unsigned> sleeps_;
};

}  // namespace vantor::test

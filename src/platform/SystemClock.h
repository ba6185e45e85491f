#pragma once

#include "platform/Clock.h"

namespace vantor {

// The computer's clock; Sleep blocks the calling thread.
class SystemClock : public IClock {
public:
    SystemTime UtcNow() override;
    std::int64_t Time64() override;
    SystemTime LocalTime(std::int64_t seconds) override;
    std::int64_t TickMs() override;
    void Sleep(unsigned milliseconds) override;
};

}  // namespace vantor

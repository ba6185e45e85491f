#pragma once

#include <cstdint>

namespace vantor {

// Told the status of every answer a poll tick collects (0 accepted, else the code whose
// message the tick shows), before the tick acts on it.
class IPollObserver {
public:
    virtual ~IPollObserver() = default;
    virtual void OnAnswerStatus(std::uint8_t status) = 0;
};

}  // namespace vantor

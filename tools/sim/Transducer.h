#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

#include "SimDevice.h"
#include "TransducerClock.h"
#include "text/Quantities.h"

namespace vantor::sim {

// Raw codes by quantity key index, the two clock words included.
using KeyCodes = std::array<std::int32_t, kQuantityKeys.size()>;

// One look at the transducer: its codes and its clock at the same instant.
struct Reading {
    KeyCodes codes{};
    SystemTime clock;
};

// The measured system: a balanced three-phase load near nominal whose voltages, currents,
// power factors and frequency drift slowly, and the transducer's clock.
class Transducer {
public:
    explicit Transducer(Milliseconds clockOffset);

    Reading Read() const;
    TransducerClock& Clock() { return clock_; }

    // The codes `seconds` after the start, the clock words taken from `clock`.
    static KeyCodes CodesAt(double seconds, const SystemTime& clock);

private:
    TransducerClock clock_;
    std::chrono::steady_clock::time_point start_;
};

// The code an item holds in a reading. The two date items without a key hold the year
// ("Время (ty)") and month * 256 + day ("Время (tmd)"); other items without a key hold 0.
std::int32_t ItemCode(const SimItem& item, const Reading& reading);

// What one answer carried: the codes of the items with a quantity key, in item order.
struct ServedCode {
    std::size_t key;
    std::int32_t code;
};
using ServedCodes = std::vector<ServedCode>;
ServedCodes CodesServed(const std::vector<SimItem>& items, const std::vector<std::size_t>& which,
                        const Reading& reading);

}  // namespace vantor::sim

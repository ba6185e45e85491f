#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "SimDevice.h"
#include "Transducer.h"
#include "platform/Types.h"

namespace vantor::sim {

// The input registers as the items lay them out: an item of n bytes fills (n + 1) / 2
// registers from its address, high word first.
class RegisterMap {
public:
    explicit RegisterMap(const std::vector<SimItem>& items);

    // Registers start .. start + count - 1 of a reading; none when one of them is not mapped.
    std::optional<WordArray> Read(std::uint32_t start, std::uint32_t count,
                                  const Reading& reading) const;
    // The items whose registers all lie in the range, in item order.
    std::vector<std::size_t> ItemsWithin(std::uint32_t start, std::uint32_t count) const;
    // The register of the "Время (tms)" item, where the clock is written.
    std::optional<std::uint32_t> ClockRegister() const;

private:
    struct Cell {
        std::size_t item;
        unsigned word;   // 0 = the item's first (highest) word
        unsigned words;  // how many registers the item fills
    };
    static unsigned WordsOf(const SimItem& item) {
        return item.size <= 2 ? 1 : (item.size + 1) / 2;
    }

    const std::vector<SimItem>& items_;
    std::map<std::uint32_t, Cell> cells_;
};

}  // namespace vantor::sim

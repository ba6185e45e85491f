#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantor {

// The working state keeps the classic BOOL flags: 0 is false, anything else is true.
using BOOL = int;
constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

using ByteArray = std::vector<std::uint8_t>;
using WordArray = std::vector<std::uint16_t>;
using TextArray = std::vector<std::string>;

// The one exception for an index outside a received frame, an item list or any other array.
// It is caught only where the window dispatches a handler.
class InvalidArgument : public std::out_of_range {
public:
    InvalidArgument() : std::out_of_range("Encountered an improper argument.") {}
};

// Bounds-checked element access: every index into received bytes or a list goes through here.
template <typename Container>
auto& At(Container& items, std::size_t index) {
    if (index >= items.size()) {
        throw InvalidArgument();
    }
    return items[index];
}

}  // namespace vantor

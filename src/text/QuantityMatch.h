#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/Types.h"

namespace vantor {

// The quantity an item name names: the first key, in key order, whose first occurrence in the
// name is immediately followed by ")". Only the first occurrence counts, so "Uab x Uab)" does
// not match "Uab".
std::optional<std::size_t> FindQuantityKey(const std::string& name, const TextArray& keys);

// Position in the raw code table of a measured quantity (a key index other than the frequency
// and the two clock words); nothing for those three.
std::optional<std::size_t> RawIndexOfQuantity(std::size_t keyIndex);

}  // namespace vantor

#pragma once

#include <array>
#include <cstddef>

#include "platform/Types.h"

namespace vantor {

// A measured quantity's place in the main window: its label, its value field and its index
// in the presence flags.
struct QuantityField {
    int label;  // 0 for the frequency, which has no label of its own
    int field;
    std::size_t flag;
};

// In the order in which the window gives them the value font.
extern const std::array<QuantityField, 30> kQuantityFields;

// Which of the 32 quantities are drawn normally. With a group chosen (selection above 0) in
// the group-interrogation mode (0), only the quantities that an item of that group carries
// count as present: entry k of `itemCot` tags item k of `items` (three texts per item) with
// 20 plus its group, and the item carries the quantity whose key its name holds.
std::array<bool, 32> PresentQuantities(const ByteArray& active, const TextArray& items,
                                       const TextArray& keys, const ByteArray& itemCot,
                                       int groupSelection, int iecMode);

}  // namespace vantor

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
// the group-interrogation mode (0), only the quantities of that group count as present: the
// group tag of quantity i is entry i of `itemCot`, 20 plus its group. Tags beyond the 32
// flags belong to no quantity and are ignored.
std::array<bool, 32> PresentQuantities(const ByteArray& active, const ByteArray& itemCot,
                                       int groupSelection, int iecMode);

}  // namespace vantor

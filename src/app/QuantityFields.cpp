#include "app/QuantityFields.h"

#include <algorithm>

#include "text/QuantityMatch.h"

namespace vantor {
namespace {

constexpr std::size_t kTextsPerItem = 3;

}  // namespace

const std::array<QuantityField, 30> kQuantityFields = {{
    {1014, 1015, 4},  {1016, 1017, 5},  {1018, 1019, 6},  {1028, 1029, 7},  {1020, 1021, 28},
    {1004, 1005, 0},  {1006, 1007, 1},  {1008, 1009, 2},  {1025, 1026, 3},  {1010, 1011, 27},
    {1063, 1064, 8},  {1065, 1066, 9},  {1067, 1068, 10}, {1012, 1013, 29}, {1030, 1031, 11},
    {1032, 1033, 12}, {1034, 1035, 13}, {1038, 1039, 14}, {1042, 1043, 15}, {1044, 1045, 16},
    {1046, 1047, 17}, {1048, 1049, 18}, {1056, 1057, 19}, {1058, 1059, 20}, {1060, 1061, 21},
    {1036, 1062, 22}, {1070, 1071, 23}, {1072, 1073, 24}, {1074, 1075, 25}, {0, 1053, 26},
}};

std::array<bool, 32> PresentQuantities(const ByteArray& active, const TextArray& items,
                                       const TextArray& keys, const ByteArray& itemCot,
                                       int groupSelection, int iecMode) {
    std::array<bool, 32> present{};
    for (std::size_t i = 0; i < present.size() && i < active.size(); ++i) {
        present.at(i) = active.at(i) != 0;
    }
    if (groupSelection <= 0 || iecMode != 0) {
        return present;
    }
    std::array<bool, 32> inGroup{};
    const std::size_t tagged = std::min(items.size() / kTextsPerItem, itemCot.size());
    for (std::size_t item = 0; item < tagged; ++item) {
        const auto key = FindQuantityKey(items.at(kTextsPerItem * item), keys);
        const auto group = static_cast<std::uint8_t>(itemCot.at(item) - 20);
        if (key && *key < inGroup.size() && group == groupSelection) {
            inGroup.at(*key) = true;
        }
    }
    for (std::size_t i = 0; i < present.size(); ++i) {
        present.at(i) = present.at(i) && inGroup.at(i);
    }
    return present;
}

}  // namespace vantor

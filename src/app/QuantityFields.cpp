#include "app/QuantityFields.h"

#include <algorithm>

namespace vantor {

const std::array<QuantityField, 30> kQuantityFields = {{
    {1014, 1015, 4},  {1016, 1017, 5},  {1018, 1019, 6},  {1028, 1029, 7},  {1020, 1021, 28},
    {1004, 1005, 0},  {1006, 1007, 1},  {1008, 1009, 2},  {1025, 1026, 3},  {1010, 1011, 27},
    {1063, 1064, 8},  {1065, 1066, 9},  {1067, 1068, 10}, {1012, 1013, 29}, {1030, 1031, 11},
    {1032, 1033, 12}, {1034, 1035, 13}, {1038, 1039, 14}, {1042, 1043, 15}, {1044, 1045, 16},
    {1046, 1047, 17}, {1048, 1049, 18}, {1056, 1057, 19}, {1058, 1059, 20}, {1060, 1061, 21},
    {1036, 1062, 22}, {1070, 1071, 23}, {1072, 1073, 24}, {1074, 1075, 25}, {0, 1053, 26},
}};

std::array<bool, 32> PresentQuantities(const ByteArray& active, const ByteArray& itemCot,
                                       int groupSelection, int iecMode) {
    std::array<bool, 32> present{};
    for (std::size_t i = 0; i < present.size() && i < active.size(); ++i) {
        present.at(i) = active.at(i) != 0;
    }
    if (groupSelection > 0 && iecMode == 0) {
        const std::size_t tagged = std::min(itemCot.size(), present.size());
        for (std::size_t i = 0; i < tagged; ++i) {
            const auto group = static_cast<std::uint8_t>(itemCot.at(i) - 20);
            if (group != groupSelection) {
                present.at(i) = false;
            }
        }
    }
    return present;
}

}  // namespace vantor

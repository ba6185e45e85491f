#include "app/QuantityFields.h"

#include <algorithm>

#include "config/ItemList.h"
#include "config/Protocol.h"
#include "iec101/AsduCodec.h"
#include "polling/ControlIds.h"
#include "text/QuantityMatch.h"

namespace vantor {

const std::array<QuantityField, 30> kQuantityFields = {{
    {ctl::kIaLabel, ctl::kIaField, 4},    {ctl::kIbLabel, ctl::kIbField, 5},
    {ctl::kIcLabel, ctl::kIcField, 6},    {ctl::kIoLabel, ctl::kIoField, 7},
    {ctl::kIcpLabel, ctl::kIcpField, 28}, {ctl::kUaLabel, ctl::kUaField, 0},
    {ctl::kUbLabel, ctl::kUbField, 1},    {ctl::kUcLabel, ctl::kUcField, 2},
    {ctl::kUoLabel, ctl::kUoField, 3},    {ctl::kUfcpLabel, ctl::kUfcpField, 27},
    {ctl::kUabLabel, ctl::kUabField, 8},  {ctl::kUbcLabel, ctl::kUbcField, 9},
    {ctl::kUcaLabel, ctl::kUcaField, 10}, {ctl::kUcpLabel, ctl::kUcpField, 29},
    {ctl::kPaLabel, ctl::kPaField, 11},   {ctl::kPbLabel, ctl::kPbField, 12},
    {ctl::kPcLabel, ctl::kPcField, 13},   {ctl::kPLabel, ctl::kPField, 14},
    {ctl::kQaLabel, ctl::kQaField, 15},   {ctl::kQbLabel, ctl::kQbField, 16},
    {ctl::kQcLabel, ctl::kQcField, 17},   {ctl::kQLabel, ctl::kQField, 18},
    {ctl::kSaLabel, ctl::kSaField, 19},   {ctl::kSbLabel, ctl::kSbField, 20},
    {ctl::kScLabel, ctl::kScField, 21},   {ctl::kSLabel, ctl::kSField, 22},
    {ctl::kQfaLabel, ctl::kQfaField, 23}, {ctl::kQfbLabel, ctl::kQfbField, 24},
    {ctl::kQfcLabel, ctl::kQfcField, 25}, {0, ctl::kFrequencyField, 26},
}};

std::array<bool, 32> PresentQuantities(const ByteArray& active, const TextArray& items,
                                       const TextArray& keys, const ByteArray& itemCot,
                                       int groupSelection, int iecMode) {
    std::array<bool, 32> present{};
    for (std::size_t i = 0; i < present.size() && i < active.size(); ++i) {
        present.at(i) = active.at(i) != 0;
    }
    if (groupSelection <= 0 || iecMode != kIecGroupPolling) {
        return present;
    }
    std::array<bool, 32> inGroup{};
    const ItemList list(items);
    const std::size_t tagged = std::min(list.Count(), itemCot.size());
    for (std::size_t item = 0; item < tagged; ++item) {
        const auto key = FindQuantityKey(list.Name(item), keys);
        const auto group = static_cast<std::uint8_t>(itemCot.at(item) - kCauseStationInterrogation);
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

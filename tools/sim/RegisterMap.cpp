#include "RegisterMap.h"

namespace vantor::sim {

RegisterMap::RegisterMap(const std::vector<SimItem>& items) : items_(items) {
    for (std::size_t k = 0; k < items.size(); ++k) {
        const unsigned words = WordsOf(items[k]);
        for (unsigned w = 0; w < words; ++w) {
            cells_.insert_or_assign(items[k].address + w, Cell{k, w, words});
        }
    }
}

std::optional<WordArray> RegisterMap::Read(std::uint32_t start, std::uint32_t count,
                                           const Reading& reading) const {
    WordArray words;
    for (std::uint32_t r = start; r < start + count; ++r) {
        const auto cell = cells_.find(r);
        if (cell == cells_.end()) {
            return std::nullopt;
        }
        const auto& [item, word, total] = cell->second;
        const auto code =
            static_cast<std::uint64_t>(static_cast<std::uint32_t>(ItemCode(items_[item], reading)));
        words.push_back(static_cast<std::uint16_t>(code >> (16 * (total - 1 - word))));
    }
    return words;
}

std::vector<std::size_t> RegisterMap::ItemsWithin(std::uint32_t start, std::uint32_t count) const {
    std::vector<std::size_t> within;
    for (std::size_t k = 0; k < items_.size(); ++k) {
        const std::uint32_t first = items_[k].address;
        if (first >= start && first + WordsOf(items_[k]) <= start + count) {
            within.push_back(k);
        }
    }
    return within;
}

std::optional<std::uint32_t> RegisterMap::ClockRegister() const {
    for (const SimItem& item : items_) {
        if (item.clock) {
            return item.address;
        }
    }
    return std::nullopt;
}

}  // namespace vantor::sim

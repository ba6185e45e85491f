#include "text/QuantityMatch.h"

#include <array>

#include "text/Quantities.h"

namespace vantor {
namespace {

constexpr std::size_t kNoRaw = kRawCount;

// Indexed by key index (the order of kQuantityKeys).
constexpr std::array<std::size_t, kQuantityKeys.size()> kRawIndexByKey = {
    kRawUa,  kRawUb,  kRawUc,  kRawUo,   kRawIa,  kRawIb,  kRawIc, kRawIo,
    kRawUab, kRawUbc, kRawUca, kRawPa,   kRawPb,  kRawPc,  kRawP,  kRawQa,
    kRawQb,  kRawQc,  kRawQ,   kRawSa,   kRawSb,  kRawSc,  kRawS,  kRawQfa,
    kRawQfb, kRawQfc, kNoRaw,  kRawUfcp, kRawIcp, kRawUcp, kNoRaw, kNoRaw};

}  // namespace

std::optional<std::size_t> FindQuantityKey(const std::string& name, const TextArray& keys) {
    for (std::size_t j = 0; j < keys.size(); ++j) {
        const std::string& key = keys[j];
        const std::size_t at = name.find(key);
        if (at == std::string::npos) {
            continue;
        }
        const std::size_t after = at + key.size();
        if (after < name.size() && name[after] == ')') {
            return j;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> RawIndexOfQuantity(std::size_t keyIndex) {
    if (keyIndex >= kRawIndexByKey.size() || kRawIndexByKey[keyIndex] == kNoRaw) {
        return std::nullopt;
    }
    return kRawIndexByKey[keyIndex];
}

}  // namespace vantor

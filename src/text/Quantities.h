#pragma once

#include <array>
#include <cstddef>

namespace vantor {

// The 32 quantity keys; the position is the quantity index shared by the presence flags, the
// log columns and the colouring of the value fields.
inline constexpr std::array<const char*, 32> kQuantityKeys = {
    "Ua", "Ub",  "Uc",  "Uo",  "Ia", "Ib",    "Ic",  "Io",  "Uab", "Ubc", "Uca",
    "Pa", "Pb",  "Pc",  "P",   "Qa", "Qb",    "Qc",  "Q",   "Sa",  "Sb",  "Sc",
    "S",  "Qfa", "Qfb", "Qfc", "f",  "Uф.cp", "Icp", "Ucp", "tms", "thm"};

constexpr std::size_t kFrequencyKey = 26;
constexpr std::size_t kClockMsKey = 30;
constexpr std::size_t kClockHourMinKey = 31;

// Positions in the raw code table, which keeps its own order.
enum RawIndex : std::size_t {
    kRawUa,
    kRawUb,
    kRawUc,
    kRawUfcp,
    kRawUo,
    kRawIa,
    kRawIb,
    kRawIc,
    kRawIcp,
    kRawIo,
    kRawUab,
    kRawUbc,
    kRawUca,
    kRawUcp,
    kRawPa,
    kRawPb,
    kRawPc,
    kRawP,
    kRawQa,
    kRawQb,
    kRawQc,
    kRawQ,
    kRawSa,
    kRawSb,
    kRawSc,
    kRawS,
    kRawQfa,
    kRawQfb,
    kRawQfc,
    kRawCount
};

}  // namespace vantor

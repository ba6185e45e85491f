#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace vantor {

// Calendar fields, weekday included, of a millisecond count since the epoch (proleptic
// Gregorian, UTC), and back. Every clock of the program and its tools converts here.
SystemTime CalendarFromEpochMs(std::int64_t epochMs);
std::int64_t EpochMsFromCalendar(const SystemTime& time);

}  // namespace vantor

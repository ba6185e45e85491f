#pragma once

#include "platform/Clock.h"
#include "platform/Types.h"

namespace vantor {

// The seven clock bytes of the Modbus clock write: milliseconds within the minute (high byte
// first), hour, minute, year - 2000, month, and day of week (1 = Monday … 7 = Sunday) × 32 +
// day of month.
ByteArray ClockBytes(const SystemTime& utc);

}  // namespace vantor

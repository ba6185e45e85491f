#include "modbus/ClockData.h"

namespace vantor {

ByteArray ClockBytes(const SystemTime& utc) {
    const auto ms = static_cast<std::uint16_t>(utc.second * 1000 + utc.milliseconds);
    // The system time counts Sunday as 0; the transducer counts it as 7.
    const unsigned weekday = utc.dayOfWeek == 0 ? 7 : utc.dayOfWeek;
    return {static_cast<std::uint8_t>(ms >> 8),
            static_cast<std::uint8_t>(ms & 0xFF),
            static_cast<std::uint8_t>(utc.hour),
            static_cast<std::uint8_t>(utc.minute),
            static_cast<std::uint8_t>(utc.year - 2000),
            static_cast<std::uint8_t>(utc.month),
            static_cast<std::uint8_t>(weekday * 32 + utc.day)};
}

}  // namespace vantor

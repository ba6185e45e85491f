#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "platform/Types.h"

namespace vantor {

// Only the measured quantities (indexes 0 to 29) have log columns; the clock words never do.
constexpr std::size_t kLogColumnCount = 30;
// A log begins with its own path, an empty line and the header line; the rows follow.
constexpr std::size_t kLogHeaderLines = 3;

// "08_12__21_15_03.txt" from the UTC day, month, hour, minute and second. Attempts after the
// first, for a name already taken, end in "_2.txt", "_3.txt" and so on.
std::string LogFileName(const SystemTime& utc, unsigned attempt);
// "Время", four spaces and a tab, then the label and a tab of every present quantity.
std::string LogHeaderLine(const ByteArray& active);
// The transducer clock, seconds unpadded with a decimal comma: "13:05:7,25" and a tab.
std::string DeviceClockColumn(std::uint8_t hour, std::uint8_t minute, std::uint16_t ms);
// The computer clock to tenths of a second: "13:05:07,2" and a tab.
std::string PcClockColumn(const SystemTime& utc);
// A display text and its tab; in physical units with decimal commas.
std::string LogValueColumn(const std::string& text, bool physical);
// A log's text cut into its lines, each without its CR LF end.
TextArray LogLines(const std::string& text);

}  // namespace vantor

#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantor {

// A local clock reading, or a point of it, in the 16-bit fields the recording timer keeps.
struct ClockTime {
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;

    bool operator==(const ClockTime&) const = default;
};

// The duration of a timed recording as typed, "hh : mm : ss".
struct RecordDuration {
    long hours = 0;
    long minutes = 0;
    long seconds = 0;
};

// Each of the three fields must be there and read at most 24 hours, 60 minutes and 60 seconds
// (the bounds themselves included); nothing otherwise.
std::optional<RecordDuration> ParseRecordTime(const std::string& text);

// The clock time at which a recording started at `start` ends. Every carry and wrap happens at
// most once, so a minute field of 60 can give an end minute of 60, which no clock shows.
ClockTime RecordEndTime(const ClockTime& start, const RecordDuration& duration);

// "hh : mm : ss" left from `now` to `end`, counted in 16-bit unsigned fields with one borrow
// per field, as the countdown field has always shown it.
std::string RemainingTimeText(const ClockTime& end, const ClockTime& now);

}  // namespace vantor

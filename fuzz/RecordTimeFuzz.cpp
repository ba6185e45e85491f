// Record-time texts as typed into the recording field, and the end and countdown times worked
// out from a valid one at any clock reading.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "polling/RecordTime.h"

using namespace vantor;
using namespace vantor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    // The first three bytes are a clock reading; the rest is the text.
    const ClockTime now{static_cast<std::uint16_t>(input.Byte() % 24),
                        static_cast<std::uint16_t>(input.Byte() % 60),
                        static_cast<std::uint16_t>(input.Byte() % 60)};
    const std::string text = input.RestAsText();

    const auto duration = ParseRecordTime(text);
    if (!duration) {
        return 0;
    }
    FUZZ_CHECK(duration->hours <= 24 && duration->minutes <= 60 && duration->seconds <= 60);
    FUZZ_CHECK(text.find(':') != std::string::npos);

    const ClockTime end = RecordEndTime(now, *duration);
    const std::string remaining = RemainingTimeText(end, now);
    FUZZ_CHECK(remaining.size() >= 12 && remaining.size() <= 21);
    // Each field wraps at most once, which is enough for every duration below a day.
    if (duration->hours >= 0 && duration->hours < 24 && duration->minutes >= 0 &&
        duration->minutes < 60 && duration->seconds >= 0) {
        FUZZ_CHECK(end.hour < 24 && end.minute < 60 && end.second < 60);
    }
    return 0;
}

#include "polling/RecordTime.h"

#include "text/ClockText.h"
#include "text/TextNumbers.h"

namespace vantor {
namespace {

// The text before the next ":", cut off the front of `rest` together with that ":".
std::string TakeField(std::string& rest) {
    const std::size_t colon = rest.find(':');
    std::string field = rest.substr(0, colon);
    rest.erase(0, colon == std::string::npos ? rest.size() : colon + 1);
    return field;
}

std::optional<long> BoundedField(const std::string& field, long limit) {
    if (field.empty()) {
        return std::nullopt;
    }
    const long value = ParseIntText(field);
    if (value > limit) {
        return std::nullopt;
    }
    return value;
}

std::uint16_t Wrapped(std::uint16_t value, std::uint16_t limit, std::uint16_t& carry) {
    carry = 0;
    if (value >= limit) {
        carry = 1;
        return static_cast<std::uint16_t>(value - limit);
    }
    return value;
}

}  // namespace

std::optional<RecordDuration> ParseRecordTime(const std::string& text) {
    std::string rest = text;
    const auto hours = BoundedField(TakeField(rest), 24);
    const auto minutes = BoundedField(TakeField(rest), 60);
    const auto seconds = BoundedField(rest, 60);
    if (!hours || !minutes || !seconds) {
        return std::nullopt;
    }
    return RecordDuration{*hours, *minutes, *seconds};
}

ClockTime RecordEndTime(const ClockTime& start, const RecordDuration& duration) {
    std::uint16_t carry = 0;
    ClockTime end;
    end.second = Wrapped(static_cast<std::uint16_t>(start.second + duration.seconds), 60, carry);
    end.minute =
        Wrapped(static_cast<std::uint16_t>(start.minute + duration.minutes + carry), 60, carry);
    end.hour = Wrapped(static_cast<std::uint16_t>(start.hour + duration.hours + carry), 24, carry);
    return end;
}

std::string RemainingTimeText(const ClockTime& end, const ClockTime& now) {
    std::uint16_t borrow = 0;
    auto s = static_cast<std::uint16_t>(end.second - now.second);
    if (s > 60) {
        s = static_cast<std::uint16_t>(s + 60);
        borrow = 1;
    }
    auto m = static_cast<std::uint16_t>(end.minute - now.minute - borrow);
    borrow = 0;
    if (m > 60) {
        m = static_cast<std::uint16_t>(m + 60);
        borrow = 1;
    }
    auto h = static_cast<std::uint16_t>(end.hour - now.hour - borrow);
    if (h > 24) {
        h = static_cast<std::uint16_t>(h + 24);
    }
    return DurationText(h, m, s);
}

}  // namespace vantor

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace vantor {

enum class RowKind { Request, Answer, NoAnswer };

// One piece of a reply as it was read: when, and how many octets.
struct ReplyPiece {
    std::int64_t epochMs = 0;
    std::size_t count = 0;
};

// One row of the traffic monitor: a frame written, a reply collected, or a collection that
// found nothing.
struct MonitorRow {
    std::int64_t epochMs = 0;  // UTC: the frame written, the first piece, or the end of waiting
    std::int64_t sincePreviousMs = 0;
    RowKind kind = RowKind::Request;
    ByteArray bytes;
    std::vector<ReplyPiece> pieces;  // answers only
    unsigned waitedMs = 0;           // collections that found nothing
    std::string summary;
    std::string verdict;  // the poll tick's message when it did not accept the answer
};

enum MonitorColumn : std::size_t {
    kColumnTime,
    kColumnSincePrevious,
    kColumnDirection,
    kColumnBytes,
    kColumnSummary,
    kColumnCount
};

// The column captions and a row's texts, as the view and the saved file show them.
const std::array<const char*, kColumnCount>& MonitorColumnCaptions();
std::string RowColumnText(const MonitorRow& row, MonitorColumn column);
// The captions joined by tabs.
std::string TabHeaderLine();
// The row's columns joined by tabs (tabs and line ends inside a text become blanks).
std::string RowTabLine(const MonitorRow& row);

}  // namespace vantor

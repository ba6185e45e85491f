#include "monitor/MonitorRow.h"

#include <algorithm>

#include "monitor/MonitorText.h"
#include "platform/CalendarTime.h"

namespace vantor {

namespace {

std::string PiecesText(const std::vector<ReplyPiece>& pieces) {
    std::string text = "; пришёл частями:";
    for (const ReplyPiece& piece : pieces) {
        text += (&piece == &pieces.front() ? " " : ", ") +
                UtcText(CalendarFromEpochMs(piece.epochMs)) + " (" + OctetCount(piece.count) + ")";
    }
    return text;
}

std::string SummaryText(const MonitorRow& row) {
    if (row.kind == RowKind::NoAnswer) {
        return "нет ответа (ждали " + std::to_string(row.waitedMs) + " мс)" +
               (row.verdict.empty() ? "" : "; " + row.verdict);
    }
    std::string text = row.summary;
    if (row.pieces.size() > 1) {
        text += PiecesText(row.pieces);
    }
    if (!row.verdict.empty()) {
        text += "; не принят: " + row.verdict;
    }
    return text;
}

}  // namespace

const std::array<const char*, kColumnCount>& MonitorColumnCaptions() {
    static const std::array<const char*, kColumnCount> captions = {
        "Время UTC", "Интервал, мс", "Направление", "Байты", "Расшифровка"};
    return captions;
}

std::string RowColumnText(const MonitorRow& row, MonitorColumn column) {
    switch (column) {
        case kColumnTime:
            return UtcText(CalendarFromEpochMs(row.epochMs));
        case kColumnSincePrevious:
            return std::to_string(row.sincePreviousMs);
        case kColumnDirection:
            return row.kind == RowKind::Request ? "запрос" : "ответ";
        case kColumnBytes:
            return HexOctets(row.bytes);
        case kColumnSummary:
        case kColumnCount:
            break;
    }
    return SummaryText(row);
}

std::string TabHeaderLine() {
    std::string line;
    for (const char* caption : MonitorColumnCaptions()) {
        line += (line.empty() ? "" : "\t") + std::string(caption);
    }
    return line;
}

std::string RowTabLine(const MonitorRow& row) {
    std::string line;
    for (std::size_t column = 0; column < kColumnCount; ++column) {
        std::string text = RowColumnText(row, static_cast<MonitorColumn>(column));
        std::replace_if(
            text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; },
            ' ');
        line += (column == 0 ? "" : "\t") + text;
    }
    return line;
}

}  // namespace vantor

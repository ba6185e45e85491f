#include "support/SimulatorSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "polling/ControlIds.h"

namespace vantor::test {
namespace {

// The log's column label of a quantity as the simulator's record names it.
std::string RecordKey(const std::string& label) {
    if (label == "F") {
        return "f";
    }
    return label == "Ufcp" ? "Uф.cp" : label;
}

// What the log shows in the column labelled `label` for a record's codes: 0 for a quantity the
// answer did not carry.
std::string ServedText(const ServedRecord& served, const std::string& label) {
    const auto code = served.find(RecordKey(label));
    return CodeText(code == served.end() ? 0 : code->second);
}

// Whether every value column of `row` holds the code of one of the two records.
bool RowFromRecords(const std::vector<std::string>& row, const std::vector<std::string>& header,
                    const ServedRecord& first, const ServedRecord& second) {
    for (std::size_t c = 1; c < header.size(); ++c) {
        if (row[c] != ServedText(first, header[c]) && row[c] != ServedText(second, header[c])) {
            return false;
        }
    }
    return true;
}

// The transducer-clock column: hours and minutes from "thm", seconds from "tms".
std::string ClockColumn(const ServedRecord& served) {
    const long hm = served.at("thm");
    char seconds[16];
    std::snprintf(seconds, sizeof seconds, "%.2f", static_cast<double>(served.at("tms")) / 1000);
    std::string text = seconds;
    text[text.size() - 3] = ',';
    char column[32];
    std::snprintf(column, sizeof column, "%.2ld:%.2ld:%s", hm >> 8, hm & 0xFF, text.c_str());
    return column;
}

}  // namespace

void SimulatorSession::Start(const std::vector<std::string>& args, const std::string& sample) {
    std::vector<std::string> all = {"--record", record};
    all.insert(all.end(), args.begin(), args.end());
    sim = std::make_unique<SimProcess>(home, all);
    ASSERT_TRUE(sim->Ready()) << sim->Output();
    live = std::make_unique<LivePolling>(home);
    ASSERT_EQ(live->dlg.m_port.m_strPortName, "COM1");
    live->Load(sample);
}

void SimulatorSession::ExpectClockCommandSetsTheClock() {
    live->dlg.m_nPeriod = 50;
    live->dlg.OnSyncClock();
    ASSERT_TRUE(sim->WaitForOutput("clock ")) << sim->Output();
    EXPECT_LT(std::abs(ClockOffsetMs(sim->Output())), 1000) << sim->Output();
    EXPECT_EQ(live->Messages(), std::vector<std::string>{});
    EXPECT_TRUE(live->window.TimerRunning(kPollTimer));
}

void ExpectRowsMatchRecords(const LivePolling& live, const std::vector<ServedRecord>& served,
                            int cycles, bool transducerClock) {
    const auto header = live.LogHeader();
    const auto rows = live.LogRows();
    ASSERT_GT(header.size(), 1u);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(cycles));
    ASSERT_GE(served.size(), rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), header.size()) << "row " << r;
        if (transducerClock) {
            EXPECT_EQ(rows[r][0], ClockColumn(served[r])) << "row " << r;
        }
        for (std::size_t c = 1; c < header.size(); ++c) {
            EXPECT_EQ(rows[r][c], ServedText(served[r], header[c]))
                << "row " << r << " column " << header[c];
        }
    }
}

void ExpectRowsAreWholeCycles(const LivePolling& live, const std::vector<ServedRecord>& served) {
    const auto header = live.LogHeader();
    const auto rows = live.LogRows();
    ASSERT_GT(header.size(), 1u);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), header.size()) << "row " << r;
        bool whole = false;
        for (std::size_t s = 0; s < served.size() && !whole; ++s) {
            whole = RowFromRecords(rows[r], header, served[s],
                                   served[std::min(s + 1, served.size() - 1)]);
        }
        EXPECT_TRUE(whole) << "row " << r << " is no cycle the simulator served";
    }
}

long ClockOffsetMs(const std::string& simulatorOutput) {
    const auto at = simulatorOutput.rfind("offset ");
    return at == std::string::npos ? 1L << 30 : std::stol(simulatorOutput.substr(at + 7));
}

}  // namespace vantor::test

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "support/LivePolling.h"

namespace vantor::test {

// The simulator on a private home with a record of what it served, and the working state that
// finds it as "COM1".
class SimulatorSession {
protected:
    // Starts the simulator, then the working state, whose initialisation opens its port, and
    // loads the sample.
    void Start(const std::vector<std::string>& args, const std::string& sample);
    std::vector<ServedRecord> Served() const { return ReadServedRecords(record); }
    // The clock command at a short period: the simulator reports its clock set to within a
    // second of the computer's, nothing is shown, and polling starts afresh.
    void ExpectClockCommandSetsTheClock();

    TempHome home;
    std::string record = home.Path() + "/served.txt";
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<LivePolling> live;
};

// Every log row holds exactly the codes of the answer that completed its cycle (row i, the
// i-th answer that carried values); a quantity the answer did not carry shows 0. With
// `transducerClock` the time column must be the clock the answer carried.
void ExpectRowsMatchRecords(const LivePolling& live, const std::vector<ServedRecord>& served,
                            int cycles, bool transducerClock);

// Every log row is a whole cycle: each value is the code of one of two answers served in a row
// (a cycle of two blocks takes its values from both), so a row that mixes in what a broken
// cycle collected, which shifts the values, shows.
void ExpectRowsAreWholeCycles(const LivePolling& live, const std::vector<ServedRecord>& served);

// How far the simulator's clock ran from the computer's UTC clock when it was last set, from
// its "clock ... offset <ms> ms" report; a huge value when it reported none.
long ClockOffsetMs(const std::string& simulatorOutput);

}  // namespace vantor::test

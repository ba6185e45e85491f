#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/ItemList.h"
#include "config/Protocol.h"
#include "polling/ControlIds.h"
#include "support/ChildProcess.h"
#include "support/LivePolling.h"
#include "support/SimulatorSession.h"
#include "text/QuantityMatch.h"

namespace vantor::test {
namespace {

constexpr int kMaxTicks = 120;

std::string Joined(const std::vector<int>& numbers) {
    std::string text;
    for (const int n : numbers) {
        text += (text.empty() ? "" : ",") + std::to_string(n);
    }
    return text;
}

// The working state polls the independent library's secondary (on one end of a socat pair; the
// other is the home's "COM1") through the window's own handlers. The secondary serves the
// demonstration configuration's measured items, item k with a code of its own.
class Lib60870Slave : public testing::Test {
protected:
    void Start(const std::vector<std::string>& args) {
        items_.clear();
        std::filesystem::create_directories(home_.Path() + "/.vantor3/ports");
        const std::string slaveEnd = home_.Path() + "/slave";
        socat_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            "socat", "-d", "-d", "-T", "60", "pty,raw,echo=0,link=" + slaveEnd,
            "pty,raw,echo=0,link=" + home_.Path() + "/.vantor3/ports/com1"});
        ASSERT_TRUE(socat_->WaitForOutput("starting data transfer loop", 5000)) << socat_->Output();
        live_ = std::make_unique<LivePolling>(home_);
        ASSERT_EQ(live_->dlg.m_port.m_strPortName, "COM1");
        live_->Load("demo-iec.dat");

        std::vector<int> values;
        std::vector<int> groups;
        const CMorvikDlg& dlg = live_->dlg;
        const ItemList items(dlg.m_saItems);
        for (std::size_t k = 0; k < items.Count(); ++k) {
            if (items.IsClockItem(k)) {
                break;  // the clock items are the transducer's own, never polled
            }
            const std::string& name = items.Name(k);
            values.push_back(1000 + 100 * static_cast<int>(k));
            groups.push_back(dlg.m_baItemCot.at(k));
            if (const auto key = FindQuantityKey(name, dlg.m_saQtyKeys)) {
                items_.push_back({dlg.m_saQtyKeys[*key], values.back(), groups.back()});
            }
        }
        std::vector<std::string> argv = {
            VANTOR_IEC_SLAVE_PATH, "--port",   slaveEnd,      "--values",
            Joined(values),        "--groups", Joined(groups)};
        argv.insert(argv.end(), args.begin(), args.end());
        slave_ = std::make_unique<ChildProcess>(argv);
        ASSERT_TRUE(slave_->WaitForOutput("ready", 5000)) << slave_->Output();
    }

    TempHome home_;
    std::unique_ptr<ChildProcess> socat_;
    std::unique_ptr<ChildProcess> slave_;
    std::unique_ptr<LivePolling> live_;

    // The codes a cycle shows: with a group chosen, only the group's items carry theirs.
    ServedRecord Served(int group) const {
        ServedRecord record;
        for (const Item& item : items_) {
            if (group == 0 || item.group == kStationCause + group) {
                record[item.key] = item.code;
            }
        }
        return record;
    }

private:
    static constexpr int kStationCause = 20;
    struct Item {
        std::string key;
        int code;
        int group;
    };
    std::vector<Item> items_;
};

struct PollCase {
    const char* name;
    int mode;
    int group;
    std::vector<std::string> args;
    std::size_t cycles;
};

// Ten cycles in each mode log the served codes: the confirmations, terminations, interrogation
// data and read answers come from class 1, the periodic and background values from class 2, and
// "no data" in between is an empty answer.
TEST_F(Lib60870Slave, TenCyclesInEachModeLogTheServedValues) {
    const PollCase cases[] = {
        {"station interrogation", kIecGroupPolling, 0, {"--type", "9", "--sq", "0"}, 10},
        {"group 1 interrogation", kIecGroupPolling, 1, {"--type", "10", "--sq", "0"}, 3},
        {"read command", kIecReadCommand, 0, {"--type", "9", "--sq", "1"}, 10},
        {"class 2 requests", kIecLinkReading, 0, {"--type", "21", "--sq", "1"}, 10},
    };
    for (const PollCase& c : cases) {
        SCOPED_TRACE(c.name);
        live_.reset();
        slave_.reset();
        socat_.reset();
        ASSERT_NO_FATAL_FAILURE(Start(c.args));
        live_->dlg.m_nIecMode = c.mode;
        live_->dlg.m_iec.m_bReadAsUserData = TRUE;
        live_->window.combos[ctl::kGroupCombo] = c.group;
        live_->dlg.m_bSave = TRUE;
        live_->dlg.OnStart();
        ASSERT_EQ(live_->Messages(), std::vector<std::string>{}) << slave_->Output();
        for (int tick = 0; tick < kMaxTicks && live_->window.TimerRunning(kPollTimer) &&
                           live_->LogRows().size() < c.cycles;
             ++tick) {
            live_->Tick();
        }
        live_->dlg.OnStop();
        EXPECT_EQ(live_->Messages(), std::vector<std::string>{}) << slave_->Output();
        ExpectRowsMatchRecords(*live_, std::vector<ServedRecord>(c.cycles, Served(c.group)),
                               static_cast<int>(c.cycles), false);
    }
}

TEST_F(Lib60870Slave, ClockSynchronisationReachesTheSecondary) {
    ASSERT_NO_FATAL_FAILURE(Start({}));
    live_->dlg.m_nIecMode = kIecLinkReading;
    live_->dlg.m_nPeriod = 50;
    live_->dlg.OnSyncClock();
    EXPECT_EQ(live_->Messages(), std::vector<std::string>{}) << slave_->Output();
    ASSERT_TRUE(slave_->WaitForOutput(" ms\n", 3000)) << slave_->Output();
    const std::size_t at = slave_->Output().find("clock ");
    ASSERT_NE(at, std::string::npos) << slave_->Output();
    EXPECT_LT(std::abs(std::atol(slave_->Output().c_str() + at + 6)), 1000) << slave_->Output();
    EXPECT_TRUE(live_->window.TimerRunning(kPollTimer));  // polling starts afresh
}

TEST_F(Lib60870Slave, DelayAcquisitionShowsTheDelayAndSendsItBack) {
    ASSERT_NO_FATAL_FAILURE(Start({}));
    live_->dlg.m_nIecMode = kIecLinkReading;
    live_->dlg.m_nPeriod = 50;
    live_->dlg.OnMeasureDelay();
    EXPECT_EQ(live_->Messages(), std::vector<std::string>{}) << slave_->Output();
    EXPECT_GT(std::atoi(live_->dlg.m_strDelay.c_str()), 0);
    EXPECT_TRUE(slave_->WaitForOutput("delay received " + live_->dlg.m_strDelay + " ms", 3000))
        << slave_->Output();
    EXPECT_TRUE(live_->window.TimerRunning(kPollTimer));
}

}  // namespace
}  // namespace vantor::test

// The traffic monitor against the simulator: every frame the simulator traced is a row, in
// order, with its direction; and a capture written on the way is what tshark dissects.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "config/Protocol.h"
#include "monitor/MonitorRow.h"
#include "monitor/TrafficMonitor.h"
#include "polling/ControlIds.h"
#include "support/ChildProcess.h"
#include "support/SimulatorSession.h"

namespace vantor::test {
namespace {

using Frame = std::pair<std::string, std::string>;  // direction, octets

struct LineCase {
    const char* name;
    const char* sample;
    bool ascii;
    int iecMode;
    int group;
};

class MonitorOnTheLine : public SimulatorSession, public testing::TestWithParam<LineCase> {
protected:
    void StartWatched(std::vector<std::string> args) {
        const LineCase& c = GetParam();
        args.insert(args.end(), {"--config", std::string("samples/") + c.sample, "--trace"});
        ASSERT_NO_FATAL_FAILURE(Start(args, c.sample));
        if (c.ascii) {
            live->dlg.m_b8Bit = FALSE;
            live->dlg.m_strDataBits = "7";
        }
        live->dlg.m_nIecMode = c.iecMode;
        live->window.combos[ctl::kGroupCombo] = c.group;
        live->dlg.SetLineTrace(&monitor);
        live->dlg.m_pPollObserver = &monitor;
    }
    void TearDown() override {
        if (live) {
            live->dlg.SetLineTrace(nullptr);
            live->dlg.m_pPollObserver = nullptr;
        }
    }

    // The frames of the rows: what the master wrote and each reply it collected.
    std::vector<Frame> RowFrames() const {
        std::vector<Frame> frames;
        for (std::size_t i = 0; i < monitor.Rows().Size(); ++i) {
            const MonitorRow& row = monitor.Rows().Row(i);
            if (row.kind != RowKind::NoAnswer) {
                frames.emplace_back(row.kind == RowKind::Request ? "rx" : "tx",
                                    RowColumnText(row, kColumnBytes));
            }
        }
        return frames;
    }

    CTrafficMonitor monitor{[this] { return LineProtocolOf(live->dlg); }};
};

// The simulator's trace, "<time> rx|tx <octets>": what it received and what it sent.
std::vector<Frame> TracedFrames(const std::string& output) {
    std::vector<Frame> frames;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string stamp, direction, octets, octet;
        words >> stamp >> direction;
        if (direction != "rx" && direction != "tx") {
            continue;
        }
        while (words >> octet) {
            octets += (octets.empty() ? "" : " ") + octet;
        }
        frames.emplace_back(direction, octets);
    }
    return frames;
}

TEST_P(MonitorOnTheLine, EveryTracedFrameIsARowInOrder) {
    ASSERT_NO_FATAL_FAILURE(StartWatched({}));
    live->dlg.OnStart();
    for (int tick = 0; tick < 8; ++tick) {
        live->Tick();
    }
    live->dlg.OnStop();
    ASSERT_EQ(live->Messages(), std::vector<std::string>{});

    const std::vector<Frame> rows = RowFrames();
    ASSERT_FALSE(rows.empty());
    // The answer to the last request is on its way when polling stops; wait for its trace.
    sim->WaitForOutput(rows.back().second + "\n", 1000);
    sim->WaitForOutput("\n\n", 300);
    const std::vector<Frame> traced = TracedFrames(sim->Output());
    ASSERT_GE(traced.size(), rows.size());
    EXPECT_EQ(std::vector<Frame>(traced.begin(), traced.begin() + static_cast<long>(rows.size())),
              rows);
    EXPECT_LE(traced.size() - rows.size(), 1u) << "frames on the line the monitor did not show";
    EXPECT_EQ(monitor.Counters().Requests() - monitor.Counters().Answers(), 1u);
    for (std::size_t i = 0; i < monitor.Rows().Size(); ++i) {
        const std::string summary = RowColumnText(monitor.Rows().Row(i), kColumnSummary);
        EXPECT_EQ(summary.find("неверна"), std::string::npos) << summary;
        EXPECT_EQ(summary.find("короче"), std::string::npos) << summary;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MonitorOnTheLine,
    testing::Values(LineCase{"ModbusRtu", "demo.dat", false, 0, 0},
                    LineCase{"ModbusAscii", "demo.dat", true, 0, 0},
                    LineCase{"IecStationInterrogation", "demo-iec.dat", false, kIecGroupPolling, 0},
                    LineCase{"IecGroupInterrogation", "demo-iec.dat", false, kIecGroupPolling, 1},
                    LineCase{"IecReadCommand", "demo-iec.dat", false, kIecReadCommand, 0},
                    LineCase{"IecClass2Requests", "demo-iec.dat", false, kIecLinkReading, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Kept going, every third answer spoilt: polling goes on, the checksum errors are counted as
// they come, and the log holds only whole cycles.
TEST_P(MonitorOnTheLine, KeptGoingBadChecksumsAreCountedAndTheLogHoldsWholeCycles) {
    ASSERT_NO_FATAL_FAILURE(StartWatched({"--bad-crc-every", "3"}));
    live->dlg.SetKeepPollingOnErrors(true);
    live->dlg.m_bSave = TRUE;
    live->dlg.OnStart();
    const auto errors = [this] { return monitor.Counters().CountOf("Ошибка контрольной суммы"); };
    std::vector<unsigned> counted;
    for (int tick = 0; tick < 12; ++tick) {
        live->Tick();
        counted.push_back(errors());
    }
    EXPECT_TRUE(live->dlg.m_bRunning);
    live->dlg.OnStop();
    EXPECT_EQ(live->Messages(), std::vector<std::string>{});
    EXPECT_GE(counted.at(5), 1u) << monitor.Counters().Text();
    EXPECT_GT(counted.back(), counted.at(5)) << monitor.Counters().Text();
    const std::vector<ServedRecord> served = Served();
    EXPECT_GE(live->LogRows().size(), 1u);
    EXPECT_LT(live->LogRows().size(), served.size());
    ExpectRowsAreWholeCycles(*live, served);
}

// What tshark prints for a capture: one line per packet of the fields asked for.
std::vector<std::string> Tshark(const TempHome& home, const std::string& arguments) {
    const std::string command = "HOME='" + home.Path() + "' tshark " + arguments + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    for (std::size_t n; pipe != nullptr && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class MonitorCapture : public MonitorOnTheLine {
protected:
    // What tshark is to show for each frame the monitor captured, from the frame's own bytes:
    // the event (0x01 sent, 0x02 received), then for Modbus RTU the function, the start and
    // the count of a request; for FT1.2 the control field and, in a variable frame, the type
    // identification and the cause.
    std::vector<std::string> ExpectedLines(bool modbus) const {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < monitor.Rows().Size(); ++i) {
            const MonitorRow& row = monitor.Rows().Row(i);
            if (row.kind == RowKind::NoAnswer) {
                continue;
            }
            const ByteArray& b = row.bytes;
            const bool sent = row.kind == RowKind::Request;
            std::string line = sent ? "0x01," : "0x02,";
            char fields[64];
            if (modbus) {
                std::snprintf(fields, sizeof fields, sent ? "%u,%u,%u" : "%u,,", At(b, 1),
                              At(b, 2) << 8 | At(b, 3), At(b, 4) << 8 | At(b, 5));
            } else if (At(b, 0) == 0x10) {
                std::snprintf(fields, sizeof fields, "0x%02x,,", At(b, 1));
            } else {
                // One-octet link address: control, address, type, qualifier, cause.
                std::snprintf(fields, sizeof fields, "0x%02x,%u,%u", At(b, 4), At(b, 6),
                              At(b, 8) & 0x3F);
            }
            lines.push_back(line + fields);
        }
        return lines;
    }
};

// The capture read back by tshark with the decoding README gives.
TEST_P(MonitorCapture, TsharkDissectsItWithTheDecodingOfReadme) {
    ASSERT_NO_FATAL_FAILURE(StartWatched({}));
    const std::string path = home.Path() + "/capture.pcap";
    ASSERT_TRUE(monitor.StartCapture(path));
    live->dlg.OnStart();
    for (int tick = 0; tick < 6; ++tick) {
        live->Tick();
    }
    live->dlg.OnStop();
    monitor.StopCapture();
    ASSERT_EQ(live->Messages(), std::vector<std::string>{});

    const bool modbus = GetParam().iecMode < 0;
    std::string arguments = "-r '" + path + "' -T fields -E separator=, -e rtacser.eventtype ";
    if (modbus) {
        arguments +=
            "-d rtacser.data,mbrtu -e modbus.func_code -e modbus.reference_num "
            "-e modbus.word_cnt";
    } else {
        ASSERT_EQ(live->dlg.m_nIecAsduAddrSize, 1);
        const auto octets = [](int n) { return std::to_string(n) + " octet"; };
        arguments += "-d rtacser.data,iec60870_101 -o 'iec60870_101.linkaddr_len:" +
                     octets(live->dlg.m_nIecAsduAddrSize) +
                     "' -o 'iec60870_101.cot_len:" + octets(live->dlg.m_nIecCotSize) +
                     "' -o 'iec60870_101.asdu_addr_len:" + octets(live->dlg.m_nIecAsduAddrSize) +
                     "' -o 'iec60870_101.asdu_ioa_len:" + octets(live->dlg.m_nIecIoaSize) +
                     "' -e iec60870_101.ctrlfield -e iec60870_asdu.typeid -e "
                     "iec60870_asdu.causetx";
    }
    const std::vector<std::string> expected = ExpectedLines(modbus);
    ASSERT_GT(expected.size(), 6u);
    EXPECT_EQ(Tshark(home, arguments), expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, MonitorCapture,
                         testing::Values(LineCase{"ModbusRtu", "demo.dat", false, -1, 0},
                                         LineCase{"Iec", "demo-iec.dat", false, kIecGroupPolling,
                                                  0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantor::test

// A program killed outright while it logs keeps every row it completed: the helper polls the
// simulator with a log and announces each row once its tick has returned; the test kills it
// without warning and reads the file it left.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/ChildProcess.h"
#include "support/LivePolling.h"

namespace vantor::test {
namespace {

constexpr std::size_t kHeaderLines = 3;

// Lines of the file with their line ends, a last line without one included.
std::vector<std::string> RawLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = text.find('\n', from);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(from, next - from));
        from = next;
    }
    return lines;
}

std::vector<std::string> LogFiles(const TempHome& home) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(home.Path() + "/VantorTXT")) {
        files.push_back(entry.path().string());
    }
    return files;
}

// The number after the last "<word> " at a line start of the output that ends its line; 0 when
// there is none.
unsigned LastNumberAfter(const std::string& output, const std::string& word) {
    unsigned last = 0;
    const std::string prefix = word + " ";
    for (std::size_t at = output.find(prefix); at != std::string::npos;
         at = output.find(prefix, at + 1)) {
        const std::size_t end = output.find('\n', at);
        if ((at == 0 || output[at - 1] == '\n') && end != std::string::npos) {
            last = static_cast<unsigned>(std::stoul(output.substr(at + prefix.size())));
        }
    }
    return last;
}

TEST(KilledWhileLogging, EveryCompletedRowIsInTheFile) {
    TempHome home;
    SimProcess sim(home, {});
    ASSERT_TRUE(sim.Ready()) << sim.Output();
    ChildProcess helper({VANTOR_LOG_HELPER_PATH, home.Path(), "demo.dat"});
    ASSERT_TRUE(helper.WaitForOutput("row 8\n", 10000)) << helper.Output();
    const auto pid = static_cast<pid_t>(LastNumberAfter(helper.Output(), "pid"));
    ASSERT_GT(pid, 0);
    // Somewhere in the middle of a tick, not just after an announcement.
    std::this_thread::sleep_for(std::chrono::milliseconds(17));
    ASSERT_EQ(kill(pid, SIGKILL), 0);
    EXPECT_FALSE(helper.WaitForOutput("never printed", 5000));  // reads what is left
    const unsigned announced = LastNumberAfter(helper.Output(), "row");

    const auto logs = LogFiles(home);
    ASSERT_EQ(logs.size(), 1u);
    const auto lines = RawLines(logs[0]);
    ASSERT_GE(lines.size(), kHeaderLines);
    const std::string& header = lines[kHeaderLines - 1];
    const auto columns = std::count(header.begin(), header.end(), '\t');
    std::size_t complete = 0;
    for (std::size_t i = kHeaderLines; i < lines.size(); ++i) {
        const std::string& row = lines[i];
        if (row.size() >= 3 && row.compare(row.size() - 3, 3, "\t\r\n") == 0 &&
            std::count(row.begin(), row.end(), '\t') == columns) {
            ++complete;
        }
    }
    EXPECT_GE(complete, announced);
    // The tick that was running may have written its row before the kill, never more.
    EXPECT_LE(lines.size() - kHeaderLines, announced + 1u);
}

}  // namespace
}  // namespace vantor::test

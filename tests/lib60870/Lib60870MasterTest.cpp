#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/LivePolling.h"
#include "support/SimulatorSession.h"

namespace vantor::test {
namespace {

// The answers the independent primary decoded, one "asdu ..." line each.
std::vector<std::string> AsduLines(const std::string& output, const std::string& contains) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = output.find('\n', start);
        const std::string line = output.substr(start, end - start);
        if (line.rfind("asdu ", 0) == 0 && line.find(contains) != std::string::npos) {
            lines.push_back(line);
        }
        start = end == std::string::npos ? output.size() : end + 1;
    }
    return lines;
}

struct Behaviour {
    const char* name;
    std::vector<std::string> args;
};

void PrintTo(const Behaviour& behaviour, std::ostream* out) {
    *out << behaviour.name;
}

// The independent library's primary against the simulator, as the transducer and as a standard
// secondary: every step ends, and the library decodes what each answer carries.
class Lib60870Master : public testing::TestWithParam<Behaviour> {
protected:
    std::string RunSteps(const std::vector<std::string>& steps) {
        std::vector<std::string> args = {"--config", "samples/demo-iec.dat", "--type", "9"};
        args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
        sim_ = std::make_unique<SimProcess>(home_, args);
        EXPECT_TRUE(sim_->Ready()) << sim_->Output();
        std::vector<std::string> argv = {VANTOR_IEC_MASTER_PATH, "--port",
                                         home_.Path() + "/.vantor3/ports/com1", "--address", "5"};
        argv.insert(argv.end(), steps.begin(), steps.end());
        ChildProcess master(argv);
        master.WaitForOutput("done " + steps.back(), 30000);
        return master.Output();
    }

    TempHome home_;
    std::unique_ptr<SimProcess> sim_;
};

TEST_P(Lib60870Master, EveryStepEndsAndIsDecoded) {
    const std::vector<std::string> steps = {
        "link", "interrogation:20", "interrogation:21", "class2:3", "read:0", "clock", "delay"};
    const std::string output = RunSteps(steps);
    for (const std::string& step : steps) {
        EXPECT_NE(output.find("done " + step + "\n"), std::string::npos) << step << "\n" << output;
    }
    // Station interrogation: every item of the demonstration configuration; group 1: its six.
    EXPECT_EQ(AsduLines(output, "type=9 cause=20 negative=0 sq=0 objects=20 ").size(), 1u)
        << output;
    EXPECT_EQ(AsduLines(output, "type=9 cause=21 negative=0 sq=0 objects=6 ").size(), 1u) << output;
    EXPECT_EQ(AsduLines(output, "type=100 cause=10 ").size(), 2u) << output;
    // Class 2 answers and the read command's answer: the block from the first item on.
    EXPECT_GE(AsduLines(output, "type=9 cause=3 negative=0 sq=0 objects=20 ").size(), 3u) << output;
    EXPECT_EQ(AsduLines(output, "type=9 cause=5 negative=0 sq=0 objects=20 ").size(), 1u) << output;
    EXPECT_EQ(AsduLines(output, "type=103 cause=7 negative=0").size(), 1u) << output;
    EXPECT_EQ(AsduLines(output, "type=106 cause=7 negative=0").size(), 1u) << output;
    EXPECT_TRUE(sim_->WaitForOutput("clock ")) << sim_->Output();
    EXPECT_LT(std::abs(ClockOffsetMs(sim_->Output())), 1000) << sim_->Output();

    const std::size_t delay = output.find("\ndelay ");
    ASSERT_NE(delay, std::string::npos) << output;
    const std::string measured = output.substr(delay + 7, output.find(" ms", delay) - delay - 7);
    EXPECT_TRUE(sim_->WaitForOutput("delay received " + measured + " ms")) << sim_->Output();
}

INSTANTIATE_TEST_SUITE_P(Simulator, Lib60870Master,
                         testing::Values(Behaviour{"Transducer", {}},
                                         Behaviour{"StandardSecondary", {"--standard-secondary"}}),
                         [](const testing::TestParamInfo<Behaviour>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace vantor::test

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/LivePolling.h"
#include "text/Quantities.h"

namespace vantor::test {
namespace {

// The items of samples/demo.dat, registers 0 to 19 in this order.
const std::vector<std::string> kDemoKeys = {"Ua",  "Ub",  "Uc", "Ia", "Ib",  "Ic", "Uab",
                                            "Ubc", "Uca", "Pa", "Pb", "Pc",  "P",  "Qa",
                                            "Qb",  "Qc",  "Q",  "f",  "tms", "thm"};
constexpr int kDemoAddress = 5;

std::vector<long> Numbers(const std::string& commaSeparated) {
    std::vector<long> numbers;
    std::stringstream in(commaSeparated);
    for (std::string field; std::getline(in, field, ',');) {
        numbers.push_back(std::stol(field, nullptr, 0));
    }
    return numbers;
}

// The register values after the word "registers " in a peer's output, up to the line end.
std::vector<long> PrintedRegisters(const std::string& output) {
    const auto at = output.find("registers ");
    if (at == std::string::npos) {
        return {};
    }
    const auto end = output.find('\n', at);
    return Numbers(output.substr(at + 10, end - at - 10));
}

// Another Modbus master (pymodbus's serial client) reads the simulator's registers over the
// port link in RTU, and gets what the simulator recorded as served.
TEST(SimulatorWithAnotherMaster, ReadsTheRegisterMapInRtu) {
    TempHome home;
    const std::string record = home.Path() + "/served.txt";
    SimProcess sim(home, {"--config", "samples/demo.dat", "--record", record});
    ASSERT_TRUE(sim.Ready()) << sim.Output();
    ChildProcess client(
        {VANTOR_SYSTEM_PYTHON, VANTOR_SOURCE_DIR "/tests/integration/modbus_client.py", "--port",
         home.Path() + "/.vantor3/ports/com1", "--slave", std::to_string(kDemoAddress), "--start",
         "0", "--count", std::to_string(kDemoKeys.size())});
    ASSERT_TRUE(client.WaitForOutput("\n", 10000)) << client.Output();
    const std::vector<long> registers = PrintedRegisters(client.Output());
    const auto served = ReadServedRecords(record);
    ASSERT_EQ(served.size(), 1u) << client.Output();
    ASSERT_EQ(registers.size(), kDemoKeys.size()) << client.Output();
    for (std::size_t r = 0; r < kDemoKeys.size(); ++r) {
        EXPECT_EQ(registers[r], served[0].at(kDemoKeys[r]) & 0xFFFF) << kDemoKeys[r];
    }
    EXPECT_NEAR(registers[0], 5000, 100);    // a phase voltage near nominal
    EXPECT_NEAR(registers[17], 50000, 100);  // the frequency in thousandths of a hertz
}

// One complete cycle of samples/demo.dat against an independent slave (pymodbus on a socat
// pair whose master end is the port link) decodes exactly the registers it serves.
TEST(IndependentSlave, OneCycleOfTheDemoDecodesTheServedRegisters) {
    TempHome home;
    const std::string link = home.Path() + "/.vantor3/ports/com1";
    const std::string slaveEnd = home.Path() + "/slave";
    std::filesystem::create_directories(home.Path() + "/.vantor3/ports");
    ChildProcess socat({"socat", "-d", "-d", "-T", "30", "pty,raw,echo=0,link=" + slaveEnd,
                        "pty,raw,echo=0,link=" + link});
    ASSERT_TRUE(socat.WaitForOutput("starting data transfer loop", 5000)) << socat.Output();
    const std::string values =
        "4991,5002,5013,4870,4881,4892,5024,5035,5046,"
        "4401,4412,4423,4434,1801,1812,1823,1834,50012,37250,2585";
    ChildProcess slave({VANTOR_SYSTEM_PYTHON,
                        VANTOR_SOURCE_DIR "/tests/integration/modbus_slave.py", "--port", slaveEnd,
                        "--framer", "rtu", "--start", "0", "--registers", values});
    ASSERT_TRUE(slave.WaitForOutput("ready", 10000)) << slave.Output();

    LivePolling live(home);
    ASSERT_EQ(live.dlg.m_port.m_strPortName, "COM1");
    live.Load("demo.dat");
    live.dlg.OnStart();
    live.Tick();
    ASSERT_EQ(live.Messages(), std::vector<std::string>{}) << slave.Output();

    const std::vector<long> served = Numbers(values);
    const RawIndex raw[] = {kRawUa,  kRawUb,  kRawUc,  kRawIa, kRawIb, kRawIc,
                            kRawUab, kRawUbc, kRawUca, kRawPa, kRawPb, kRawPc,
                            kRawP,   kRawQa,  kRawQb,  kRawQc, kRawQ};
    for (std::size_t k = 0; k < std::size(raw); ++k) {
        EXPECT_EQ(live.dlg.m_raw[raw[k]], served[k]) << kDemoKeys[k];
    }
    EXPECT_EQ(live.dlg.m_dFreqRaw, 50012);
    EXPECT_EQ(live.dlg.m_nDevMs, 37250);
    EXPECT_EQ(live.dlg.m_nDevHour, 10);
    EXPECT_EQ(live.dlg.m_nDevMin, 25);
}

}  // namespace
}  // namespace vantor::test

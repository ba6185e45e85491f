// Loading a configuration of 255 items, the most a file can hold, as the file page does it:
// the reader applies the file to the working state (coefficients, units, captions, values
// refreshed), then the presence flags are recomputed. Once from memory, once from a file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "config/ByteStream.h"
#include "config/ItemList.h"
#include "polling/ConfigReader.h"
#include "polling/MorvikDlg.h"
#include "support/ConfigWriter.h"
#include "support/FakePlatform.h"
#include "support/RecordingWindow.h"
#include "text/Quantities.h"

namespace vantor::test {
namespace {

constexpr std::size_t kItems = 255;

// 253 measurement items over the 30 quantities, then the transducer clock; every section full.
ByteArray LargestConfiguration() {
    ConfigDescription d;
    for (std::size_t i = 0; i + 2 < kItems; ++i) {
        char address[8];
        std::snprintf(address, sizeof address, "%04zX", i);
        d.records.push_back(
            {std::string("Величина (") + kQuantityKeys[i % 30] + ")", address, "2"});
    }
    d.records.push_back({"Время (tms)", "0100", "2"});
    d.records.push_back({"Время (thm)", "0101", "2"});
    ProtocolSection protocol;
    protocol.groups.assign(kItems + 9, 20);
    d.protocol = protocol;
    MeasurementSection measurement;
    measurement.nominal = 4;
    measurement.attributes.assign(4 * (kItems - 2), 0);
    measurement.ratios = {100, 1, 1, 200, 1, 1};
    measurement.ranges.assign(2 * kItems + 18, 500);
    d.measurement = measurement;
    return WriteConfiguration(d);
}

struct Loading {
    FakePlatform fake;
    RecordingWindow window;
    CMorvikDlg dlg{window, fake.platform};
    Loading() { dlg.OnInitDialog(); }

    bool Check(benchmark::State& state) {
        if (ItemList(dlg.m_saItems).Count() != kItems || dlg.m_waRanges.empty()) {
            state.SkipWithError("the configuration was not read to its end");
            return false;
        }
        return true;
    }
};

void BM_LoadConfiguration255FromMemory(benchmark::State& state) {
    const ByteArray bytes = LargestConfiguration();
    Loading loading;
    for (auto _ : state) {
        loading.dlg.m_saDivisors.clear();
        CMemoryByteStream stream(bytes);
        ReadConfiguration(stream, loading.dlg);
        UpdateActiveQuantities(loading.dlg);
    }
    loading.Check(state);
}
BENCHMARK(BM_LoadConfiguration255FromMemory)->Unit(benchmark::kMicrosecond);

void BM_LoadConfiguration255FromFile(benchmark::State& state) {
    Loading loading;
    // In the fake paths' temporary folder, removed with it.
    const std::string path = loading.fake.paths.Root() + "/largest.dat";
    const ByteArray bytes = LargestConfiguration();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    for (auto _ : state) {
        loading.dlg.m_saDivisors.clear();
        CFileByteStream stream;
        stream.Open(path);
        ReadConfiguration(stream, loading.dlg);
        stream.Close();
        UpdateActiveQuantities(loading.dlg);
    }
    loading.Check(state);
}
BENCHMARK(BM_LoadConfiguration255FromFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantor::test

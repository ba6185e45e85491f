// The work of one complete poll cycle without its waits: taking the two answers, decoding them,
// converting the codes into display texts and writing the log row.
#include <benchmark/benchmark.h>

#include <string>

#include "config/ItemList.h"
#include "polling/MorvikDlg.h"
#include "support/FakePlatform.h"
#include "support/RecordingWindow.h"

namespace vantor::test {
namespace {

// The eighteen measurement items of a three-phase transducer and its clock, in two blocks.
const TextArray kItems = {"Напряжение фазы A (Ua)",
                          "100",
                          "2",
                          "Напряжение фазы B (Ub)",
                          "101",
                          "2",
                          "Напряжение фазы C (Uc)",
                          "102",
                          "2",
                          "Ток фазы A (Ia)",
                          "103",
                          "2",
                          "Ток фазы B (Ib)",
                          "104",
                          "2",
                          "Ток фазы C (Ic)",
                          "105",
                          "2",
                          "Напряжение AB (Uab)",
                          "106",
                          "2",
                          "Напряжение BC (Ubc)",
                          "107",
                          "2",
                          "Напряжение CA (Uca)",
                          "108",
                          "2",
                          "Мощность A (Pa)",
                          "109",
                          "2",
                          "Мощность B (Pb)",
                          "10A",
                          "2",
                          "Мощность C (Pc)",
                          "10B",
                          "2",
                          "Мощность (P)",
                          "10C",
                          "2",
                          "Реактивная A (Qa)",
                          "10D",
                          "2",
                          "Реактивная B (Qb)",
                          "10E",
                          "2",
                          "Реактивная C (Qc)",
                          "10F",
                          "2",
                          "Реактивная (Q)",
                          "110",
                          "2",
                          "Частота (f)",
                          "111",
                          "2",
                          "Время (tms)",
                          "200",
                          "2",
                          "Время (thm)",
                          "201",
                          "2"};

ByteArray Answer(std::size_t registers, std::uint16_t value) {
    ByteArray answer{5, 4};
    for (std::size_t r = 0; r < registers; ++r) {
        answer.push_back(static_cast<std::uint8_t>(value >> 8));
        answer.push_back(static_cast<std::uint8_t>(value + r));
    }
    return answer;
}

void CycleWork(benchmark::State& state, bool withLogRow) {
    FakePlatform fake;
    RecordingWindow window;
    CMorvikDlg dlg(window, fake.platform);
    dlg.OnInitDialog();
    dlg.m_saItems = kItems;
    dlg.m_saDivisors.assign(ItemList(kItems).Count(), "1");
    dlg.m_bPhysical = TRUE;
    if (withLogRow && !dlg.OpenLog()) {
        state.SkipWithError("the log cannot be created");
        return;
    }
    const ByteArray measurements = Answer(18, 0x1388);
    const ByteArray clock = Answer(2, 0x0D05);
    for (auto _ : state) {
        dlg.m_nItemIndex = 0;
        dlg.PlanNextBlock();
        dlg.TakeAnswer(measurements);
        dlg.PlanNextBlock();
        dlg.TakeAnswer(clock);
        dlg.RefreshValues();
        if (withLogRow) {
            dlg.WriteLogRow();
        }
        benchmark::DoNotOptimize(dlg.m_strUa.data());
    }
}

void BM_CycleDecodeAndConvert(benchmark::State& state) {
    CycleWork(state, false);
}
BENCHMARK(BM_CycleDecodeAndConvert);

// The row is synced to the disk, so this one measures the log folder's file system as well:
// on a RAM file system (TMPDIR=/dev/shm) it is the program's own work.
void BM_CycleWithLogRow(benchmark::State& state) {
    CycleWork(state, true);
}
BENCHMARK(BM_CycleWithLogRow);

}  // namespace
}  // namespace vantor::test

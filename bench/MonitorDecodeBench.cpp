// The traffic monitor's work for one frame: its description in words, and a whole row as the
// view and the saved file show it (the 40-register Modbus answer and a variable FT1.2 frame).
#include <benchmark/benchmark.h>

#include "monitor/FrameDecoder.h"
#include "monitor/MonitorRow.h"
#include "support/FakeSerialDevice.h"
#include "support/IecFrames.h"
#include "support/ModbusFrames.h"

namespace vantor {
namespace {

ByteArray RtuAnswer() {
    ByteArray body{5, 4, 80};
    for (std::uint8_t r = 0; r < 40; ++r) {
        body.insert(body.end(), {0x13, r});
    }
    return test::WithCrc(body);
}

ByteArray Ft12Answer() {
    return test::Framed(test::Hex("08 01 09 82 14 01 00 01 10 27 00 A0 0F 00"));
}

void DescribeOne(benchmark::State& state, Transport transport, const ByteArray& frame) {
    const LineProtocol line{transport, {1, 2, 1}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(DescribeFrame(line, TraceDirection::Received, frame));
    }
}

void BM_DescribeRtuAnswer(benchmark::State& state) {
    DescribeOne(state, Transport::ModbusRtu, RtuAnswer());
}
BENCHMARK(BM_DescribeRtuAnswer);

void BM_DescribeAsciiAnswer(benchmark::State& state) {
    DescribeOne(state, Transport::ModbusAscii, test::Bytes(test::AsciiOf(RtuAnswer())));
}
BENCHMARK(BM_DescribeAsciiAnswer);

void BM_DescribeFt12Answer(benchmark::State& state) {
    DescribeOne(state, Transport::Iec101, Ft12Answer());
}
BENCHMARK(BM_DescribeFt12Answer);

// The texts of every column of one row, as the view asks for them when it paints the row.
void BM_RowColumnsRtuAnswer(benchmark::State& state) {
    MonitorRow row;
    row.kind = RowKind::Answer;
    row.bytes = RtuAnswer();
    row.summary = DescribeFrame({Transport::ModbusRtu, {}}, TraceDirection::Received, row.bytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RowTabLine(row));
    }
}
BENCHMARK(BM_RowColumnsRtuAnswer);

}  // namespace
}  // namespace vantor

// Building a poll request and parsing a 40-register answer, in each Modbus framing.
#include <benchmark/benchmark.h>

#include <string>

#include "modbus/AsciiFrame.h"
#include "modbus/ModbusChecksums.h"
#include "modbus/ModbusHex.h"
#include "modbus/RtuFrame.h"

namespace vantor {
namespace {

constexpr std::uint8_t kDevice = 5;
constexpr std::uint8_t kRegisters = 40;

ByteArray AnswerBytes() {
    ByteArray bytes{kDevice, 4, 2 * kRegisters};
    for (std::uint8_t r = 0; r < kRegisters; ++r) {
        bytes.push_back(0x13);
        bytes.push_back(r);
    }
    return bytes;
}

ByteArray RtuAnswer() {
    ByteArray frame = AnswerBytes();
    const std::uint16_t crc = Crc16(frame);
    frame.push_back(static_cast<std::uint8_t>(crc));
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    return frame;
}

ByteArray AsciiAnswer() {
    const ByteArray bytes = AnswerBytes();
    std::string text = ":";
    for (std::uint8_t b : bytes) {
        text += ByteToHex(b);
    }
    text += ByteToHex(Lrc(bytes)) + "\r\n";
    return ByteArray(text.begin(), text.end());
}

// One poll exchange's codec work: the request built, the answer checked and decoded.
template <typename Build, typename Parse>
void RequestAndAnswer(benchmark::State& state, const ByteArray& answer, Build build, Parse parse) {
    ByteArray check;
    if (parse(answer, check) != 0) {
        state.SkipWithError("the answer does not parse");
        return;
    }
    for (auto _ : state) {
        const auto request = build(kDevice, 4, 0x100, ByteArray{0x00, kRegisters});
        ByteArray reply;
        const std::uint8_t code = parse(answer, reply);
        benchmark::DoNotOptimize(request.data());
        benchmark::DoNotOptimize(code);
        benchmark::DoNotOptimize(reply.data());
    }
}

void BM_RtuRequestAndAnswer(benchmark::State& state) {
    RequestAndAnswer(state, RtuAnswer(), BuildRtuRequest, ParseRtuReply);
}
BENCHMARK(BM_RtuRequestAndAnswer);

void BM_AsciiRequestAndAnswer(benchmark::State& state) {
    RequestAndAnswer(state, AsciiAnswer(), BuildAsciiRequest, ParseAsciiReply);
}
BENCHMARK(BM_AsciiRequestAndAnswer);

}  // namespace
}  // namespace vantor

// One tick of the poll timer without its waits: the fake clock sleeps at once and the fake
// device has the transducer's answer ready. The tick collects and checks the answer, takes it
// and, as the demonstration configuration is one block, completes the cycle (decoding,
// conversion, display texts), then builds and writes the next request: a tick is a cycle.
#include <benchmark/benchmark.h>

#include <string>

#include "config/ByteStream.h"
#include "polling/ConfigReader.h"
#include "modbus/ModbusChecksums.h"
#include "modbus/ModbusHex.h"
#include "polling/ControlIds.h"
#include "polling/MorvikDlg.h"
#include "support/FakePlatform.h"
#include "support/RecordingWindow.h"

namespace vantor::test {
namespace {

// The register bytes of an answer to a function-4 request for `count` registers.
ByteArray AnswerBody(const ByteArray& request, std::size_t count) {
    ByteArray body{request.at(0), 4, static_cast<std::uint8_t>(2 * count)};
    for (std::size_t r = 0; r < count; ++r) {
        body.push_back(0x13);
        body.push_back(static_cast<std::uint8_t>(0x88 + r));
    }
    return body;
}

TimedReply RtuAnswer(const ByteArray& request) {
    ByteArray frame = AnswerBody(request, request.at(5));
    const std::uint16_t crc = Crc16(frame);
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    return Reply(frame);
}

TimedReply AsciiAnswer(const ByteArray& request) {
    // ":aaffssssnnnnLL\r\n": the quantity is the two characters of bytes 9 to 12.
    const std::size_t count = HexToByte(request.at(11), request.at(12));
    const ByteArray address{HexToByte(request.at(1), request.at(2))};
    const ByteArray body = AnswerBody(address, count);
    std::string text = ":";
    for (const std::uint8_t byte : body) {
        text += ByteToHex(byte);
    }
    text += ByteToHex(Lrc(body)) + "\r\n";
    return Reply(ByteArray(text.begin(), text.end()));
}

void PollTicks(benchmark::State& state, bool ascii) {
    FakePlatform fake;
    FakeSerialDevice& com1 = fake.serial.Add(FakePaths::FakePortPath(1));
    com1.SetResponder(ascii ? AsciiAnswer : RtuAnswer);
    RecordingWindow window;
    CMorvikDlg dlg(window, fake.platform);
    dlg.OnInitDialog();
    CFileByteStream stream;
    if (!stream.Open(std::string(VANTOR_SOURCE_DIR) + "/samples/demo.dat")) {
        state.SkipWithError("no samples/demo.dat");
        return;
    }
    ReadConfiguration(stream, dlg);
    UpdateActiveQuantities(dlg);
    dlg.m_strConfigName = "demo.dat";
    dlg.m_bPhysical = TRUE;
    if (ascii) {
        dlg.m_b8Bit = FALSE;
        dlg.m_strDataBits = "7";
    }
    dlg.OnStart();
    for (auto _ : state) {
        dlg.OnTimer(kPollTimer);
        com1.ClearWrites();
    }
    if (!window.messages.empty() || !dlg.m_bRunning) {
        state.SkipWithError("polling stopped: the answers were refused");
    }
    benchmark::DoNotOptimize(dlg.m_strUa.data());
}

void BM_PollTickRtu(benchmark::State& state) {
    PollTicks(state, false);
}
BENCHMARK(BM_PollTickRtu);

void BM_PollTickAscii(benchmark::State& state) {
    PollTicks(state, true);
}
BENCHMARK(BM_PollTickAscii);

}  // namespace
}  // namespace vantor::test

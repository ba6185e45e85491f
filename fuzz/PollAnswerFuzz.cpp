// Whole poll ticks on answers from the line: the demonstration configurations are polled over
// Modbus RTU, Modbus ASCII and IEC 60870-5-101, and every frame written is answered with the
// next answer of the input. Most answers get a sound checksum and framing added, so that they
// pass the receivers and reach the decoding of the cycle, the conversion and the display texts.
//
// Input: a mode byte (bits 0-1 transport, bit 3 physical units, bits 4-7 IEC polling mode),
// then answers, each a kind byte, a length byte and that many bytes. Kind 3 is sent as it is;
// any other kind is framed: Modbus gets its CRC or LRC (and the ASCII characters); IEC
// 60870-5-101 gets a variable frame (kind 0), a fixed frame (kind 1) or the single character
// (kind 2).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <fstream>
#include <iterator>
#include <span>
#include <string>

#include "FuzzSupport.h"
#include "config/ByteStream.h"
#include "polling/ConfigReader.h"
#include "modbus/ModbusChecksums.h"
#include "modbus/ModbusHex.h"
#include "polling/ControlIds.h"
#include "polling/MorvikDlg.h"

using namespace vantor;
using namespace vantor::fuzz;

namespace {

enum class Line { Rtu, Ascii, Iec };

constexpr int kMostTicks = 24;

ByteArray Framed(Line line, std::uint8_t kind, std::span<const std::uint8_t> body) {
    ByteArray frame(body.begin(), body.end());
    if (kind % 4 == 3) {
        return frame;
    }
    switch (line) {
        case Line::Rtu: {
            const std::uint16_t crc = Crc16(frame);
            frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
            frame.push_back(static_cast<std::uint8_t>(crc >> 8));
            return frame;
        }
        case Line::Ascii: {
            std::string text = ":";
            for (const std::uint8_t byte : body) {
                text += ByteToHex(byte);
            }
            text += ByteToHex(Lrc(body)) + "\r\n";
            return ByteArray(text.begin(), text.end());
        }
        case Line::Iec:
            break;
    }
    if (kind % 4 == 2) {
        return {0xE5};
    }
    std::uint8_t sum = 0;
    for (const std::uint8_t byte : body) {
        sum = static_cast<std::uint8_t>(sum + byte);
    }
    ByteArray out;
    if (kind % 4 == 0) {
        const auto length = static_cast<std::uint8_t>(body.size());
        out = {0x68, length, length, 0x68};
    } else {
        out = {0x10};
    }
    out.insert(out.end(), body.begin(), body.end());
    out.push_back(sum);
    out.push_back(0x16);
    return out;
}

ByteArray ReadSample(const char* name) {
    std::ifstream file(std::string(VANTOR_SOURCE_DIR) + "/samples/" + name, std::ios::binary);
    const ByteArray bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    FUZZ_CHECK(!bytes.empty());
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ByteArray modbusSample = ReadSample("demo.dat");
    static const ByteArray iecSample = ReadSample("demo-iec.dat");

    FuzzInput input(data, size);
    const std::uint8_t mode = input.Byte();
    const auto line = static_cast<Line>((mode & 0x03) % 3);
    std::deque<ByteArray> answers;
    while (!input.Rest().empty()) {
        const std::uint8_t kind = input.Byte();
        const std::size_t length = std::min<std::size_t>(input.Byte(), input.Rest().size());
        answers.push_back(Framed(line, kind, input.Rest().first(length)));
        for (std::size_t i = 0; i < length; ++i) {
            input.Byte();
        }
    }

    QuietSurroundings surroundings;
    CMorvikDlg dlg(surroundings.window, surroundings.platform);
    dlg.OnInitDialog();
    CMemoryByteStream stream(line == Line::Iec ? iecSample : modbusSample);
    ReadConfiguration(stream, dlg);
    UpdateActiveQuantities(dlg);
    dlg.m_strConfigName = "demo";
    dlg.m_bPhysical = (mode & 0x08) != 0 ? TRUE : FALSE;
    dlg.m_nIecMode = (mode >> 4) % 3;
    if (line == Line::Ascii) {
        dlg.m_b8Bit = FALSE;
        dlg.m_strDataBits = "7";
    }
    AnswerDevice device(answers);
    dlg.m_port.m_strPortName = "COM1";
    dlg.m_port.m_hCom = ComHandle::Of(&device);

    // As the window dispatches them: an index error abandons the handler and stops polling.
    const auto dispatch = [&](auto handler) {
        try {
            handler();
            return true;
        } catch (const InvalidArgument&) {
            dlg.OnStop();
            return false;
        }
    };
    if (!dispatch([&] { dlg.OnStart(); })) {
        return 0;
    }
    for (int tick = 0; tick < kMostTicks && dlg.m_bRunning &&
                       (device.AnswersLeft() || device.BytesWaiting() != 0);
         ++tick) {
        if (!dispatch([&] { dlg.OnTimer(kPollTimer); })) {
            break;
        }
    }
    return 0;
}

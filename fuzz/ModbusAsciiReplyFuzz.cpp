// Modbus ASCII replies: the pure parser on the characters as they came, and the port's
// receiver on the same characters arriving in pieces. The receiver must take exactly what fits
// into its collection buffer and decide exactly as the parser does on those characters.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "modbus/AsciiFrame.h"
#include "modbus/ModbusHex.h"
#include "modbus/ModbusReply.h"

using namespace vantor;
using namespace vantor::fuzz;

namespace {

void CheckShape(std::span<const std::uint8_t> chars, std::uint8_t code, const ByteArray& reply) {
    const std::size_t n = chars.size();
    if (n < 5) {
        FUZZ_CHECK(code == kModbusTooShort && reply.empty());
    } else if (chars[0] != ':') {
        FUZZ_CHECK(code == kModbusBadStart && reply.empty());
    } else if (chars[n - 1] != '\n') {
        FUZZ_CHECK(code == kModbusBadEnd && reply.empty());
    } else if (reply.empty()) {
        FUZZ_CHECK(code == kModbusBadChecksum);
    } else {
        FUZZ_CHECK(reply.size() >= 2 && reply[0] == HexToByte(chars[1], chars[2]) &&
                   reply[1] == HexToByte(chars[3], chars[4]));
        if (reply[1] >= 128) {
            FUZZ_CHECK(reply.size() == 4 && reply[2] == 0 && reply[3] == 0);
        } else {
            FUZZ_CHECK(code == kModbusAccepted);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> chars(data, size);
    const auto collected = chars.first(std::min(size, kAccumBufferSize));

    ByteArray parsed;
    const auto code = CodeOrRefusal([&] { return ParseAsciiReply(collected, parsed); });
    if (code) {
        CheckShape(collected, *code, parsed);
    }

    ReplayPort replay(chars, PieceSizeFor(size));
    ByteArray received;
    const auto receivedCode =
        CodeOrRefusal([&] { return replay.port.ReceiveAsciiReply(received); });
    FUZZ_CHECK(replay.line.device.Delivered() == collected.size());
    FUZZ_CHECK(receivedCode == code);
    if (code) {
        FUZZ_CHECK(received == parsed);
    }
    return 0;
}

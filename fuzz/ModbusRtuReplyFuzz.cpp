// Modbus RTU replies: the pure parser on the bytes as they came, and the port's receiver on
// the same bytes arriving in pieces. The receiver must take exactly what fits into its
// collection buffer and decide exactly as the parser does on those bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "modbus/ModbusReply.h"
#include "modbus/RtuFrame.h"

using namespace vantor;
using namespace vantor::fuzz;

namespace {

void CheckShape(std::span<const std::uint8_t> bytes, std::uint8_t code, const ByteArray& reply) {
    if (bytes.size() < 5) {
        FUZZ_CHECK(code == kModbusTooShort && reply.empty());
        return;
    }
    if (reply.empty()) {
        FUZZ_CHECK(code == kModbusBadChecksum);
        return;
    }
    FUZZ_CHECK(reply.size() >= 2 && reply[0] == bytes[0] && reply[1] == bytes[1]);
    const std::uint8_t function = bytes[1];
    if (function >= 128) {
        FUZZ_CHECK(reply.size() == 4 && reply[2] == 0 && reply[3] == 0);
        FUZZ_CHECK(code == static_cast<std::uint8_t>(bytes[2] + kModbusExceptionBase));
        return;
    }
    FUZZ_CHECK(code == kModbusAccepted);
    if (function == 3 || function == 4) {
        // The register bytes, as they came, without the byte count.
        FUZZ_CHECK(reply.size() == 2u + bytes[2] &&
                   std::equal(reply.begin() + 2, reply.end(), bytes.begin() + 3));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto collected = bytes.first(std::min(size, kAccumBufferSize));

    ByteArray parsed;
    const auto code = CodeOrRefusal([&] { return ParseRtuReply(collected, parsed); });
    if (code) {
        CheckShape(collected, *code, parsed);
    }

    ReplayPort replay(bytes, PieceSizeFor(size));
    ByteArray received;
    const auto receivedCode = CodeOrRefusal([&] { return replay.port.ReceiveRtuReply(received); });
    FUZZ_CHECK(replay.line.device.Delivered() == collected.size());
    FUZZ_CHECK(receivedCode == code);
    if (code) {
        FUZZ_CHECK(received == parsed);
    }
    return 0;
}

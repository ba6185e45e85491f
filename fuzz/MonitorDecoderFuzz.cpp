// The traffic monitor on any bytes: the first byte chooses the framing (low two bits) and the
// IEC 60870-5-101 field sizes (the bits above), the rest is what the line carried. Every frame
// is described in both directions without an exception, and as rows of the monitor it keeps
// one line per row in the saved text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "monitor/FrameDecoder.h"
#include "monitor/TrafficMonitor.h"

using namespace vantor;
using namespace vantor::fuzz;

namespace {

LineProtocol ProtocolOf(std::uint8_t steer) {
    constexpr Transport kTransports[] = {Transport::ModbusRtu, Transport::ModbusAscii,
                                         Transport::Iec101, Transport::Iec101};
    const IecFieldSizes sizes{static_cast<std::uint8_t>(1 + (steer >> 2 & 1)),
                              static_cast<std::uint8_t>(steer >> 3 & 3),
                              static_cast<std::uint8_t>(1 + (steer >> 5 & 1))};
    return {kTransports[steer & 3], sizes};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const LineProtocol line = ProtocolOf(input.Byte());
    const std::span<const std::uint8_t> frame = input.Rest();
    for (const TraceDirection direction : {TraceDirection::Sent, TraceDirection::Received}) {
        const std::string text = DescribeFrame(line, direction, frame);
        FUZZ_CHECK(!text.empty());
    }

    // The same bytes written, then read back in two pieces.
    CTrafficMonitor monitor([line] { return line; });
    SystemTime utc;
    monitor.OnTraffic(TraceDirection::Sent, utc, frame.data(), frame.size());
    const std::size_t half = frame.size() / 2;
    monitor.OnTraffic(TraceDirection::Received, utc, frame.data(), half);
    monitor.OnTraffic(TraceDirection::Received, utc, frame.data() + half, frame.size() - half);
    monitor.OnCollectionEnd(utc, 75);
    monitor.OnAnswerStatus(static_cast<std::uint8_t>(size));
    // A request and its answer, or a collection that found nothing.
    FUZZ_CHECK(monitor.Rows().Size() == 2);
    for (std::size_t i = 0; i < monitor.Rows().Size(); ++i) {
        const std::string row = RowTabLine(monitor.Rows().Row(i));
        FUZZ_CHECK(std::count(row.begin(), row.end(), '\t') == kColumnCount - 1);
        FUZZ_CHECK(row.find('\n') == std::string::npos && row.find('\r') == std::string::npos);
    }
    return 0;
}

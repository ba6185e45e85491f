#include "monitor/FrameDecoder.h"

namespace vantor {

std::string DescribeFrame(const LineProtocol& line, TraceDirection direction,
                          std::span<const std::uint8_t> bytes) {
    switch (line.transport) {
        case Transport::ModbusAscii:
            return DescribeModbusAscii(direction, bytes);
        case Transport::ModbusRtu:
            return DescribeModbusRtu(direction, bytes);
        case Transport::Iec101:
            return DescribeFt12(line.iec, bytes);
    }
    return {};
}

}  // namespace vantor

#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "iec101/ParameterBlock.h"
#include "monitor/LineProtocol.h"
#include "serial/LineTrace.h"

namespace vantor {

// One frame on the line told in words, for the traffic monitor. Any bytes give a text: a
// frame too short for its fields says where it ends, unknown codes show as numbers.
std::string DescribeFrame(const LineProtocol& line, TraceDirection direction,
                          std::span<const std::uint8_t> bytes);

// The framings one by one; a Modbus request is what the master sends.
std::string DescribeModbusRtu(TraceDirection direction, std::span<const std::uint8_t> bytes);
std::string DescribeModbusAscii(TraceDirection direction, std::span<const std::uint8_t> bytes);
std::string DescribeFt12(const IecFieldSizes& sizes, std::span<const std::uint8_t> bytes);

}  // namespace vantor

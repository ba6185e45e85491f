#pragma once

#include "config/Protocol.h"
#include "platform/Types.h"

namespace vantor {

enum class Transport { ModbusAscii, ModbusRtu, Iec101 };

// The one place that decides how the line is spoken. With 7 data bits only Modbus ASCII fits
// the line, whatever the protocol buttons show.
constexpr Transport ChooseTransport(BOOL eightBit, int protocol) {
    if (!eightBit) {
        return Transport::ModbusAscii;
    }
    return protocol == kIecProtocol ? Transport::Iec101 : Transport::ModbusRtu;
}

}  // namespace vantor

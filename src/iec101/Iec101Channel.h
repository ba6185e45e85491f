#pragma once

#include "serial/SerialIo.h"

namespace vantor {

// The IEC 60870-5-101 master channel (unbalanced, FT1.2). It never opens a port: the polling
// copies the port's handle into m_hCom before every exchange.
class CIec101Channel : public CSerialIo {
public:
    explicit CIec101Channel(IClock& clock) : CSerialIo(clock) {}
};

}  // namespace vantor

#pragma once

#include "platform/Types.h"
#include "polling/IecTransport.h"
#include "polling/ModbusTransport.h"
#include "polling/Transport.h"

namespace vantor {

class CMorvikDlg;

// The three transports of one working state. They hold no state of their own between calls,
// so switching the line settings between two ticks switches the transport cleanly.
class CTransports {
public:
    explicit CTransports(CMorvikDlg& dlg)
        : m_ascii(dlg, kModbusAscii), m_rtu(dlg, kModbusRtu), m_iec(dlg) {}

    // The transport ChooseTransport names for these settings.
    ITransport& Chosen(BOOL eightBit, int protocol);
    // The transport of the protocol choice as on a line of 8 data bits, for a command that
    // belongs to a protocol rather than to the line's framing.
    ITransport& ChosenProtocol(int protocol) { return Chosen(TRUE, protocol); }

private:
    CModbusTransport m_ascii;
    CModbusTransport m_rtu;
    CIecTransport m_iec;
};

}  // namespace vantor

#pragma once

#include <cstdint>

#include "platform/Types.h"
#include "polling/Transport.h"
#include "serial/ComPort.h"

namespace vantor {

class CMorvikDlg;

// What tells the two Modbus framings apart: the port's request and reply operations, and how
// long the answer to the clock write may take.
struct ModbusFraming {
    void (CComPort::*sendRequest)(std::uint8_t device, std::uint8_t function, std::uint16_t start,
                                  const ByteArray& data);
    std::uint8_t (CComPort::*receiveReply)(ByteArray& reply);
    unsigned clockAnswerWaitMs;
};

inline constexpr ModbusFraming kModbusRtu{&CComPort::SendRtuRequest, &CComPort::ReceiveRtuReply,
                                          350};
inline constexpr ModbusFraming kModbusAscii{&CComPort::SendAsciiRequest,
                                            &CComPort::ReceiveAsciiReply, 500};

// Modbus RTU or ASCII, by its framing: function 4 for every poll request, function 16 for the
// clock, every answer "requested", no delay command.
class CModbusTransport : public ITransport {
public:
    CModbusTransport(CMorvikDlg& dlg, const ModbusFraming& framing)
        : m_dlg(dlg), m_framing(framing) {}

    void SendFirstRequest() override;
    CollectedAnswer CollectAnswer(ByteArray& answer) override;
    void SendNextRequest(std::uint8_t cause) override;
    void RestartCycle() override { SendPollRequest(); }
    void SyncClock(std::uint16_t clockRegister) override;
    void MeasureDelay() override {}

private:
    void SendPollRequest();
    void SendRequest(std::uint8_t function, std::uint16_t start, const ByteArray& data);
    std::uint8_t ReceiveReply(ByteArray& reply);

    CMorvikDlg& m_dlg;
    const ModbusFraming& m_framing;
};

}  // namespace vantor

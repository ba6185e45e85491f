#include "polling/ModbusTransport.h"

#include "iec101/AsduCodec.h"
#include "polling/MorvikDlg.h"

namespace vantor {

namespace {

constexpr std::uint8_t kReadInputRegisters = 4;
constexpr std::uint8_t kWriteMultipleRegisters = 16;

// The answer from its third byte on must repeat the register address and the data written.
bool EchoMatches(const ByteArray& answer, std::uint16_t reg, const ByteArray& data) {
    ByteArray expected{static_cast<std::uint8_t>(reg >> 8), static_cast<std::uint8_t>(reg & 0xFF)};
    expected.insert(expected.end(), data.begin(), data.end());
    for (std::size_t i = 2; i < answer.size(); ++i) {
        if (answer[i] != At(expected, i - 2)) {
            return false;
        }
    }
    return true;
}

}  // namespace

void CModbusTransport::SendFirstRequest() {
    SendPollRequest();
}

CollectedAnswer CModbusTransport::CollectAnswer(ByteArray& answer) {
    // A Modbus answer can only be the one requested.
    return {ReceiveReply(answer), kCauseRequest};
}

void CModbusTransport::SendNextRequest(std::uint8_t) {
    SendPollRequest();
}

void CModbusTransport::SyncClock(std::uint16_t clockRegister) {
    ByteArray data{0x00, 0x03, 0x07};
    m_dlg.m_port.AppendClockData(data);
    SendRequest(kWriteMultipleRegisters, clockRegister, data);
    m_dlg.Services().clock.Sleep(m_framing.clockAnswerWaitMs);
    ByteArray answer;
    if (ReceiveReply(answer) != 0) {
        m_dlg.ShowError("Ошибка связи");
    } else if (!EchoMatches(answer, clockRegister, data)) {
        m_dlg.ShowError("Ошибка при синхронизации часов");
    }
    m_dlg.OnStart();
}

void CModbusTransport::SendPollRequest() {
    const ByteArray quantity{0x00, static_cast<std::uint8_t>(m_dlg.m_nBlockCount)};
    SendRequest(kReadInputRegisters, static_cast<std::uint16_t>(m_dlg.m_nBlockAddr), quantity);
}

void CModbusTransport::SendRequest(std::uint8_t function, std::uint16_t start,
                                   const ByteArray& data) {
    const auto device = static_cast<std::uint8_t>(m_dlg.m_nDevAddr);
    (m_dlg.m_port.*m_framing.sendRequest)(device, function, start, data);
}

std::uint8_t CModbusTransport::ReceiveReply(ByteArray& reply) {
    return (m_dlg.m_port.*m_framing.receiveReply)(reply);
}

}  // namespace vantor

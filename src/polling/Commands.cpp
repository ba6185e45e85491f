#include <optional>
#include <string>

#include "config/ItemList.h"
#include "polling/IecExchange.h"
#include "polling/MorvikDlg.h"
#include "polling/Transport.h"
#include "text/QuantityMatch.h"
#include "text/TextNumbers.h"

namespace vantor {

namespace {

constexpr const char* kErrorCaption = "Ошибка";
constexpr std::uint8_t kWriteMultipleRegisters = 16;
constexpr unsigned kAsciiAnswerWaitMs = 500;
constexpr unsigned kRtuAnswerWaitMs = 350;
constexpr unsigned kIecAnswerWaitMs = 350;

void ShowError(CMorvikDlg& dlg, const char* text) {
    dlg.Window().MessageBox(text, kErrorCaption, MessageIcon::None);
}

// Stops the poll timer and lets the answer to the outstanding poll request arrive.
void SuspendPolling(CMorvikDlg& dlg) {
    dlg.Window().KillTimer(kPollTimer);
    dlg.Services().clock.Sleep(dlg.m_nPeriod);
}

// Takes away whatever waits in the input queue, the answer to the last poll request included.
void DrainInput(CMorvikDlg& dlg) {
    ByteArray stale;
    dlg.m_port.ReceiveAsciiReply(stale);
}

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

void WriteModbusClock(CMorvikDlg& dlg, Transport transport, std::uint16_t reg) {
    ByteArray data{0x00, 0x03, 0x07};
    dlg.m_port.AppendClockData(data);
    const auto device = static_cast<std::uint8_t>(dlg.m_nDevAddr);
    ByteArray answer;
    std::uint8_t code = 0;
    if (transport == Transport::ModbusAscii) {
        dlg.m_port.SendAsciiRequest(device, kWriteMultipleRegisters, reg, data);
        dlg.Services().clock.Sleep(kAsciiAnswerWaitMs);
        code = dlg.m_port.ReceiveAsciiReply(answer);
    } else {
        dlg.m_port.SendRtuRequest(device, kWriteMultipleRegisters, reg, data);
        dlg.Services().clock.Sleep(kRtuAnswerWaitMs);
        code = dlg.m_port.ReceiveRtuReply(answer);
    }
    if (code != 0) {
        ShowError(dlg, "Ошибка связи");
    } else if (!EchoMatches(answer, reg, data)) {
        ShowError(dlg, "Ошибка при синхронизации часов");
    }
    dlg.OnStart();
}

void SyncIecClock(CMorvikDlg& dlg) {
    ByteArray params = PrepareIecExchange(dlg, IecBlockExtent::WithGroup);
    CIec101Channel& iec = dlg.m_iec;
    if (!iec.RequestLinkStatus(dlg.m_nDevAddr, params)) {
        dlg.OnStop();
        ShowError(dlg, "Ошибка при инициализации канала");
        dlg.OnStart();
        return;
    }
    // A link that takes no reset cannot carry the command; polling stays suspended, as the
    // delay command leaves it.
    if (!iec.ResetRemoteLink(dlg.m_nDevAddr, params)) {
        ShowError(dlg, "Ошибка при инициализации канала");
        return;
    }
    iec.SendClockSync(dlg.m_nDevAddr, params);
    dlg.Services().clock.Sleep(kIecAnswerWaitMs);
    ByteArray discarded;
    if (!IecCommandConfirmed(ReceiveIecReply(dlg, discarded, params))) {
        dlg.ReportIecRefusal(params);
        dlg.OnStart();
        return;
    }
    // The transducer reports the new time with its next class 2 data; a standard secondary
    // keeps the confirmation in class 1.
    iec.RequestData(dlg.m_nDevAddr, params, dlg.m_nFcb);
    dlg.Services().clock.Sleep(kIecAnswerWaitMs);
    ReceiveIecReply(dlg, discarded, params);
    dlg.OnStart();
}

}  // namespace

void CMorvikDlg::OnSyncClock() {
    const std::optional<std::uint32_t> reg = ItemList(m_saItems).ClockRegister();
    if (!reg) {
        ShowError(*this, "Выбранная конфигурация не поддерживает время");
        return;
    }
    SuspendPolling(*this);
    if (m_port.m_strPortName == kNoPortName) {
        return;
    }
    DrainInput(*this);
    const Transport transport = ChooseTransport(m_b8Bit, m_nProtocol);
    if (transport == Transport::Iec101) {
        SyncIecClock(*this);
    } else {
        WriteModbusClock(*this, transport, static_cast<std::uint16_t>(*reg));
    }
}

void CMorvikDlg::OnMeasureDelay() {
    // The protocol choice alone decides, so with 7 data bits the command still runs and a
    // link that does not answer is reported rather than the button doing nothing.
    if (m_nProtocol != kIecProtocol) {
        return;
    }
    SuspendPolling(*this);
    ByteArray params = PrepareIecExchange(*this, IecBlockExtent::WithGroup);
    if (m_port.m_strPortName == kNoPortName) {
        return;
    }
    DrainInput(*this);
    if (!m_iec.RequestLinkStatus(m_nDevAddr, params)) {
        ShowError(*this, "Ошибка инициализации канала");
        return;
    }
    if (!m_iec.ResetRemoteLink(m_nDevAddr, params)) {
        ShowError(*this, "Сбой при определении задержки передачи");
        return;
    }
    const std::uint16_t delay = m_iec.MeasureDelay(m_nDevAddr, params);
    if (delay == 0) {
        ReportIecRefusal(params);
    } else {
        m_strDelay = std::to_string(delay);
        UpdateData(false);
        m_iec.SendDelay(m_nDevAddr, params, delay);
    }
    OnStart();
}

}  // namespace vantor

#include <optional>

#include "config/ItemList.h"
#include "polling/MorvikDlg.h"

namespace vantor {

void CMorvikDlg::OnSyncClock() {
    const std::optional<std::uint32_t> reg = ItemList(m_saItems).ClockRegister();
    if (!reg) {
        ShowError("Выбранная конфигурация не поддерживает время");
        return;
    }
    SuspendPolling();
    if (m_port.m_strPortName == kNoPortName) {
        return;
    }
    DrainInput();
    LineTransport().SyncClock(static_cast<std::uint16_t>(*reg));
}

void CMorvikDlg::OnMeasureDelay() {
    // The protocol choice alone decides, so with 7 data bits the command still runs and a
    // link that does not answer is reported rather than the button doing nothing.
    m_transports.ChosenProtocol(m_nProtocol).MeasureDelay();
}

void CMorvikDlg::SuspendPolling() {
    m_wnd.KillTimer(kPollTimer);
    m_platform.clock.Sleep(m_nPeriod);
}

}  // namespace vantor

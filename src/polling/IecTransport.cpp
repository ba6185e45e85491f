#include "polling/IecTransport.h"

#include <string>

#include "config/ItemList.h"
#include "config/Protocol.h"
#include "iec101/AsduCodec.h"
#include "iec101/Ft12Codec.h"
#include "polling/MorvikDlg.h"

namespace vantor {

namespace {

constexpr unsigned kCommandAnswerWaitMs = 350;
constexpr int kLastGroup = 16;
// A cause no answer carries values with: the tick then only sends the next request.
constexpr std::uint8_t kNoCause = 0;

const char* RefusalMessage(std::uint8_t code) {
    switch (code) {
        case kCauseUnknownType:
            return "Неизвестный идентификатор типа";
        case kCauseUnknownCause:
            return "Неизвестная причина передачи";
        case kCauseUnknownObjectAddress:
            return "Неизвестный адрес объекта информации";
        default:
            return "Нет подтверждения активации/деактивации опроса";
    }
}

// The combo's index: 0 = station, 1 to 16 = group. Without a valid selection the whole
// station is asked.
std::uint8_t SelectedGroup(const CComboRef& combo) {
    const int index = combo.GetCurSel();
    return index >= 0 && index <= kLastGroup ? static_cast<std::uint8_t>(index) : 0;
}

// A command counts as confirmed by an accepted ASDU or the single character.
bool CommandConfirmed(std::uint8_t code) {
    return code == kReplyAccepted || code == kReplySingleAck;
}

}  // namespace

void CIecTransport::SendFirstIecRequest() {
    ByteArray params = PrepareExchange(BlockExtent::WithGroup);
    const bool ready = m_dlg.m_bLinkReady || InitialiseLink(params);
    m_dlg.m_bLinkReady = FALSE;
    if (!ready) {
        m_dlg.OnStop();
        m_dlg.ShowError("Ошибка при инициализации канала");
        return;
    }
    // Group polling activates the interrogation; the reading modes deactivate it.
    params.push_back(m_dlg.m_nIecMode == kIecGroupPolling ? kCauseActivation : kCauseDeactivation);
    m_dlg.m_iec.SendCommand(m_dlg.m_nDevAddr, kTypeInterrogation, m_dlg.m_nBlockAddr, params);
    m_dlg.Services().clock.Sleep(kCommandAnswerWaitMs);
    ByteArray discarded;
    const std::uint8_t code = ReceiveReply(discarded, params);
    if (!CommandConfirmed(code)) {
        if (!m_dlg.KeepsPollingOnErrors()) {
            ReportIecRefusal(params);
            return;
        }
        // Counted like a failed answer at a tick; the data request finds out whether the
        // command took effect.
        m_dlg.TellAnswerStatus(code);
    }
    m_dlg.m_nRequestedItem = 0;  // the cycle's first block
    SendDataRequest();
}

// In the mode of the moment, as after an activation termination: group polling interrogates
// again, the reading modes deactivate the interrogation and ask from the first block.
void CIecTransport::RestartCycle() {
    m_dlg.m_bLinkReady = TRUE;
    SendFirstIecRequest();
}

CollectedAnswer CIecTransport::CollectIecAnswer(ByteArray& answer) {
    ByteArray params = PrepareExchange(BlockExtent::Sizes);
    const std::size_t built = params.size();
    CollectedAnswer collected{ReceiveReply(answer, params), kNoCause};
    // "No data" and the single character are what a standard secondary answers when it has
    // nothing: an empty answer, after which the next request follows.
    if (collected.status == kReplyNegativeAck || collected.status == kReplySingleAck) {
        collected.status = kReplyAccepted;
    }
    // An answer without an ASDU (an acknowledgement, a status of link) appended nothing.
    if (params.size() == built + 2) {
        m_dlg.m_nAsduType = At(params, built);
        collected.cause = At(params, built + 1);
    }
    return collected;
}

void CIecTransport::SendNextIecRequest(std::uint8_t cause) {
    if (cause == kCauseActivationTermination) {
        // The interrogation has ended: a new cycle begins on the link already initialised,
        // and the recording goes on.
        m_dlg.m_bLinkReady = TRUE;
        m_dlg.ContinuePolling();
        return;
    }
    SendDataRequest();
}

void CIecTransport::ReportIecRefusal(ByteArray& params) {
    m_dlg.m_iec.m_hCom = m_dlg.m_port.m_hCom;
    m_dlg.m_iec.RequestData(m_dlg.m_nDevAddr, params, m_dlg.m_nFcb);
    m_dlg.Services().clock.Sleep(kCommandAnswerWaitMs);
    ByteArray discarded;
    const std::uint8_t code = ReceiveReply(discarded, params);
    m_dlg.OnStop();
    m_dlg.ShowError(RefusalMessage(code));
}

void CIecTransport::SyncClock(std::uint16_t) {
    // The command carries the computer's time; the clock item's register is Modbus's.
    ByteArray params = PrepareExchange(BlockExtent::WithGroup);
    CIec101Channel& iec = m_dlg.m_iec;
    if (!iec.RequestLinkStatus(m_dlg.m_nDevAddr, params)) {
        m_dlg.OnStop();
        m_dlg.ShowError("Ошибка при инициализации канала");
        m_dlg.OnStart();
        return;
    }
    // A link that takes no reset cannot carry the command; polling stays suspended, as the
    // delay command leaves it.
    if (!iec.ResetRemoteLink(m_dlg.m_nDevAddr, params)) {
        m_dlg.ShowError("Ошибка при инициализации канала");
        return;
    }
    iec.SendClockSync(m_dlg.m_nDevAddr, params);
    m_dlg.Services().clock.Sleep(kCommandAnswerWaitMs);
    ByteArray discarded;
    if (!CommandConfirmed(ReceiveReply(discarded, params))) {
        ReportIecRefusal(params);
        m_dlg.OnStart();
        return;
    }
    // The transducer reports the new time with its next class 2 data; a standard secondary
    // keeps the confirmation in class 1.
    iec.RequestData(m_dlg.m_nDevAddr, params, m_dlg.m_nFcb);
    m_dlg.Services().clock.Sleep(kCommandAnswerWaitMs);
    ReceiveReply(discarded, params);
    m_dlg.OnStart();
}

void CIecTransport::MeasureDelay() {
    m_dlg.SuspendPolling();
    ByteArray params = PrepareExchange(BlockExtent::WithGroup);
    if (m_dlg.m_port.m_strPortName == kNoPortName) {
        return;
    }
    m_dlg.DrainInput();
    CIec101Channel& iec = m_dlg.m_iec;
    if (!iec.RequestLinkStatus(m_dlg.m_nDevAddr, params)) {
        m_dlg.ShowError("Ошибка инициализации канала");
        return;
    }
    if (!iec.ResetRemoteLink(m_dlg.m_nDevAddr, params)) {
        m_dlg.ShowError("Сбой при определении задержки передачи");
        return;
    }
    const std::uint16_t delay = iec.MeasureDelay(m_dlg.m_nDevAddr, params);
    if (delay == 0) {
        ReportIecRefusal(params);
    } else {
        m_dlg.m_strDelay = std::to_string(delay);
        m_dlg.UpdateData(false);
        iec.SendDelay(m_dlg.m_nDevAddr, params, delay);
    }
    m_dlg.OnStart();
}

ByteArray CIecTransport::PrepareExchange(BlockExtent extent) {
    m_dlg.m_iec.m_hCom = m_dlg.m_port.m_hCom;
    ByteArray params{m_dlg.m_nIecAsduAddrSize, m_dlg.m_nIecIoaSize, m_dlg.m_nIecCotSize,
                     m_dlg.m_nIecFixedFrame};
    if (extent == BlockExtent::WithGroup) {
        params.push_back(SelectedGroup(m_dlg.m_comboGroup));
    }
    return params;
}

std::uint8_t CIecTransport::ReceiveReply(ByteArray& reply, ByteArray& params) {
    auto hourMinute = static_cast<std::uint16_t>(m_dlg.m_nDevHour << 8 | m_dlg.m_nDevMin);
    const std::uint8_t code =
        m_dlg.m_iec.ReceiveReply(reply, params, ItemList(m_dlg.m_saItems).Count(),
                                 m_dlg.m_baItemCot, m_dlg.m_nDevMs, hourMinute);
    m_dlg.m_nDevMin = static_cast<std::uint8_t>(hourMinute & 0xFF);
    m_dlg.m_nDevHour = static_cast<std::uint8_t>(hourMinute >> 8);
    return code;
}

// Link status, then reset; only the status decides, the reset's answer is not waited for.
bool CIecTransport::InitialiseLink(const ByteArray& params) {
    if (!m_dlg.m_iec.RequestLinkStatus(m_dlg.m_nDevAddr, params)) {
        return false;
    }
    m_dlg.m_iec.ResetRemoteLink(m_dlg.m_nDevAddr, params);
    return true;
}

// The request for the block planned last: the read command in mode 1, else class 2 data.
// What a secondary flagged with ACD is fetched from class 1 first.
void CIecTransport::SendDataRequest() {
    ByteArray params = PrepareExchange(BlockExtent::WithGroup);
    if (m_dlg.m_iec.m_bAccessDemand) {
        m_dlg.m_nItemIndex = m_dlg.m_nRequestedItem;
        m_dlg.m_iec.RequestClass1Data(m_dlg.m_nDevAddr, params, m_dlg.m_nFcb);
        return;
    }
    m_dlg.m_nRequestedItem = m_dlg.m_nItemIndex;
    if (m_dlg.m_nIecMode == kIecReadCommand) {
        params.push_back(kCauseRequest);
        m_dlg.m_iec.SendCommand(m_dlg.m_nDevAddr, kTypeRead, m_dlg.m_nBlockAddr, params);
    } else {
        m_dlg.m_iec.RequestClass2Data(m_dlg.m_nDevAddr, params, m_dlg.m_nFcb);
    }
}

}  // namespace vantor

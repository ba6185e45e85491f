#include "iec101/AsduCodec.h"
#include "iec101/Ft12Codec.h"
#include "polling/IecExchange.h"
#include "polling/MorvikDlg.h"

namespace vantor {

namespace {

constexpr unsigned kCommandAnswerWaitMs = 350;
constexpr int kModeGroupPolling = 0;
constexpr int kModeReadCommand = 1;
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

// Link status, then reset; only the status decides, the reset's answer is not waited for.
bool InitialiseLink(CMorvikDlg& dlg, const ByteArray& params) {
    if (!dlg.m_iec.RequestLinkStatus(dlg.m_nDevAddr, params)) {
        return false;
    }
    dlg.m_iec.ResetRemoteLink(dlg.m_nDevAddr, params);
    return true;
}

// The request for the block planned last: the read command in mode 1, else class 2 data.
// What a secondary flagged with ACD is fetched from class 1 first.
void SendDataRequest(CMorvikDlg& dlg) {
    ByteArray params = PrepareIecExchange(dlg, IecBlockExtent::WithGroup);
    if (dlg.m_iec.m_bAccessDemand) {
        dlg.m_nItemIndex = dlg.m_nRequestedItem;
        dlg.m_iec.RequestClass1Data(dlg.m_nDevAddr, params, dlg.m_nFcb);
        return;
    }
    dlg.m_nRequestedItem = dlg.m_nItemIndex;
    if (dlg.m_nIecMode == kModeReadCommand) {
        params.push_back(kCauseRequest);
        dlg.m_iec.SendCommand(dlg.m_nDevAddr, kTypeRead, dlg.m_nBlockAddr, params);
    } else {
        dlg.m_iec.RequestClass2Data(dlg.m_nDevAddr, params, dlg.m_nFcb);
    }
}

}  // namespace

void CMorvikDlg::SendFirstIecRequest() {
    ByteArray params = PrepareIecExchange(*this, IecBlockExtent::WithGroup);
    const bool ready = m_bLinkReady || InitialiseLink(*this, params);
    m_bLinkReady = FALSE;
    if (!ready) {
        OnStop();
        m_wnd.MessageBox("Ошибка при инициализации канала", "Ошибка", MessageIcon::None);
        return;
    }
    // Group polling activates the interrogation; the reading modes deactivate it.
    params.push_back(m_nIecMode == kModeGroupPolling ? kCauseActivation : kCauseDeactivation);
    m_iec.SendCommand(m_nDevAddr, kTypeInterrogation, m_nBlockAddr, params);
    m_platform.clock.Sleep(kCommandAnswerWaitMs);
    ByteArray discarded;
    if (!IecCommandConfirmed(ReceiveIecReply(*this, discarded, params))) {
        ReportIecRefusal(params);
        return;
    }
    m_nRequestedItem = 0;  // the cycle's first block
    SendDataRequest(*this);
}

std::uint8_t CMorvikDlg::CollectIecAnswer(ByteArray& answer, std::uint8_t& cause) {
    ByteArray params = PrepareIecExchange(*this, IecBlockExtent::Sizes);
    const std::size_t built = params.size();
    std::uint8_t status = ReceiveIecReply(*this, answer, params);
    cause = kNoCause;
    // "No data" and the single character are what a standard secondary answers when it has
    // nothing: an empty answer, after which the next request follows.
    if (status == kReplyNegativeAck || status == kReplySingleAck) {
        status = kReplyAccepted;
    }
    // An answer without an ASDU (an acknowledgement, a status of link) appended nothing.
    if (params.size() == built + 2) {
        m_nAsduType = At(params, built);
        cause = At(params, built + 1);
    }
    return status;
}

void CMorvikDlg::SendNextIecRequest(std::uint8_t cause) {
    if (cause == kCauseActivationTermination) {
        // The interrogation has ended: a new cycle begins on the link already initialised,
        // and the recording goes on.
        m_bLinkReady = TRUE;
        ContinuePolling();
        return;
    }
    SendDataRequest(*this);
}

void CMorvikDlg::ReportIecRefusal(ByteArray& params) {
    m_iec.m_hCom = m_port.m_hCom;
    m_iec.RequestData(m_nDevAddr, params, m_nFcb);
    m_platform.clock.Sleep(kCommandAnswerWaitMs);
    ByteArray discarded;
    const std::uint8_t code = ReceiveIecReply(*this, discarded, params);
    OnStop();
    m_wnd.MessageBox(RefusalMessage(code), "Ошибка", MessageIcon::None);
}

}  // namespace vantor

#include "iec101/Iec101Channel.h"

#include <algorithm>

namespace vantor {

namespace {

constexpr unsigned kLinkProcedureWaitMs = 150;

}  // namespace

std::uint8_t CIec101Channel::WithNextFcb(std::uint8_t control) {
    if (m_bFcb) {
        control |= kFcbBit;
        m_bFcb = FALSE;
    } else {
        m_bFcb = TRUE;
    }
    return control;
}

void CIec101Channel::Transmit(const ByteArray& frame) {
    WriteFrame(m_hCom, frame.data(), frame.size());
}

void CIec101Channel::ReadOnce(ByteArray& into, std::size_t room) {
    const std::size_t before = into.size();
    into.resize(before + room);
    const std::size_t read = ReadAvailable(m_hCom, std::span(into).subspan(before, room));
    into.resize(before + std::min(read, room));
}

ByteArray CIec101Channel::RunLinkProcedure(std::uint8_t control, std::uint16_t address,
                                           const ByteArray& params) {
    Transmit(FixedFrame(control, address, At(params, kParamAddressSize)));
    const std::int64_t began = m_clock.TickMs();
    m_clock.Sleep(kLinkProcedureWaitMs);
    ByteArray answer;
    ReadOnce(answer, kAccumBufferSize);
    NoteCollectionEnd(began);
    return answer;
}

BOOL CIec101Channel::RequestLinkStatus(std::uint16_t address, const ByteArray& params) {
    return IsLinkStatusAnswer(RunLinkProcedure(kCtrlLinkStatus, address, params)) ? TRUE : FALSE;
}

BOOL CIec101Channel::ResetRemoteLink(std::uint16_t address, const ByteArray& params) {
    const ByteArray answer = RunLinkProcedure(kCtrlResetLink, address, params);
    m_bFcb = TRUE;
    return IsResetAcknowledged(answer) ? TRUE : FALSE;
}

void CIec101Channel::RequestClassData(std::uint8_t control, std::uint16_t address,
                                      const ByteArray& params, int fcbMode) {
    if (fcbMode == kFcbAlternating) {
        control = WithNextFcb(control);
    }
    Transmit(FixedFrame(control, address, At(params, kParamAddressSize)));
}

void CIec101Channel::RequestClass2Data(std::uint16_t address, const ByteArray& params,
                                       int fcbMode) {
    RequestClassData(kCtrlClass2, address, params, fcbMode);
}

void CIec101Channel::RequestClass1Data(std::uint16_t address, const ByteArray& params,
                                       int fcbMode) {
    RequestClassData(kCtrlClass1, address, params, fcbMode);
}

void CIec101Channel::RequestData(std::uint16_t address, const ByteArray& params, int fcbMode) {
    RequestClassData(m_bAccessDemand ? kCtrlClass1 : kCtrlClass2, address, params, fcbMode);
}

void CIec101Channel::BeginVariableFrame(std::uint16_t address, ByteArray& frame,
                                        const ByteArray& params, std::uint8_t control) {
    frame = VariableFrameHeader(WithNextFcb(control), address, At(params, kParamAddressSize));
}

std::uint8_t CIec101Channel::ReceiveReply(ByteArray& reply, ByteArray& params,
                                          std::size_t itemCount, const ByteArray& itemCot,
                                          std::uint16_t& devMs, std::uint16_t& devHourMinute) {
    ByteArray frame(kAccumBufferSize);
    ByteArray chunk(kWideChunkSize);
    frame.resize(std::min(CollectReply(frame, chunk), kAccumBufferSize));
    m_bAccessDemand = DemandsAccess(frame) ? TRUE : FALSE;
    const LinkVerdict verdict = CheckLinkReply(frame, At(params, kParamAddressSize));
    if (!verdict.carriesAsdu) {
        return verdict.code;
    }
    return DecodeAsdu(frame, params, itemCount, itemCot, reply, {devMs, devHourMinute});
}

}  // namespace vantor

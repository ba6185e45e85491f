#include "iec101/Iec101Channel.h"

namespace vantor {

namespace {

constexpr std::uint8_t kStationQualifier = 20;  // QOI 20; groups 1 to 16 follow it
constexpr std::uint32_t kNoObjectAddress = 0;
constexpr unsigned kAnswerWaitMs = 350;
constexpr unsigned kTransmitWaitMs = 150;
constexpr unsigned kDelayAnswerTimeoutMs = 500;
constexpr std::size_t kDelayBufferSize = 32;

}  // namespace

void CIec101Channel::SendAsdu(std::uint16_t address, const ByteArray& params, const ByteArray& asdu,
                              std::uint8_t control) {
    ByteArray frame;
    BeginVariableFrame(address, frame, params, control);
    frame.insert(frame.end(), asdu.begin(), asdu.end());
    FinishFrame(frame);
    Transmit(frame);
}

void CIec101Channel::WaitTransmitted() {
    if (ISerialDevice* device = m_hCom.Device()) {
        device->WaitTransmitted(kTransmitWaitMs);
    }
}

void CIec101Channel::SendCommand(std::uint16_t address, std::uint8_t type,
                                 std::uint32_t objectAddress, const ByteArray& params) {
    const bool interrogation = type == kTypeInterrogation;
    ByteArray asdu =
        CommandAsdu(type, At(params, kParamCause), address,
                    interrogation && m_bInterrogateAtZero ? kNoObjectAddress : objectAddress,
                    FieldSizesOf(params));
    if (interrogation) {
        asdu.push_back(static_cast<std::uint8_t>(kStationQualifier + At(params, kParamGroup)));
    }
    // The transducer takes the read command as a request for data, with function 11; a
    // standard secondary takes it as user data and keeps the answer in class 1.
    const bool userData = interrogation || m_bReadAsUserData;
    SendAsdu(address, params, asdu, userData ? kCtrlUserData : kCtrlClass2);
}

void CIec101Channel::SendClockSync(std::uint16_t address, const ByteArray& params) {
    ByteArray asdu = CommandAsdu(kTypeClockSync, kCauseActivation, address, kNoObjectAddress,
                                 FieldSizesOf(params));
    AppendCp56Time2a(asdu, m_clock.UtcNow());
    SendAsdu(address, params, asdu);
}

std::uint16_t CIec101Channel::MeasureDelay(std::uint16_t address, const ByteArray& params) {
    const IecFieldSizes sizes = FieldSizesOf(params);
    ByteArray asdu =
        CommandAsdu(kTypeDelayAcquisition, kCauseActivation, address, kNoObjectAddress, sizes);
    AppendWord(asdu, MillisecondsOfMinute(m_clock.UtcNow()));
    SendAsdu(address, params, asdu);
    m_clock.Sleep(kAnswerWaitMs);
    ByteArray acknowledgement;
    ReadOnce(acknowledgement, kDelayBufferSize);
    if (!IsDelayAcknowledgement(acknowledgement)) {
        return 0;
    }
    // A standard secondary keeps the answer in class 1 and says so with ACD.
    m_bAccessDemand = DemandsAccess(acknowledgement) ? TRUE : FALSE;
    RequestData(address, params, kFcbAlternating);
    WaitTransmitted();
    std::uint16_t arrivalMs = 0;
    const ByteArray answer = ReadDelayAnswer(DelayAnswerLength(sizes), arrivalMs);
    return DelayFromAnswer(answer, sizes, arrivalMs);
}

// Reads until the expected length has arrived or 500 ms have passed, noting when the first
// octets came. Each pass yields for a millisecond, so the loop ends on any clock.
ByteArray CIec101Channel::ReadDelayAnswer(std::size_t expected, std::uint16_t& arrivalMs) {
    ByteArray answer;
    const std::int64_t began = m_clock.TickMs();
    const std::uint16_t startMs = MillisecondsOfMinute(m_clock.UtcNow());
    bool timedOut = false;
    bool arrived = false;
    while (!timedOut && answer.size() != expected) {
        ReadOnce(answer, kDelayBufferSize - answer.size());
        const std::uint16_t nowMs = MillisecondsOfMinute(m_clock.UtcNow());
        timedOut = MillisecondsBetween(startMs, nowMs) > kDelayAnswerTimeoutMs;
        if (!arrived && !answer.empty()) {
            arrived = true;
            arrivalMs = nowMs;
        }
        m_clock.Sleep(1);
    }
    NoteCollectionEnd(began);
    return answer;
}

void CIec101Channel::SendDelay(std::uint16_t address, const ByteArray& params,
                               std::uint16_t delay) {
    ByteArray asdu = CommandAsdu(kTypeDelayAcquisition, kCauseSpontaneous, address,
                                 kNoObjectAddress, FieldSizesOf(params));
    AppendWord(asdu, delay);
    SendAsdu(address, params, asdu);
    WaitTransmitted();
    m_clock.Sleep(kAnswerWaitMs);
    ByteArray discarded;
    ReadOnce(discarded, kDelayBufferSize);
}

}  // namespace vantor

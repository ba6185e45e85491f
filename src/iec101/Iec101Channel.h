#pragma once

#include <cstddef>
#include <cstdint>

#include "iec101/AsduCodec.h"
#include "iec101/Ft12Codec.h"
#include "iec101/ParameterBlock.h"
#include "platform/Types.h"
#include "serial/SerialIo.h"

namespace vantor {

// The IEC 60870-5-101 master channel (unbalanced, FT1.2). It never opens a port: the polling
// copies the port's handle into m_hCom before every exchange. Every procedure runs once and
// nothing is repeated; the callers wait, report and stop.
//
// Link layer in Iec101Channel.cpp, application layer in Iec101Application.cpp; the two meet
// only in BeginVariableFrame and FinishFrame on the way out and DecodeAsdu on the way in.
class CIec101Channel : public CSerialIo {
public:
    // The FCB mode of RequestClass2Data that alternates the frame count bit.
    static constexpr int kFcbAlternating = 1;

    explicit CIec101Channel(IClock& clock) : CSerialIo(clock) {}

    // --- Link layer -------------------------------------------------------------------------
    // TRUE when the secondary answered with status of link or the single character.
    BOOL RequestLinkStatus(std::uint16_t address, const ByteArray& params);
    // TRUE when the secondary acknowledged; the next frame with FCV = 1 carries FCB = 1.
    BOOL ResetRemoteLink(std::uint16_t address, const ByteArray& params);
    // Sends the request; the caller collects the answer with ReceiveReply after its own wait.
    // FCB mode 1 alternates the frame count bit; any other mode sends FCB = 0 and leaves it.
    void RequestClass2Data(std::uint16_t address, const ByteArray& params, int fcbMode);
    // The same for class 1 data (function 10).
    void RequestClass1Data(std::uint16_t address, const ByteArray& params, int fcbMode);
    // Class 1 while the last answer demanded access (ACD), else class 2: a standard secondary
    // keeps confirmations, terminations and events there and answers class 2 without them.
    void RequestData(std::uint16_t address, const ByteArray& params, int fcbMode);
    // 68 L L 68, the control field (function 3, or the one given) by the frame-count-bit rule,
    // the link address.
    void BeginVariableFrame(std::uint16_t address, ByteArray& frame, const ByteArray& params,
                            std::uint8_t control = kCtrlUserData);
    // Collects one answer and returns its reply code; an answer with an ASDU is decoded into
    // `reply`, the time stamp fields and two entries appended to `params` (type, cause). Of
    // the item list only its number of items matters here.
    std::uint8_t ReceiveReply(ByteArray& reply, ByteArray& params, std::size_t itemCount,
                              const ByteArray& itemCot, std::uint16_t& devMs,
                              std::uint16_t& devHourMinute);

    // --- Application layer ------------------------------------------------------------------
    // Interrogation (100, with the QOI of parameter 4) or read (102); the cause is parameter 5.
    // The read goes out as a class 2 request carrying the ASDU unless m_bReadAsUserData.
    void SendCommand(std::uint16_t address, std::uint8_t type, std::uint32_t objectAddress,
                     const ByteArray& params);
    void SendClockSync(std::uint16_t address, const ByteArray& params);
    // The transmission delay in milliseconds, 0 when none was measured.
    std::uint16_t MeasureDelay(std::uint16_t address, const ByteArray& params);
    void SendDelay(std::uint16_t address, const ByteArray& params, std::uint16_t delay);

    BOOL m_bFcb = FALSE;
    // ACD of the last answer ReceiveReply collected, or of the delay command's acknowledgement.
    BOOL m_bAccessDemand = FALSE;
    // Forms a standard secondary expects and the transducer does not take, chosen by the
    // operator for the run: the read command as user data with confirmation (function 3), and
    // the interrogation with object address 0 instead of the block's.
    BOOL m_bReadAsUserData = FALSE;
    BOOL m_bInterrogateAtZero = FALSE;

private:
    // The one frame-count-bit toggle shared by every frame with FCV = 1.
    std::uint8_t WithNextFcb(std::uint8_t control);
    void RequestClassData(std::uint8_t control, std::uint16_t address, const ByteArray& params,
                          int fcbMode);
    void Transmit(const ByteArray& frame);
    // Sends a fixed frame, waits 150 ms and reads the answer once.
    ByteArray RunLinkProcedure(std::uint8_t control, std::uint16_t address,
                               const ByteArray& params);
    void SendAsdu(std::uint16_t address, const ByteArray& params, const ByteArray& asdu,
                  std::uint8_t control = kCtrlUserData);
    // One read of what is queued, at most `room` octets, appended to `into`.
    void ReadOnce(ByteArray& into, std::size_t room);
    void WaitTransmitted();
    ByteArray ReadDelayAnswer(std::size_t expected, std::uint16_t& arrivalMs);
};

}  // namespace vantor

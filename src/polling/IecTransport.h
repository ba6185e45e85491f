#pragma once

#include <cstdint>

#include "platform/Types.h"
#include "polling/Transport.h"

namespace vantor {

class CMorvikDlg;

// IEC 60870-5-101, unbalanced: the master initialises the link and sends the interrogation
// command at a start, then asks for the block's data at every tick. The link and application
// layers are the channel's (m_iec); this class fixes the order of the exchanges, their waits
// and what each outcome leads to. The channel borrows the port's handle before each exchange.
class CIecTransport : public ITransport {
public:
    explicit CIecTransport(CMorvikDlg& dlg) : m_dlg(dlg) {}

    void SendFirstRequest() override { SendFirstIecRequest(); }
    CollectedAnswer CollectAnswer(ByteArray& answer) override { return CollectIecAnswer(answer); }
    void SendNextRequest(std::uint8_t cause) override { SendNextIecRequest(cause); }
    void RestartCycle() override;
    void SyncClock(std::uint16_t clockRegister) override;
    void MeasureDelay() override;

private:
    // How much of the parameter block an exchange gets: the field sizes only (the poll tick's
    // collection), or with the interrogation group as well (every other operation).
    enum class BlockExtent { Sizes, WithGroup };

    void SendFirstIecRequest();
    CollectedAnswer CollectIecAnswer(ByteArray& answer);
    void SendNextIecRequest(std::uint8_t cause);
    // Asks once more for the transducer's answer, stops polling and shows why a command was
    // refused.
    void ReportIecRefusal(ByteArray& params);

    // Lends the port's handle to the channel and builds a fresh parameter block.
    ByteArray PrepareExchange(BlockExtent extent);
    // The channel's ReceiveReply with the items, group tags and the transducer's time stamp.
    std::uint8_t ReceiveReply(ByteArray& reply, ByteArray& params);
    bool InitialiseLink(const ByteArray& params);
    void SendDataRequest();

    CMorvikDlg& m_dlg;
};

}  // namespace vantor

#pragma once

#include <cstdint>

#include "config/Protocol.h"
#include "platform/Types.h"

namespace vantor {

enum class Transport { ModbusAscii, ModbusRtu, Iec101 };

// The one place that decides how the line is spoken. With 7 data bits only Modbus ASCII fits
// the line, whatever the protocol buttons show.
constexpr Transport ChooseTransport(BOOL eightBit, int protocol) {
    if (!eightBit) {
        return Transport::ModbusAscii;
    }
    return protocol == kIecProtocol ? Transport::Iec101 : Transport::ModbusRtu;
}

// What a transport collected at a poll tick: the reply code (0 for a good answer) and the
// cause of transmission, which decides whether the answer carries values.
struct CollectedAnswer {
    std::uint8_t status = 0;
    std::uint8_t cause = 0;
};

// Everything the polling cycle and the commands say to the transducer, one implementation per
// protocol of the line. The cycle and the commands keep their own order of steps and never ask
// which protocol runs; a protocol fills in its steps, including the exchanges around them that
// only it needs (the IEC link procedures, the interrogation). Each step works on the block
// PlanNextBlock planned last.
class ITransport {
public:
    virtual ~ITransport() = default;
    // The first request of a start; may end polling with OnStop and a message.
    virtual void SendFirstRequest() = 0;
    // The answer to the request the previous tick sent.
    virtual CollectedAnswer CollectAnswer(ByteArray& answer) = 0;
    // The request after an answer with the given cause (it may restart the cycle instead).
    virtual void SendNextRequest(std::uint8_t cause) = 0;
    // The first request of a fresh cycle after an answer that failed while polling keeps
    // going: the link in use is not initialised again.
    virtual void RestartCycle() = 0;
    // Sets the transducer's clock; polling is suspended and the input queue empty. Ends by
    // restarting polling unless the protocol's failure leaves it suspended.
    virtual void SyncClock(std::uint16_t clockRegister) = 0;
    // The delay command from its start: a protocol without one does nothing at all.
    virtual void MeasureDelay() = 0;
};

}  // namespace vantor

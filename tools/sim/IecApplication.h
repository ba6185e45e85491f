#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "IecAsdu.h"
#include "SimDevice.h"
#include "SimOptions.h"
#include "Station.h"
#include "Transducer.h"

namespace vantor::sim {

// What the application makes of one request of the primary station.
struct IecOutcome {
    enum class Kind { Accepted, Refused, Data, NoData };
    Kind kind = Kind::Accepted;
    ByteArray asdu;      // the data, or the mirrored command of a refusal
    ServedCodes served;  // the codes the data carried
    std::string report;
};

// The transducer's application layer over IEC 60870-5-101: the commands it carries out and
// the data it has to send. Confirmations, terminations, interrogated values, refusals, the
// delay answer and the values of a read command sent as user data are class 1 data; the
// values sent when nothing else waits are class 2 data, one block of consecutive items after
// the other, as the program plans its requests. The transducer hands class 1 data to class 2
// requests too; a standard secondary keeps it for class 1 requests.
class IecApplication {
public:
    IecApplication(const SimDevice& device, Transducer& transducer, const SimOptions& options);

    // A reset of the link drops what was waiting for the previous primary.
    void Reset();
    bool HasClass1Data() const { return !class1_.empty() || delayStamp_.has_value(); }

    // User data with confirmation: interrogation, clock synchronisation, delay acquisition and
    // the read command in its standard form.
    IecOutcome Command(const IncomingAsdu& asdu);
    // Request with data: the read command as the program sends it.
    IecOutcome Read(const IncomingAsdu& asdu);
    IecOutcome Class1();
    IecOutcome Class2();

private:
    std::optional<std::uint8_t> Refusal(const IncomingAsdu& asdu) const;
    IecOutcome Refuse(const IncomingAsdu& asdu, std::uint8_t cause);
    IecOutcome Interrogate(const IncomingAsdu& asdu);
    IecOutcome SynchroniseClock(const IncomingAsdu& asdu);
    IecOutcome AcquireDelay(const IncomingAsdu& asdu);
    IecOutcome DelayAnswer();
    IecOutcome ReadValues(const IncomingAsdu& asdu);
    // Values of the given items, with their codes for the record.
    IecOutcome Values(std::uint8_t cause, const std::vector<std::size_t>& items);
    std::optional<std::size_t> ItemAt(std::uint32_t address) const;
    std::vector<std::size_t> BlockFrom(std::size_t first) const;
    // The block of class 2 data to send next; the cursor moves on.
    std::vector<std::size_t> NextBlock();

    const SimDevice& device_;
    Transducer& transducer_;
    const SimOptions& options_;
    IecFieldSizes sizes_;
    std::deque<IecOutcome> class1_;
    std::size_t blockCursor_ = 0;
    // The pending delay acquisition: the time stamp received and when it arrived.
    std::optional<std::uint16_t> delayStamp_;
    std::chrono::steady_clock::time_point delayReceived_;
};

}  // namespace vantor::sim

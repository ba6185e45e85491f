#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "support/FakeSerialDevice.h"

namespace vantor::test {

// A scripted IEC 60870-5-101 secondary on a fake device: one-octet link and common address,
// one-octet cause. It answers the link procedures, confirms commands and plays the answers
// given to it, each 20 ms after the request.
//
//   ScriptedIecSecondary station(com1);
//   station.class2.push_back(station.Values(9, 23, {5000, 7}));
//   ... OnStart ...
//   EXPECT_EQ(station.Trace(), (TextArray{"status", "reset", "C_IC 6 QOI 23", "class 2"}));
class ScriptedIecSecondary {
public:
    explicit ScriptedIecSecondary(FakeSerialDevice& device, std::uint8_t ioaSize = 2);
    ScriptedIecSecondary(const ScriptedIecSecondary&) = delete;
    ScriptedIecSecondary& operator=(const ScriptedIecSecondary&) = delete;

    // The answer the secondary gives to one written frame.
    TimedReply Respond(const ByteArray& request);
    // Every frame written, by kind: "status", "reset", "class 1", "class 2" (FCB 0/1 is not
    // distinguished); commands as "C_IC <cause> QOI <qoi>", "C_RD <cause> IOA <ioa>", "C_CS",
    // "C_CD <cause> <value>".
    TextArray Trace() const;

    // An ASDU answer with one value per object (SQ = 0, quality 0 where the type has one).
    ByteArray Values(std::uint8_t type, std::uint8_t cause,
                     const std::vector<std::uint16_t>& values) const;
    // An answer of `type` with `cause` and no elements.
    ByteArray Confirmation(std::uint8_t type, std::uint8_t cause) const;
    // The same answer with ACD set: class 1 data waits.
    static ByteArray DemandingAccess(ByteArray answer);

    ByteArray linkStatus;
    ByteArray reset;
    // Answers to variable frames, in order; when empty a command is confirmed with its cause + 1.
    std::deque<ByteArray> commandAnswers;
    // Answers to class 1 and class 2 requests, in order; when empty a request is answered
    // "no data".
    std::deque<ByteArray> class1;
    std::deque<ByteArray> class2;

private:
    std::string Describe(const ByteArray& frame) const;

    FakeSerialDevice& device_;
    std::uint8_t ioaSize_;
};

}  // namespace vantor::test

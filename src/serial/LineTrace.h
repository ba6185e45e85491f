#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Clock.h"

namespace vantor {

enum class TraceDirection { Sent, Received };

// Observer of the line traffic: every frame written and every chunk read.
class ILineTrace {
public:
    virtual ~ILineTrace() = default;
    virtual void OnTraffic(TraceDirection direction, const SystemTime& utc,
                           const std::uint8_t* bytes, std::size_t count) = 0;
    // A reply collection has ended after `waitedMs`; the chunks read since the last frame
    // written (none when nothing came) were one reply.
    virtual void OnCollectionEnd(const SystemTime& /*utc*/, unsigned /*waitedMs*/) {}
};

}  // namespace vantor

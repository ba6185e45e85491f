#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "IecApplication.h"
#include "SimDevice.h"
#include "SimOptions.h"
#include "Station.h"

namespace vantor::sim {

// The unbalanced secondary station's link layer (FT1.2): it checks the primary's frames,
// keeps the frame count bit and repeats its last answer when the bit did not change, and
// wraps the application's ASDUs. As a standard secondary it sets ACD while class 1 data waits.
class IecSecondary : public IStation {
public:
    IecSecondary(const SimDevice& device, Transducer& transducer, const SimOptions& options);

    std::optional<SlaveAnswer> Answer(std::span<const std::uint8_t> frame) override;

private:
    struct PrimaryFrame {
        std::uint8_t control = 0;
        std::uint16_t address = 0;
        ByteArray asdu;  // empty for a fixed frame
    };
    std::optional<PrimaryFrame> Parse(std::span<const std::uint8_t> frame) const;
    std::optional<SlaveAnswer> Respond(const PrimaryFrame& frame);
    std::optional<SlaveAnswer> UserData(const PrimaryFrame& frame, bool confirmed);
    SlaveAnswer FromOutcome(const IecOutcome& outcome, std::uint8_t refusalFunction);
    SlaveAnswer Fixed(std::uint8_t function);
    SlaveAnswer Variable(std::uint8_t function, const ByteArray& asdu);
    // Control field of an answer: the function, with ACD while a standard secondary has class
    // 1 data waiting.
    std::uint8_t Control(std::uint8_t function) const;
    void SpoilEveryNth(ByteArray& frame);

    const SimDevice& device_;
    const SimOptions& options_;
    IecApplication application_;
    std::optional<bool> lastFcb_;  // none until the first frame that counts
    std::optional<SlaveAnswer> lastAnswer_;
    unsigned answers_ = 0;
};

}  // namespace vantor::sim

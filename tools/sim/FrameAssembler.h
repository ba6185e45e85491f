#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "SimOptions.h"
#include "platform/Types.h"

namespace vantor::sim {

// Cuts the byte stream from the line into request frames: by their own length where the
// framing tells it (Modbus ASCII up to its line feed, RTU functions 1 to 6, 15 and 16, FT1.2
// frames), otherwise at the silence that ends every frame.
class FrameAssembler {
public:
    FrameAssembler(SimProtocol protocol, SimFraming framing, std::uint8_t linkAddressSize);

    void Feed(std::span<const std::uint8_t> bytes);
    // The next complete frame, if one has arrived.
    std::optional<ByteArray> Next();
    // After a silence: whatever is pending, as one frame.
    std::optional<ByteArray> Flush();

private:
    std::optional<std::size_t> ModbusLength() const;
    std::optional<std::size_t> IecLength() const;
    // Bytes that cannot begin a frame are dropped, so a garbled start does not hide the next one.
    void DropUntilStart();

    SimProtocol protocol_;
    SimFraming framing_;
    std::uint8_t linkAddressSize_;
    ByteArray pending_;
};

}  // namespace vantor::sim

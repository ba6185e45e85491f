#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "ModbusFraming.h"
#include "RegisterMap.h"
#include "SimDevice.h"
#include "SimOptions.h"
#include "Station.h"
#include "Transducer.h"

namespace vantor::sim {

// The Modbus slave: function 4 from the register map, function 16 on the clock registers, and
// the misbehaviour the options ask for.
class ModbusSlave : public IStation {
public:
    ModbusSlave(const SimDevice& device, Transducer& transducer, const SimOptions& options);

    std::optional<SlaveAnswer> Answer(std::span<const std::uint8_t> frame) override;

private:
    std::optional<ModbusFraming> FramingOf(std::span<const std::uint8_t> frame) const;
    SlaveAnswer Serve(const ByteArray& request);
    SlaveAnswer ReadInputRegisters(const ByteArray& request);
    SlaveAnswer WriteClock(const ByteArray& request);
    static SlaveAnswer Exception(const ByteArray& request, std::uint8_t code);

    const SimDevice& device_;
    Transducer& transducer_;
    const SimOptions& options_;
    RegisterMap registers_;
    unsigned answers_ = 0;
};

}  // namespace vantor::sim

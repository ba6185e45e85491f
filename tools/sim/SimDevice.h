#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantor::sim {

// One active item of the configuration.
struct SimItem {
    std::string name;
    std::optional<std::size_t> key;  // quantity key index; none for an item without one
    std::uint32_t address = 0;       // register or information object address
    unsigned size = 2;               // value size in bytes
    std::uint8_t group = 20;         // interrogation cause: 20 + group, 20 for none
    bool clock = false;              // the transducer clock's millisecond item
};

// What the simulator takes from a .dat file.
struct SimDevice {
    std::vector<SimItem> items;
    std::uint16_t address = 1;
    bool iecTag = false;  // the protocol tag names IEC 60870-5-101
    std::uint8_t addressSize = 1;
    std::uint8_t ioaSize = 2;
    std::uint8_t causeSize = 1;
};

// Reads a configuration with the program's own reader; on failure `error` says why.
std::optional<SimDevice> LoadDevice(const std::string& path, std::string& error);

}  // namespace vantor::sim

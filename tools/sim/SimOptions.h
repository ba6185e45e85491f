#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vantor::sim {

enum class SimProtocol { Modbus, Iec101 };
enum class SimFraming { Auto, Rtu, Ascii };
// The forms of the IEC 60870-5-101 read command answered: a request of class 2 data carrying
// the ASDU (function 11), and user data with confirmation whose answer waits as class 1 data
// (function 3).
enum class SimReadForm { Both, RequestWithData, UserData };

// Everything the command line can ask of the simulator.
struct SimOptions {
    std::string port = "COM1";
    std::string configPath;                 // empty: the demo configuration of the source tree
    std::optional<SimProtocol> protocol;    // none: the protocol tag of the configuration
    SimFraming framing = SimFraming::Auto;  // Modbus: recognised from each request
    std::optional<std::uint16_t> address;   // none: the device address of the configuration
    bool silent = false;
    unsigned badChecksumEvery = 0;  // 0: every checksum is sound
    std::optional<std::uint8_t> exceptionCode;
    std::optional<std::uint8_t> replyAddress;
    std::uint8_t valueType = 9;               // IEC 60870-5-101: 9, 10, 21 or 143
    bool sequence = false;                    // IEC 60870-5-101: SQ = 1
    std::optional<std::uint8_t> refuseCause;  // IEC 60870-5-101: 44 to 47
    std::optional<std::uint8_t> refuseType;   // none: every command is refused
    bool standardSecondary = false;  // class 1 data flagged with ACD and fetched by class 1 only
    bool negativeDeactivation = false;
    SimReadForm readForm = SimReadForm::Both;
    unsigned lineDelayMs = 20;
    long clockOffsetS = 0;
    std::string recordPath;
    bool trace = false;
    bool help = false;
};

struct ParsedOptions {
    SimOptions options;
    std::string error;  // empty when the command line was understood
};

ParsedOptions ParseOptions(std::span<const char* const> args);
std::string HelpText();

}  // namespace vantor::sim

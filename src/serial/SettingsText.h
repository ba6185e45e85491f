#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/SerialDevice.h"

namespace vantor {

// The four line settings a settings text such as "9600,N,7,2" or "19200,ЧЕТ,8,1" names.
struct SettingsFields {
    std::uint32_t baudRate = 0;
    std::uint8_t dataBits = 0;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;

    bool operator==(const SettingsFields&) const = default;
};

// Reads a settings text: spaces anywhere are ignored; the baud rate is the field's leading
// digits (0 without any); parity is "НЕТ", "ЧЕТ", "НЕЧЕТ" or a text starting with N, O, E, M
// or S; data bits one digit; stop bits "1", "1.5" or "2". Nothing for any other parity, data
// bits or stop-bits text. Throws InvalidArgument for fewer than three commas: the program
// builds every settings text itself, so that is a programming error.
std::optional<SettingsFields> ParseSettingsText(std::string_view text);

// The settings texts the dialog keeps, as the serial port page shows them.
struct SettingsTexts {
    std::string baud;
    std::string parity;
    std::string dataBits;
    std::string stopBits;
    bool eightBit = false;

    bool operator==(const SettingsTexts&) const = default;
};

// The packed settings byte of the configuration file: bits 0-3 baud code (2 = 1200 …
// 10 = 115200, any other code an empty baud text), bit 4 two stop bits, bits 5-6 parity
// (2 even, 3 odd, otherwise none), bit 7 eight data bits.
SettingsTexts UnpackSettingsByte(std::uint8_t packed);

// baud "," parity "," data bits "," stop bits: the text every producer hands to Configure.
std::string JoinSettingsText(const std::string& baud, const std::string& parity,
                             const std::string& dataBits, const std::string& stopBits);

}  // namespace vantor

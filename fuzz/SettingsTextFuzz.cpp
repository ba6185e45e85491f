// Serial settings texts, as the port object reads them before it changes the line. A text with
// three commas is read or refused, never thrown out; the port takes exactly what it read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "serial/SettingsText.h"

using namespace vantor;
using namespace vantor::fuzz;

namespace {

std::optional<SettingsFields> ParseOrRefuse(const std::string& text, bool& refused) {
    refused = false;
    try {
        return ParseSettingsText(text);
    } catch (const InvalidArgument&) {
        refused = true;
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    bool refused = false;
    const auto fields = ParseOrRefuse(text, refused);
    FUZZ_CHECK(refused == (std::count(text.begin(), text.end(), ',') < 3));

    ReplayPort replay({}, 1);
    LineSettings before;
    replay.line.device.GetSettings(before);
    const auto configured =
        CodeOrRefusal([&] { return static_cast<std::uint8_t>(replay.port.Configure(text)); });
    FUZZ_CHECK(configured.has_value() == !refused);
    LineSettings after;
    replay.line.device.GetSettings(after);
    if (fields) {
        FUZZ_CHECK(configured == TRUE);
        FUZZ_CHECK(after.baudRate == fields->baudRate && after.dataBits == fields->dataBits &&
                   after.parity == fields->parity && after.stopBits == fields->stopBits &&
                   !after.dtrOn && after.rtsOn);
    } else {
        FUZZ_CHECK(configured != TRUE && after == before);
    }

    // Whatever packed byte a configuration file holds, the text made of it reads back.
    const SettingsTexts unpacked = UnpackSettingsByte(size == 0 ? 0 : data[0]);
    const auto joined = ParseSettingsText(
        JoinSettingsText(unpacked.baud, unpacked.parity, unpacked.dataBits, unpacked.stopBits));
    FUZZ_CHECK(joined.has_value() && (joined->baudRate == 0) == unpacked.baud.empty());
    return 0;
}

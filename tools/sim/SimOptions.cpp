#include "SimOptions.h"

#include <charconv>
#include <functional>
#include <map>

namespace vantor::sim {
namespace {

// A whole decimal (or 0x-prefixed hexadecimal) number within [low, high].
std::optional<long> Number(const std::string& text, long low, long high) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* first = text.data() + (hex ? 2 : 0);
    const char* last = text.data() + text.size();
    long value = 0;
    const auto [end, error] = std::from_chars(first, last, value, hex ? 16 : 10);
    if (error != std::errc() || end != last || first == last || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

using ValueHandler = std::function<bool(SimOptions&, const std::string&)>;
using FlagHandler = std::function<void(SimOptions&)>;

template <typename Field>
ValueHandler NumberInto(Field SimOptions::*field, long low, long high) {
    return [=](SimOptions& o, const std::string& text) {
        const auto value = Number(text, low, high);
        if (value) {
            o.*field = static_cast<Field>(*value);
        }
        return value.has_value();
    };
}

template <typename Field>
ValueHandler OptionalNumberInto(std::optional<Field> SimOptions::*field, long low, long high) {
    return [=](SimOptions& o, const std::string& text) {
        const auto value = Number(text, low, high);
        if (value) {
            o.*field = static_cast<Field>(*value);
        }
        return value.has_value();
    };
}

bool PortName(SimOptions& o, const std::string& text) {
    const auto number = text.size() > 3 && text.compare(0, 3, "COM") == 0
                            ? Number(text.substr(3), 1, 8)
                            : std::nullopt;
    if (number) {
        o.port = text;
    }
    return number.has_value();
}

bool ProtocolName(SimOptions& o, const std::string& text) {
    if (text == "modbus") {
        o.protocol = SimProtocol::Modbus;
    } else if (text == "iec101") {
        o.protocol = SimProtocol::Iec101;
    } else {
        return false;
    }
    return true;
}

bool FramingName(SimOptions& o, const std::string& text) {
    static const std::map<std::string, SimFraming> names = {
        {"auto", SimFraming::Auto}, {"rtu", SimFraming::Rtu}, {"ascii", SimFraming::Ascii}};
    const auto found = names.find(text);
    if (found != names.end()) {
        o.framing = found->second;
    }
    return found != names.end();
}

bool ReadFormName(SimOptions& o, const std::string& text) {
    static const std::map<std::string, SimReadForm> names = {
        {"both", SimReadForm::Both},
        {"request", SimReadForm::RequestWithData},
        {"user-data", SimReadForm::UserData}};
    const auto found = names.find(text);
    if (found != names.end()) {
        o.readForm = found->second;
    }
    return found != names.end();
}

bool ValueType(SimOptions& o, const std::string& text) {
    const auto type = Number(text, 0, 255);
    const bool known = type && (*type == 9 || *type == 10 || *type == 21 || *type == 143);
    if (known) {
        o.valueType = static_cast<std::uint8_t>(*type);
    }
    return known;
}

bool Sequence(SimOptions& o, const std::string& text) {
    const auto sq = Number(text, 0, 1);
    if (sq) {
        o.sequence = *sq == 1;
    }
    return sq.has_value();
}

const std::map<std::string, ValueHandler>& ValueOptions() {
    static const std::map<std::string, ValueHandler> options = {
        {"--port", PortName},
        {"--config",
         [](SimOptions& o, const std::string& text) {
             o.configPath = text;
             return !text.empty();
         }},
        {"--protocol", ProtocolName},
        {"--framing", FramingName},
        {"--address", OptionalNumberInto(&SimOptions::address, 0, 0xFFFF)},
        {"--bad-crc-every", NumberInto(&SimOptions::badChecksumEvery, 1, 1000000)},
        {"--exception", OptionalNumberInto(&SimOptions::exceptionCode, 1, 255)},
        {"--reply-address", OptionalNumberInto(&SimOptions::replyAddress, 0, 255)},
        {"--type", ValueType},
        {"--sq", Sequence},
        {"--refuse", OptionalNumberInto(&SimOptions::refuseCause, 44, 47)},
        {"--refuse-type", OptionalNumberInto(&SimOptions::refuseType, 100, 106)},
        {"--read-form", ReadFormName},
        {"--line-delay", NumberInto(&SimOptions::lineDelayMs, 0, 10000)},
        {"--clock-offset", NumberInto(&SimOptions::clockOffsetS, -86400L * 366, 86400L * 366)},
        {"--record",
         [](SimOptions& o, const std::string& text) {
             o.recordPath = text;
             return !text.empty();
         }},
    };
    return options;
}

const std::map<std::string, FlagHandler>& FlagOptions() {
    static const std::map<std::string, FlagHandler> flags = {
        {"--silent", [](SimOptions& o) { o.silent = true; }},
        {"--trace", [](SimOptions& o) { o.trace = true; }},
        {"--standard-secondary", [](SimOptions& o) { o.standardSecondary = true; }},
        {"--negative-deactivation", [](SimOptions& o) { o.negativeDeactivation = true; }},
        {"--help", [](SimOptions& o) { o.help = true; }},
        {"-h", [](SimOptions& o) { o.help = true; }},
    };
    return flags;
}

}  // namespace

ParsedOptions ParseOptions(std::span<const char* const> args) {
    ParsedOptions parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string name = args[i];
        if (const auto flag = FlagOptions().find(name); flag != FlagOptions().end()) {
            flag->second(parsed.options);
            continue;
        }
        const auto option = ValueOptions().find(name);
        if (option == ValueOptions().end()) {
            parsed.error = "unknown option " + name;
            return parsed;
        }
        if (i + 1 >= args.size() || !option->second(parsed.options, args[i + 1])) {
            parsed.error = "bad or missing value for " + name;
            return parsed;
        }
        ++i;
    }
    return parsed;
}

std::string HelpText() {
    return R"help(Usage: vantor3-sim [options]

A virtual three-phase measuring transducer on a pseudo-terminal. The terminal is linked as
$HOME/.vantor3/ports/comN, where the program finds its port "COMn"; the link is removed when the
simulator ends (also on Ctrl-C and SIGTERM). Once the link exists a line "ready <link> <pty>"
is printed. The items, the device address, the protocol and the IEC 60870-5-101 field sizes come
from the .dat configuration file.

Modbus RTU and ASCII: function 4 reads the register map laid out by the items' addresses and
sizes; function 16 on the "Время (tms)" register sets the transducer clock (3 registers from
there: milliseconds of the minute, hour:minute, year-2000:month, then weekday*32+day) and is
answered with the echo of address and quantity. The framing of each request is recognised
from its first character (":" is ASCII) unless --framing forces one.

IEC 60870-5-101, unbalanced secondary station, as the transducer answers: status of link, reset
of remote link, class 2 requests (the frame count bit is honoured: a request whose bit did not
change gets the last answer again), interrogation of the station or of a group, read command
102 (the run of consecutive items from its address, cause 5), clock synchronisation 103 (the
new time is kept and reported on a line "clock ..."), delay acquisition 106 (the answer returns
the time the command was sent plus the time it waited here, less twice --line-delay; a delay
sent back is reported on a line "delay ..."). Commands are acknowledged; their confirmations
(cause 7, or 9 for the deactivation of the interrogation), the interrogated values (cause 20 +
group) and the termination (cause 10) wait as class 1 data. Every class 2 request is answered
with data: what waits in class 1 first, else the next block of values with cause 3. Answers
with data have the control field 08 exactly: ACD is never set. With --standard-secondary the
station is a standard secondary instead: ACD is set while class 1 data waits, class 1 data is
sent only for class 1 requests (function 10), and a class 2 request gets "no data" (function 9)
while class 1 data waits. The read command comes as a request of class 2 data carrying the
ASDU (function 11), answered at once, or as user data with confirmation (function 3), whose
values wait as class 1 data; --read-form chooses which of them are answered.

Values are raw codes, 5000 standing for the nominal input: voltages and currents near 5000,
powers consistent with them, the frequency near 50 Hz in thousandths, all varying slowly.

Options:
  --port COMn            port name to link, COM1 to COM8 (default COM1)
  --config FILE          .dat configuration (default samples/demo.dat); a relative path is
                         looked up in the current folder, the installed data folder
                         (share/vantor3 beside bin) and the source tree
  --protocol P           modbus or iec101 (default: the protocol tag of the configuration)
  --framing F            Modbus framing: auto, rtu or ascii (default auto)
  --address A            device address (default: the one of the configuration)
  --silent               never answer
  --bad-crc-every N      corrupt the checksum (CRC, LRC or FT1.2 sum) of every N-th answer
  --exception CODE       answer every Modbus request with this exception code
  --reply-address A      answer Modbus requests from address A instead of the device address
  --type T               IEC value type: 9, 10, 21 or 143 (default 9)
  --sq 0|1               IEC values as separate objects (0, default) or as a sequence (1)
  --refuse CAUSE         refuse IEC commands with cause 44 to 47: the command is answered by a
                         negative frame carrying the mirrored ASDU with that cause, and the
                         same mirror waits for the next class 2 request
  --refuse-type T        refuse only commands of type T (100, 102, 103 or 106)
  --standard-secondary   act as a standard secondary (ACD, class 1 requests, "no data")
  --negative-deactivation
                         confirm the deactivation of the interrogation negatively (cause 9
                         with P/N set), as a station with no interrogation running may
  --read-form F          read commands answered: both (default), request (function 11 only)
                         or user-data (function 3 only); the other form is refused with cause 44
  --line-delay MS        one-way line delay that delay acquisition is to measure (default 20)
  --clock-offset S       start the transducer clock S seconds off the computer's UTC clock
  --record FILE          append one line per answer carrying values: "<hh:mm:ss.mmm> key=code ..."
  --trace                print every frame received (rx) and sent (tx) with its UTC time stamp:
                         "<hh:mm:ss.mmm> rx|tx <hex bytes>", and before a frame the line settings
                         the master has set, whenever they change: "<hh:mm:ss.mmm> line 9600,N,8,2"
  --help                 this text
)help";
}

}  // namespace vantor::sim

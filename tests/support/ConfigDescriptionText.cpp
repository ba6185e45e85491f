#include "support/ConfigDescriptionText.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantor::test {
namespace {

struct Token {
    std::string text;
    bool quoted = false;
};
using Tokens = std::vector<Token>;

std::string ReadQuoted(std::string_view line, std::size_t& pos) {
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            ++pos;
        }
        text += line[pos];
    }
    throw std::invalid_argument("unterminated text");
}

Tokens Tokenise(std::string_view line) {
    Tokens tokens;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const char c = line[pos];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++pos;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            tokens.push_back({ReadQuoted(line, pos), true});
        } else {
            const std::size_t end = line.find_first_of(" \t\r#", pos);
            const std::size_t stop = end == std::string_view::npos ? line.size() : end;
            tokens.push_back({std::string(line.substr(pos, stop - pos)), false});
            pos = stop;
        }
    }
    return tokens;
}

std::uint64_t ParseNumber(const Token& token, std::uint64_t largest) {
    const bool hex = token.text.rfind("0x", 0) == 0 || token.text.rfind("0X", 0) == 0;
    const std::string digits = hex ? token.text.substr(2) : token.text;
    std::size_t used = 0;
    std::uint64_t value = 0;
    try {
        value = std::stoull(digits, &used, hex ? 16 : 10);
    } catch (const std::exception&) {
        used = 0;
    }
    if (token.quoted || digits.empty() || used != digits.size() || digits[0] == '-' ||
        value > largest) {
        throw std::invalid_argument("not a number in range: " + token.text);
    }
    return value;
}

// The arguments of one line, taken front to back.
class Arguments {
public:
    explicit Arguments(Tokens tokens) : tokens_(std::move(tokens)) {}

    bool Empty() const { return next_ >= tokens_.size(); }
    // Takes the next value when it is the bare word `word`.
    bool TakeWord(const char* word) {
        if (Empty() || tokens_[next_].quoted || tokens_[next_].text != word) {
            return false;
        }
        ++next_;
        return true;
    }
    const Token& Next() {
        if (Empty()) {
            throw std::invalid_argument("too few values");
        }
        return tokens_[next_++];
    }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(ParseNumber(Next(), 0xFF)); }
    std::uint16_t Word() { return static_cast<std::uint16_t>(ParseNumber(Next(), 0xFFFF)); }
    std::uint32_t Dword() { return static_cast<std::uint32_t>(ParseNumber(Next(), 0xFFFFFFFF)); }
    std::string Text() {
        const Token& token = Next();
        if (!token.quoted) {
            throw std::invalid_argument("a text must be quoted: " + token.text);
        }
        return token.text;
    }
    void End() const {
        if (!Empty()) {
            throw std::invalid_argument("too many values");
        }
    }

private:
    Tokens tokens_;
    std::size_t next_ = 0;
};

void ParseRecord(Arguments& args, ConfigDescription& d) {
    ConfigRecord record;
    record.wideName = args.TakeWord("utf16");
    record.name = args.Text();
    record.address = args.Text();
    record.size = args.Text();
    record.kind = args.Dword();
    record.divisor = args.Text();
    d.records.push_back(std::move(record));
}

ProtocolSection& Protocol(ConfigDescription& d) {
    if (!d.protocol) {
        d.protocol.emplace();
    }
    return *d.protocol;
}

MeasurementSection& Measurement(ConfigDescription& d) {
    if (!d.measurement) {
        d.measurement.emplace();
    }
    return *d.measurement;
}

template <typename Array>
void AppendAll(Arguments& args, Array& out, std::function<typename Array::value_type()> read) {
    while (!args.Empty()) {
        out.push_back(read());
    }
}

using Handler = std::function<void(Arguments&, ConfigDescription&)>;

const std::map<std::string, Handler>& Handlers() {
    static const std::map<std::string, Handler> handlers = {
        {"header",
         [](Arguments& a, ConfigDescription& d) {
             for (auto& byte : d.header) {
                 byte = a.Byte();
             }
         }},
        {"record", ParseRecord},
        {"address", [](Arguments& a, ConfigDescription& d) { d.addressLow = a.Byte(); }},
        {"serial", [](Arguments& a, ConfigDescription& d) { d.serial = a.Byte(); }},
        {"spare", [](Arguments& a, ConfigDescription& d) { d.spare = a.Byte(); }},
        {"wiring", [](Arguments& a, ConfigDescription& d) { d.wiring = a.Byte(); }},
        {"protocol-tag", [](Arguments& a, ConfigDescription& d) { Protocol(d).tag = a.Byte(); }},
        {"iec-sizes",
         [](Arguments& a, ConfigDescription& d) {
             ProtocolSection& p = Protocol(d);
             p.asduAddrSize = a.Byte();
             p.ioaSize = a.Byte();
             p.fixedFrame = a.Byte();
             p.cotSize = a.Byte();
         }},
        {"address-high",
         [](Arguments& a, ConfigDescription& d) { Protocol(d).addressHigh = a.Byte(); }},
        {"reserved",
         [](Arguments& a, ConfigDescription& d) {
             for (auto& byte : Protocol(d).reserved) {
                 byte = a.Byte();
             }
         }},
        {"groups",
         [](Arguments& a, ConfigDescription& d) {
             AppendAll<ByteArray>(a, Protocol(d).groups, [&a] { return a.Byte(); });
         }},
        {"nominal", [](Arguments& a, ConfigDescription& d) { Measurement(d).nominal = a.Byte(); }},
        {"attributes",
         [](Arguments& a, ConfigDescription& d) {
             AppendAll<ByteArray>(a, Measurement(d).attributes, [&a] { return a.Byte(); });
         }},
        {"ratios",
         [](Arguments& a, ConfigDescription& d) {
             for (auto& ratio : Measurement(d).ratios) {
                 ratio = static_cast<std::uint32_t>(ParseNumber(a.Next(), 0xFFFFFF));
             }
         }},
        {"ranges",
         [](Arguments& a, ConfigDescription& d) {
             AppendAll<WordArray>(a, Measurement(d).ranges, [&a] { return a.Word(); });
         }},
        {"trailer",
         [](Arguments& a, ConfigDescription& d) {
             AppendAll<ByteArray>(a, d.trailer, [&a] { return a.Byte(); });
         }},
    };
    return handlers;
}

void ParseLine(std::string_view line, ConfigDescription& d) {
    Tokens tokens = Tokenise(line);
    if (tokens.empty()) {
        return;
    }
    const Token keyword = tokens.front();
    tokens.erase(tokens.begin());
    const auto handler = Handlers().find(keyword.text);
    if (keyword.quoted || handler == Handlers().end()) {
        throw std::invalid_argument("unknown field: " + keyword.text);
    }
    Arguments args(std::move(tokens));
    handler->second(args, d);
    args.End();
}

}  // namespace

ConfigDescription ParseConfigDescription(std::string_view text) {
    ConfigDescription description;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        ++lineNumber;
        try {
            ParseLine(text.substr(start, stop - start), description);
        } catch (const std::invalid_argument& e) {
            throw std::invalid_argument("line " + std::to_string(lineNumber) + ": " + e.what());
        }
        start = stop + 1;
    }
    return description;
}

}  // namespace vantor::test

#include "support/IecFrames.h"

#include <sstream>

namespace vantor::test {

ByteArray Hex(const std::string& text) {
    std::istringstream in(text);
    ByteArray bytes;
    std::string pair;
    while (in >> pair) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(pair, nullptr, 16)));
    }
    return bytes;
}

ByteArray Framed(const ByteArray& userData) {
    const auto length = static_cast<std::uint8_t>(userData.size());
    ByteArray frame{0x68, length, length, 0x68};
    std::uint8_t sum = 0;
    for (const std::uint8_t octet : userData) {
        frame.push_back(octet);
        sum = static_cast<std::uint8_t>(sum + octet);
    }
    frame.push_back(sum);
    frame.push_back(0x16);
    return frame;
}

}  // namespace vantor::test

#include "config/ConfigFields.h"

#include <limits>

#include "config/ConfigFailure.h"
#include "text/Windows1251.h"

namespace vantor {
namespace {

constexpr std::uint8_t kLongerLength = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kDwordLength = 0xFFFF;
constexpr std::uint32_t kQwordLength = 0xFFFFFFFF;
constexpr std::uint64_t kLargestLength = 0x7FFFFFFF;
// The longest string: 0xFFFFFFFE UTF-16 units.
static_assert(std::numeric_limits<std::size_t>::max() / 2 >= kQwordLength);

std::uint64_t ReadLittleEndian(IByteStream& stream, std::size_t size) {
    const ByteArray bytes = stream.Read(size);
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = (value << 8) | At(bytes, i);
    }
    return value;
}

struct StringLength {
    std::uint64_t characters = 0;
    bool wide = false;
};

// Each step of the prefix either gives the length or escapes to the next, wider one; the
// UTF-16 marker sits at the word step and is followed by a prefix of its own.
StringLength ReadStringLength(IByteStream& stream) {
    StringLength length;
    std::uint8_t shortLength = ReadByte(stream);
    if (shortLength < kLongerLength) {
        length.characters = shortLength;
        return length;
    }
    std::uint16_t wordLength = ReadWord(stream);
    if (wordLength == kWideMarker) {
        length.wide = true;
        shortLength = ReadByte(stream);
        if (shortLength < kLongerLength) {
            length.characters = shortLength;
            return length;
        }
        wordLength = ReadWord(stream);
    }
    if (wordLength < kDwordLength) {
        length.characters = wordLength;
        return length;
    }
    const std::uint32_t dwordLength = ReadDword(stream);
    if (dwordLength < kQwordLength) {
        length.characters = dwordLength;
        return length;
    }
    length.characters = ReadLittleEndian(stream, 8);
    if (length.characters > kLargestLength) {
        throw ReadFailure(ReadFailure::Kind::BadLength);
    }
    return length;
}

std::string DecodeUtf16Le(const ByteArray& bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(At(bytes, 2 * i) | (At(bytes, 2 * i + 1) << 8));
    }
    return Windows1251ToUtf8(Utf16ToWindows1251(units));
}

}  // namespace

std::uint8_t ReadByte(IByteStream& stream) {
    return static_cast<std::uint8_t>(ReadLittleEndian(stream, 1));
}

std::uint16_t ReadWord(IByteStream& stream) {
    return static_cast<std::uint16_t>(ReadLittleEndian(stream, 2));
}

std::uint32_t ReadDword(IByteStream& stream) {
    return static_cast<std::uint32_t>(ReadLittleEndian(stream, 4));
}

std::string ReadString(IByteStream& stream) {
    const StringLength length = ReadStringLength(stream);
    const std::uint64_t byteCount = length.wide ? 2 * length.characters : length.characters;
    const ByteArray bytes = stream.Read(static_cast<std::size_t>(byteCount));
    if (length.wide) {
        return DecodeUtf16Le(bytes);
    }
    return Windows1251ToUtf8(std::string(bytes.begin(), bytes.end()));
}

}  // namespace vantor

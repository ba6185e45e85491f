// The IEC 60870-5-101 side of the monitor's decoder: FT1.2 framing, the control field, and
// the head of the ASDU of a variable frame.
#include <array>

#include "iec101/Ft12Codec.h"
#include "monitor/FrameDecoder.h"
#include "monitor/MonitorText.h"

namespace vantor {

namespace {

constexpr std::uint8_t kPrmBit = 0x40;
constexpr std::uint8_t kFcvOrDfcBit = 0x10;
constexpr std::uint8_t kFcbOrAcdBit = 0x20;
constexpr std::uint8_t kFunctionMask = 0x0F;
constexpr std::uint8_t kCountMask = 0x7F;
constexpr std::uint8_t kNegativeBit = 0x40;
constexpr std::uint8_t kTestBit = 0x80;
constexpr std::uint8_t kCauseMask = 0x3F;
constexpr std::size_t kVariableHeader = 4;  // 68 L L 68
constexpr std::size_t kFrameTail = 2;       // checksum, end

struct Named {
    unsigned code;
    const char* name;
};

// Functions of the unbalanced link, from the primary and from the secondary station.
constexpr std::array<Named, 8> kPrimaryFunctions = {{
    {0, "сброс удалённого канала"},
    {1, "сброс пользовательского процесса"},
    {3, "данные с подтверждением"},
    {4, "данные без подтверждения"},
    {8, "запрос доступа"},
    {9, "запрос состояния канала"},
    {10, "запрос данных класса 1"},
    {11, "запрос данных класса 2"},
}};
constexpr std::array<Named, 7> kSecondaryFunctions = {{
    {0, "положительное подтверждение"},
    {1, "отрицательное подтверждение"},
    {8, "данные пользователя"},
    {9, "нет запрошенных данных"},
    {11, "состояние канала"},
    {14, "канал не работает"},
    {15, "канал не реализован"},
}};
constexpr std::array<Named, 8> kTypes = {{
    {9, "M_ME_NA_1"},
    {10, "M_ME_TA_1"},
    {21, "M_ME_ND_1"},
    {100, "C_IC_NA_1, опрос"},
    {102, "C_RD_NA_1, чтение"},
    {103, "C_CS_NA_1, синхронизация часов"},
    {106, "C_CD_NA_1, задержка"},
    {143, "значения с меткой времени"},
}};
constexpr std::array<Named, 15> kCauses = {{
    {1, "периодически"},
    {2, "фоновое сканирование"},
    {3, "спорадически"},
    {4, "инициализация"},
    {5, "запрос"},
    {6, "активация"},
    {7, "подтверждение активации"},
    {8, "деактивация"},
    {9, "подтверждение деактивации"},
    {10, "завершение активации"},
    {20, "ответ на общий опрос"},
    {44, "неизвестный тип"},
    {45, "неизвестная причина передачи"},
    {46, "неизвестный общий адрес"},
    {47, "неизвестный адрес объекта"},
}};
constexpr unsigned kFirstGroupCause = 21;
constexpr unsigned kLastGroupCause = 36;

// "3 (name)", or the number alone when the code has no name.
template <std::size_t N>
std::string CodeText(unsigned code, const std::array<Named, N>& names) {
    for (const Named& named : names) {
        if (named.code == code) {
            return std::to_string(code) + " (" + named.name + ")";
        }
    }
    return std::to_string(code);
}

std::string CauseText(unsigned cause) {
    if (cause >= kFirstGroupCause && cause <= kLastGroupCause) {
        return std::to_string(cause) + " (ответ на опрос группы " +
               std::to_string(cause - kFirstGroupCause + 1) + ")";
    }
    return CodeText(cause, kCauses);
}

std::string Bit(const char* name, std::uint8_t field, std::uint8_t mask) {
    return std::string(name) + ((field & mask) != 0 ? "=1" : "=0");
}

std::string ControlText(std::uint8_t control) {
    const unsigned function = control & kFunctionMask;
    if ((control & kPrmBit) != 0) {
        return "от первичной, " + Bit("FCB", control, kFcbOrAcdBit) + ", " +
               Bit("FCV", control, kFcvOrDfcBit) + ", функция " +
               CodeText(function, kPrimaryFunctions);
    }
    return "от вторичной, " + Bit("ACD", control, kFcbOrAcdBit) + ", " +
           Bit("DFC", control, kFcvOrDfcBit) + ", функция " +
           CodeText(function, kSecondaryFunctions);
}

// Reads the fields of a frame in order, low octet first; running past the end throws
// InvalidArgument, which the caller turns into a note.
class FieldReader {
public:
    FieldReader(std::span<const std::uint8_t> octets, std::size_t at) : octets_(octets), at_(at) {}
    std::uint32_t Take(std::size_t count) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            value |= std::uint32_t{At(octets_, at_ + i)} << (8 * i);
        }
        at_ += count;
        return value;
    }

private:
    std::span<const std::uint8_t> octets_;
    std::size_t at_;
};

std::size_t AddressOctets(std::uint8_t size) {
    return size == 1 ? 1 : 2;
}

// The head of the ASDU: type, SQ and count, cause with P/N and T, common address, first
// object address. `userData` runs from the control field to the last octet before the
// checksum.
void DescribeAsdu(std::span<const std::uint8_t> userData, const IecFieldSizes& sizes,
                  std::string& text) {
    FieldReader reader(userData, 1 + AddressOctets(sizes.address));
    text += ", тип " + CodeText(reader.Take(1), kTypes);
    const auto vsq = static_cast<std::uint8_t>(reader.Take(1));
    text += ", SQ=" + std::to_string(vsq >> 7) + ", объектов " + std::to_string(vsq & kCountMask);
    const auto cause = static_cast<std::uint8_t>(reader.Take(1));
    text += ", причина " + CauseText(cause & kCauseMask) + " " + Bit("P/N", cause, kNegativeBit) +
            " " + Bit("T", cause, kTestBit);
    if (sizes.cause != 1) {
        text += ", инициатор " + std::to_string(reader.Take(1));
    }
    text += ", общий адрес " + std::to_string(reader.Take(AddressOctets(sizes.address)));
    text += ", адрес объекта " + std::to_string(reader.Take(std::min<std::size_t>(sizes.ioa, 3)));
}

std::string ChecksumText(std::span<const std::uint8_t> summed, std::uint8_t found) {
    const std::uint8_t expected = Ft12Checksum(summed);
    if (found == expected) {
        return ", контрольная сумма верна";
    }
    return ", контрольная сумма неверна (" + HexOctet(found) + ", ожидалась " + HexOctet(expected) +
           ")";
}

// The end octet, and whatever arrived beyond the frame.
std::string TailText(std::span<const std::uint8_t> frame, std::size_t length) {
    std::string text = At(frame, length - 1) == kFrameEnd ? "" : ", нет стоп-байта 16";
    if (frame.size() > length) {
        text += "; после кадра ещё " + OctetCount(frame.size() - length);
    }
    return text;
}

void DescribeFixed(std::span<const std::uint8_t> frame, const IecFieldSizes& sizes,
                   std::string& text) {
    const std::size_t addressOctets = AddressOctets(sizes.address);
    const std::size_t length = 2 + addressOctets + kFrameTail;
    text = "фиксированный кадр, " + ControlText(At(frame, 1));
    text += ", адрес " + std::to_string(FieldReader(frame, 2).Take(addressOctets));
    text += ChecksumText(frame.subspan(1, 1 + addressOctets), At(frame, length - 2));
    text += TailText(frame, length);
}

void DescribeVariable(std::span<const std::uint8_t> frame, const IecFieldSizes& sizes,
                      std::string& text) {
    const std::uint8_t length = At(frame, 1);
    text = "кадр переменной длины, L=" + std::to_string(length);
    if (At(frame, 2) != length || At(frame, 3) != kVariableStart) {
        text += "; заголовок 68 L L 68 нарушен";
        return;
    }
    const std::size_t frameLength = kVariableHeader + length + kFrameTail;
    const auto userData = frame.subspan(kVariableHeader)
                              .first(std::min<std::size_t>(length, frame.size() - kVariableHeader));
    text += ", " + ControlText(At(userData, 0));
    text +=
        ", адрес " + std::to_string(FieldReader(userData, 1).Take(AddressOctets(sizes.address)));
    if (frame.size() < frameLength) {
        text += "; принято " + OctetCount(frame.size()) + " из " + OctetCount(frameLength);
    }
    DescribeAsdu(userData, sizes, text);
    text += ChecksumText(userData, At(frame, frameLength - 2));
    text += TailText(frame, frameLength);
}

}  // namespace

std::string DescribeFt12(const IecFieldSizes& sizes, std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return "пусто";
    }
    const std::uint8_t start = At(bytes, 0);
    if (start == kSingleAck) {
        std::string text = "одиночный символ E5";
        return bytes.size() == 1 ? text
                                 : text + "; после кадра ещё " + OctetCount(bytes.size() - 1);
    }
    if (start != kFixedStart && start != kVariableStart) {
        return "неизвестный стартовый байт " + HexOctet(start);
    }
    std::string text;
    try {
        if (start == kFixedStart) {
            DescribeFixed(bytes, sizes, text);
        } else {
            DescribeVariable(bytes, sizes, text);
        }
    } catch (const InvalidArgument&) {
        text +=
            (text.empty() ? "" : "; ") + ("кадр короче своих полей: " + OctetCount(bytes.size()));
    }
    return text;
}

}  // namespace vantor

// The traffic monitor's words for the frames of the codecs' own tables.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "iec101/Ft12Codec.h"
#include "modbus/AsciiFrame.h"
#include "modbus/RtuFrame.h"
#include "monitor/FrameDecoder.h"
#include "monitor/MonitorText.h"
#include "support/FakeSerialDevice.h"
#include "support/IecFrames.h"
#include "support/ModbusFrames.h"

namespace vantor::test {
namespace {

constexpr auto kSent = TraceDirection::Sent;
constexpr auto kReceived = TraceDirection::Received;

struct DecoderCase {
    const char* name;
    TraceDirection direction;
    ByteArray frame;
    std::string summary;
};

void ExpectSummaries(Transport transport, const IecFieldSizes& sizes,
                     const std::vector<DecoderCase>& cases) {
    for (const DecoderCase& c : cases) {
        EXPECT_EQ(DescribeFrame({transport, sizes}, c.direction, c.frame), c.summary) << c.name;
    }
}

TEST(FrameDecoder, ModbusRtu) {
    ExpectSummaries(
        Transport::ModbusRtu, {},
        {
            {"read request", kSent, BuildRtuRequest(1, 4, 0, {0, 10}),
             "адрес 1, функция 4 (чтение входных регистров), регистры с 0x0000, количество 10, "
             "CRC верна"},
            {"clock write", kSent,
             WithCrc({1, 16, 0x01, 0x00, 0, 3, 7, 0x0C, 0xB2, 21, 15, 26, 12, 72}),
             "адрес 1, функция 16 (запись регистров), регистры с 0x0100, количество 3, 7 байт "
             "данных, CRC верна"},
            {"two registers", kReceived, WithCrc({1, 4, 4, 0x13, 0x88, 0xFF, 0x9C}),
             "адрес 1, функция 4 (чтение входных регистров), 4 байта: 0x1388 0xFF9C, CRC верна"},
            {"clock write echo", kReceived, WithCrc({1, 16, 1, 0, 0, 3}),
             "адрес 1, функция 16 (запись регистров), регистры с 0x0100, количество 3, CRC верна"},
            {"illegal address", kReceived, WithCrc({1, 0x84, 2}),
             "адрес 1, на функцию 4 исключение 2 (адрес данных недоступен), CRC верна"},
            {"exception code of no name", kReceived, WithCrc({1, 0x84, 200}),
             "адрес 1, на функцию 4 исключение 200, CRC верна"},
            {"unknown function", kReceived, WithCrc({1, 5, 0, 1, 0xFF}),
             "адрес 1, функция 5, CRC верна"},
            {"bad CRC",
             kReceived,
             {1, 4, 2, 0, 5, 0x00, 0x00},
             "адрес 1, функция 4 (чтение входных регистров), 2 байта: 0x0005, CRC неверна "
             "(0x0000, ожидалась 0x3379)"},
            {"byte count beyond the frame", kReceived, WithCrc({1, 4, 4, 0, 1}),
             "адрес 1, функция 4 (чтение входных регистров), 4 байта: 0x0001; кадр короче своих "
             "полей, CRC верна"},
            {"request cut short", kSent, WithCrc({1, 4, 0}),
             "адрес 1, функция 4 (чтение входных регистров); кадр короче своих полей, CRC верна"},
            {"stray byte", kReceived, {0x55}, "слишком короткий кадр RTU: 1 байт"},
        });
}

TEST(FrameDecoder, ModbusAscii) {
    ExpectSummaries(
        Transport::ModbusAscii, {},
        {
            {"read request", kSent, Bytes(BuildAsciiRequest(1, 4, 0, {0, 10})),
             "адрес 1, функция 4 (чтение входных регистров), регистры с 0x0000, количество 10, "
             "LRC верна"},
            {"two registers", kReceived, Bytes(AsciiOf({1, 4, 4, 0x13, 0x88, 0xFF, 0x9C})),
             "адрес 1, функция 4 (чтение входных регистров), 4 байта: 0x1388 0xFF9C, LRC верна"},
            {"illegal address", kReceived, Bytes(AsciiOf({1, 0x84, 2})),
             "адрес 1, на функцию 4 исключение 2 (адрес данных недоступен), LRC верна"},
            {"wrong LRC", kReceived, Bytes(":0104020005F5\r\n"),
             "адрес 1, функция 4 (чтение входных регистров), 2 байта: 0x0005, LRC неверна "
             "(0xF5, ожидалась 0xF4)"},
            {"lower-case LRC", kReceived, Bytes(":0104020005f4\r\n"),
             "не шестнадцатеричный символ 0x66 на месте 11"},
            {"CR alone", kReceived, Bytes(":0104020005F4\r"),
             "не шестнадцатеричный символ 0x0D на месте 13"},
            {"no CR LF", kReceived, Bytes(":0104020005F4"),
             "адрес 1, функция 4 (чтение входных регистров), 2 байта: 0x0005, LRC верна; нет CR "
             "LF в конце"},
            {"no colon", kReceived, Bytes(";0104020005F4\r\n"), "нет начального символа «:»"},
            {"RTU bytes instead", kReceived, BuildRtuRequest(1, 4, 0, {0, 10}),
             "нет начального символа «:»"},
            {"odd count", kReceived, Bytes(":010\r\n"), "нечётное число символов: 3"},
            {"too short", kReceived, Bytes(":00\r\n"), "слишком короткий кадр ASCII: 2 симв."},
        });
}

TEST(FrameDecoder, Ft12) {
    const IecFieldSizes sizes{1, 2, 1};
    ExpectSummaries(
        Transport::Iec101, sizes,
        {
            {"single character", kReceived, Hex("E5"), "одиночный символ E5"},
            {"two single characters", kReceived, Hex("E5 E5"),
             "одиночный символ E5; после кадра ещё 1 байт"},
            {"link status request", kSent, FixedFrame(kCtrlLinkStatus, 1, 1),
             "фиксированный кадр, от первичной, FCB=0, FCV=0, функция 9 (запрос состояния "
             "канала), адрес 1, контрольная сумма верна"},
            {"class 2 with FCB", kSent, FixedFrame(kCtrlClass2 | kFcbBit, 1, 1),
             "фиксированный кадр, от первичной, FCB=1, FCV=1, функция 11 (запрос данных класса "
             "2), адрес 1, контрольная сумма верна"},
            {"status of link with DFC", kReceived, Hex("10 1B 01 1C 16"),
             "фиксированный кадр, от вторичной, ACD=0, DFC=1, функция 11 (состояние канала), "
             "адрес 1, контрольная сумма верна"},
            {"acknowledgement with ACD", kReceived, Hex("10 20 01 21 16"),
             "фиксированный кадр, от вторичной, ACD=1, DFC=0, функция 0 (положительное "
             "подтверждение), адрес 1, контрольная сумма верна"},
            {"wrong checksum", kReceived, Hex("10 0B 01 0D 16"),
             "фиксированный кадр, от вторичной, ACD=0, DFC=0, функция 11 (состояние канала), "
             "адрес 1, контрольная сумма неверна (0x0D, ожидалась 0x0C)"},
            {"wrong end", kReceived, Hex("10 0B 01 0C 17"),
             "фиксированный кадр, от вторичной, ACD=0, DFC=0, функция 11 (состояние канала), "
             "адрес 1, контрольная сумма верна, нет стоп-байта 16"},
            {"other function", kReceived, Hex("10 0C 01 0D 16"),
             "фиксированный кадр, от вторичной, ACD=0, DFC=0, функция 12, адрес 1, контрольная "
             "сумма верна"},
            {"four octets", kReceived, Hex("10 0B 01 0C"),
             "фиксированный кадр, от вторичной, ACD=0, DFC=0, функция 11 (состояние канала), "
             "адрес 1, контрольная сумма верна; кадр короче своих полей: 4 байта"},
            {"wrong start", kReceived, Hex("69 0B 01 0C 16"), "неизвестный стартовый байт 0x69"},
            {"interrogation", kSent, Framed(Hex("73 01 64 01 06 01 00 00 14")),
             "кадр переменной длины, L=9, от первичной, FCB=1, FCV=1, функция 3 (данные с "
             "подтверждением), адрес 1, тип 100 (C_IC_NA_1, опрос), SQ=0, объектов 1, причина "
             "6 (активация) P/N=0 T=0, общий адрес 1, адрес объекта 0, контрольная сумма верна"},
            {"interrogated values", kReceived,
             Framed(Hex("08 01 09 82 14 01 00 01 10 27 00 A0 0F 00")),
             "кадр переменной длины, L=14, от вторичной, ACD=0, DFC=0, функция 8 (данные "
             "пользователя), адрес 1, тип 9 (M_ME_NA_1), SQ=1, объектов 2, причина 20 (ответ на "
             "общий опрос) P/N=0 T=0, общий адрес 1, адрес объекта 256, контрольная сумма верна"},
            {"group answer, private type", kReceived,
             Framed(Hex("28 01 8F 01 16 01 00 01 10 27 00")),
             "кадр переменной длины, L=11, от вторичной, ACD=1, DFC=0, функция 8 (данные "
             "пользователя), адрес 1, тип 143 (значения с меткой времени), SQ=0, объектов 1, "
             "причина 22 (ответ на опрос группы 2) P/N=0 T=0, общий адрес 1, адрес объекта 256, "
             "контрольная сумма верна"},
            {"negative confirmation", kReceived, Framed(Hex("08 01 64 01 47 01 00 00 14")),
             "кадр переменной длины, L=9, от вторичной, ACD=0, DFC=0, функция 8 (данные "
             "пользователя), адрес 1, тип 100 (C_IC_NA_1, опрос), SQ=0, объектов 1, причина 7 "
             "(подтверждение активации) P/N=1 T=0, общий адрес 1, адрес объекта 0, контрольная "
             "сумма верна"},
            {"unknown object, test bit", kReceived, Framed(Hex("09 01 C8 01 AF 01 00 00")),
             "кадр переменной длины, L=8, от вторичной, ACD=0, DFC=0, функция 9 (нет "
             "запрошенных данных), адрес 1, тип 200, SQ=0, объектов 1, причина 47 (неизвестный "
             "адрес объекта) P/N=0 T=1, общий адрес 1, адрес объекта 0, контрольная сумма верна"},
            {"ASDU shorter than its fields", kReceived, Framed(Hex("08 01 09 01")),
             "кадр переменной длины, L=4, от вторичной, ACD=0, DFC=0, функция 8 (данные "
             "пользователя), адрес 1, тип 9 (M_ME_NA_1), SQ=0, объектов 1; кадр короче своих "
             "полей: 10 байт"},
            {"cut short", kReceived, Hex("68 0C 0C 68 08 01 09"),
             "кадр переменной длины, L=12, от вторичной, ACD=0, DFC=0, функция 8 (данные "
             "пользователя), адрес 1; принято 7 байт из 18 байт, тип 9 (M_ME_NA_1); кадр короче "
             "своих "
             "полей: 7 байт"},
            {"length octets differ", kReceived, Hex("68 0B 0C 68 08 01 16"),
             "кадр переменной длины, L=11; заголовок 68 L L 68 нарушен"},
        });
}

TEST(FrameDecoder, Ft12FieldSizesOfTheConfiguration) {
    // Two-octet link and common addresses, a two-octet cause with its originator, three-octet
    // object addresses.
    const ByteArray frame = Framed(Hex("73 02 01 64 01 06 00 02 01 03 02 01 14"));
    EXPECT_EQ(DescribeFt12({2, 3, 2}, frame),
              "кадр переменной длины, L=13, от первичной, FCB=1, FCV=1, функция 3 (данные с "
              "подтверждением), адрес 258, тип 100 (C_IC_NA_1, опрос), SQ=0, объектов 1, "
              "причина 6 (активация) P/N=0 T=0, инициатор 0, общий адрес 258, адрес объекта "
              "66051, контрольная сумма верна");
    EXPECT_EQ(DescribeFt12({2, 2, 1}, FixedFrame(kCtrlResetLink, 0x0102, 2)),
              "фиксированный кадр, от первичной, FCB=0, FCV=0, функция 0 (сброс удалённого "
              "канала), адрес 258, контрольная сумма верна");
}

TEST(MonitorText, OctetCountsAndTimes) {
    EXPECT_EQ(OctetCount(1), "1 байт");
    EXPECT_EQ(OctetCount(3), "3 байта");
    EXPECT_EQ(OctetCount(12), "12 байт");
    EXPECT_EQ(OctetCount(22), "22 байта");
    EXPECT_EQ(OctetCount(111), "111 байт");
    EXPECT_EQ(HexOctets(Hex("01 0A FF")), "01 0A FF");
    SystemTime t;
    t.hour = 7, t.minute = 5, t.second = 3, t.milliseconds = 9;
    EXPECT_EQ(UtcText(t), "07:05:03.009");
}

// Whatever arrives, in any framing and any field sizes, gives a text and nothing else.
TEST(FrameDecoder, ArbitraryBytesGiveAText) {
    std::mt19937 random(20261210);
    const std::uint8_t starts[] = {0x10, 0x68, 0xE5, ':', 0x01};
    for (int round = 0; round < 20000; ++round) {
        ByteArray bytes(random() % 40);
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(random());
        }
        if (!bytes.empty()) {
            bytes[0] = starts[random() % std::size(starts)];
        }
        const IecFieldSizes sizes{static_cast<std::uint8_t>(random() % 4),
                                  static_cast<std::uint8_t>(random() % 5),
                                  static_cast<std::uint8_t>(random() % 3)};
        for (const Transport transport :
             {Transport::ModbusRtu, Transport::ModbusAscii, Transport::Iec101}) {
            for (const TraceDirection direction : {kSent, kReceived}) {
                EXPECT_FALSE(DescribeFrame({transport, sizes}, direction, bytes).empty());
            }
        }
    }
}

}  // namespace
}  // namespace vantor::test

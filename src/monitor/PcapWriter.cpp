#include "monitor/PcapWriter.h"

#include "platform/Types.h"

namespace vantor {

namespace {

constexpr std::uint32_t kPcapMagic = 0xA1B2C3D4;  // microsecond time stamps
constexpr std::uint16_t kVersionMajor = 2;
constexpr std::uint16_t kVersionMinor = 4;
constexpr std::uint32_t kSnapLength = 65535;
constexpr std::uint8_t kEventSent = 0x01;
constexpr std::uint8_t kEventReceived = 0x02;
constexpr std::size_t kSerialHeaderLength = 12;

// The file's own fields are little-endian (the magic number tells readers so); the serial
// header inside each packet is big-endian.
void PutLittle(ByteArray& out, std::uint32_t value, int octets) {
    for (int i = 0; i < octets; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void PutBig(ByteArray& out, std::uint32_t value, int octets) {
    for (int i = octets - 1; i >= 0; --i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

bool PcapWriter::Open(const std::string& path) {
    Close();
    m_file = std::fopen(path.c_str(), "wb");
    if (m_file == nullptr) {
        return false;
    }
    ByteArray header;
    PutLittle(header, kPcapMagic, 4);
    PutLittle(header, kVersionMajor, 2);
    PutLittle(header, kVersionMinor, 2);
    PutLittle(header, 0, 4);  // time zone: UTC
    PutLittle(header, 0, 4);  // accuracy of the time stamps
    PutLittle(header, kSnapLength, 4);
    PutLittle(header, kLinkTypeSerial, 4);
    if (std::fwrite(header.data(), 1, header.size(), m_file) != header.size() ||
        std::fflush(m_file) != 0) {
        Close();
        return false;
    }
    return true;
}

void PcapWriter::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool PcapWriter::Write(std::int64_t epochMs, TraceDirection direction,
                       std::span<const std::uint8_t> frame) {
    if (m_file == nullptr) {
        return false;
    }
    const auto seconds = static_cast<std::uint32_t>(epochMs / 1000);
    const auto micros = static_cast<std::uint32_t>(epochMs % 1000 * 1000);
    const auto length = static_cast<std::uint32_t>(kSerialHeaderLength + frame.size());
    ByteArray packet;
    packet.reserve(16 + length);
    PutLittle(packet, seconds, 4);
    PutLittle(packet, micros, 4);
    PutLittle(packet, length, 4);
    PutLittle(packet, length, 4);
    PutBig(packet, seconds, 4);
    PutBig(packet, micros, 4);
    packet.push_back(direction == TraceDirection::Sent ? kEventSent : kEventReceived);
    packet.push_back(0);   // modem lines: not known here
    PutBig(packet, 0, 2);  // footer
    packet.insert(packet.end(), frame.begin(), frame.end());
    if (std::fwrite(packet.data(), 1, packet.size(), m_file) != packet.size() ||
        std::fflush(m_file) != 0) {
        Close();
        return false;
    }
    return true;
}

}  // namespace vantor

#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

#include "serial/LineTrace.h"

namespace vantor {

// A capture file that packet analysers read: pcap with link type 250 (serial line with a
// 12-octet header per packet: the time, the event, 0x01 data sent or 0x02 data received, the
// modem lines and a footer, then the frame). Each packet goes to the disk as it is written.
class PcapWriter {
public:
    static constexpr std::uint32_t kLinkTypeSerial = 250;

    PcapWriter() = default;
    PcapWriter(const PcapWriter&) = delete;
    PcapWriter& operator=(const PcapWriter&) = delete;
    ~PcapWriter() { Close(); }

    // Creates (or empties) the file and writes its header; false when it cannot.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    // False when the disk refused it; the file is closed then.
    bool Write(std::int64_t epochMs, TraceDirection direction, std::span<const std::uint8_t> frame);

private:
    std::FILE* m_file = nullptr;
};

}  // namespace vantor

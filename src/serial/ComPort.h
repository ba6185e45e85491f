#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Paths.h"
#include "platform/SerialDevice.h"
#include "platform/Types.h"
#include "serial/SerialIo.h"

namespace vantor {

// The port name that means "no port in use"; it never opens.
inline constexpr const char* kNoPortName = "НЕТ";

// The port object: owns the open device, applies settings texts such as "9600,N,7,2", and
// carries the Modbus transactions.
class CComPort : public CSerialIo {
public:
    CComPort(IClock& clock, ISerialOpener& opener, IPaths& paths);

    BOOL Open(const std::string& portName);
    BOOL Configure(const std::string& settingsText);
    void Close();

    // Modbus (implemented under modbus/).
    void SendRtuRequest(std::uint8_t device, std::uint8_t function, std::uint16_t start,
                        const ByteArray& data);
    void SendAsciiRequest(std::uint8_t device, std::uint8_t function, std::uint16_t start,
                          const ByteArray& data);
    std::uint8_t ReceiveRtuReply(ByteArray& reply);
    std::uint8_t ReceiveAsciiReply(ByteArray& reply);
    // Appends the seven clock bytes of a clock-setting write (UTC now).
    void AppendClockData(ByteArray& data);

    LineSettings m_dcb;
    std::string m_strPortName;
    std::string m_strOpenPortName;
    // The device path of the last Open that the user was not permitted to open, else empty.
    std::string m_strDeniedPath;

private:
    ISerialOpener& m_opener;
    IPaths& m_paths;
    std::unique_ptr<ISerialDevice> m_device;
};

}  // namespace vantor

#include "serial/ComPort.h"

#include "serial/SettingsText.h"

namespace vantor {

CComPort::CComPort(IClock& clock, ISerialOpener& opener, IPaths& paths)
    : CSerialIo(clock), m_opener(opener), m_paths(paths) {}

BOOL CComPort::Open(const std::string& portName) {
    const auto path = m_paths.ResolvePort(portName);
    std::unique_ptr<ISerialDevice> device = path ? m_opener.Open(*path) : nullptr;
    // A device still held is released here rather than leaked; callers close it first anyway.
    m_device = std::move(device);
    m_hCom = m_device ? ComHandle::Of(m_device.get()) : ComHandle::Invalid();
    m_strDeniedPath = path && !m_device && m_opener.LastOpenDenied() ? *path : std::string();
    return m_device ? TRUE : FALSE;
}

BOOL CComPort::Configure(const std::string& settingsText) {
    ISerialDevice* device = m_hCom.Device();
    if (device == nullptr || !device->GetSettings(m_dcb)) {
        return FALSE;
    }
    const auto fields = ParseSettingsText(settingsText);
    if (!fields) {
        return FALSE;
    }
    m_dcb.baudRate = fields->baudRate;
    m_dcb.dataBits = fields->dataBits;
    m_dcb.parity = fields->parity;
    m_dcb.stopBits = fields->stopBits;
    m_dcb.dtrOn = false;
    m_dcb.rtsOn = true;
    return device->SetSettings(m_dcb) ? TRUE : FALSE;
}

void CComPort::Close() {
    if (!m_hCom.IsZero()) {
        m_device.reset();
        m_hCom = ComHandle::Zero();
    }
}

}  // namespace vantor

#include "polling/MorvikDlg.h"

#include <cmath>
#include <vector>

#include "config/Protocol.h"
#include "serial/SettingsText.h"

namespace vantor {
namespace {

// Modbus ASCII, the start-up framing: the text of kSettings9600N72.
constexpr const char* kStartupSettingsText = "9600,N,7,2";

// The first of "COM1" … "COM8" that opens, else "НЕТ" with no port open; `denied` collects
// the devices on the way that exist but that the user may not open.
std::string OpenFirstPort(CComPort& port, std::vector<std::string>& denied) {
    for (int n = 1; n <= 8; ++n) {
        const std::string name = "COM" + std::to_string(n);
        if (port.Open(name)) {
            return name;
        }
        if (!port.m_strDeniedPath.empty()) {
            denied.push_back(port.m_strDeniedPath);
        }
    }
    return kNoPortName;
}

// Serial devices belong to the group dialout; a user outside it sees only "НЕТ" otherwise.
std::string DeniedPortsText(const std::vector<std::string>& denied) {
    std::string devices;
    for (const std::string& path : denied) {
        devices += (devices.empty() ? "" : ", ") + path;
    }
    return "Нет доступа к порту " + devices +
           ": открывать его могут только члены группы dialout. Добавьте пользователя в группу "
           "командой \"sudo usermod -aG dialout $USER\" и войдите в систему заново.";
}

}  // namespace

CMorvikDlg::CMorvikDlg(IDialogWindow& window, const Platform& platform)
    : m_comboGroup(window, ctl::kGroupCombo),
      m_port(platform.clock, platform.serial, platform.paths),
      m_iec(platform.clock),
      m_wnd(window),
      m_platform(platform),
      m_transports(*this) {}

CMorvikDlg::~CMorvikDlg() {
    CloseLog();
}

BOOL CMorvikDlg::OnInitDialog() {
    m_nFcb = 1;
    m_bLinkReady = FALSE;
    m_bLoading = FALSE;
    // An existing folder is the usual case, and any other failure shows when a log is created.
    m_platform.paths.CreateFolder(m_platform.paths.LogFolder());
    m_pLogOpen = nullptr;
    m_bRunning = FALSE;
    m_nPeriod = 500;

    m_bPhysical = FALSE;
    m_nKn = m_nKt = 1;
    m_strDelay = "0";
    m_nUnitU = m_nUnitI = m_nUnitP = 1;
    m_nIecMode = kIecLinkReading;
    m_nDevMs = 0;
    m_nDevMin = m_nDevHour = 0;
    m_nAsduType = 143;
    m_strRecTime = "00 : 00 : 15";
    m_strRemain = "00 : 00 : 00";
    m_nMinPeriod = 150;

    // The coefficients of 100 V and 5 A as literals; the formulas take over once a nominal
    // value is set or a configuration is loaded.
    m_dUnom = 100.0;
    m_dInom = 5.0;
    m_kUph = 0.011547;
    m_kUl = 0.02;
    m_kI = 0.001;
    m_kPph = 0.057735;
    // The product 3 x 0.057735 in extended precision: one unit in the last place above
    // 0.173205, which decides the codes on a rounding edge, such as 500 (86.603).
    m_kP = std::nextafter(0.173205, 1.0);
    m_bSave = FALSE;

    m_nIecAsduAddrSize = 1;
    m_nIecIoaSize = 2;
    m_nIecFixedFrame = 16;
    m_nIecCotSize = 1;
    m_nProtoTag = 0;
    m_nProtocol = kModbusProtocol;

    ResetValues();
    RefreshValues();

    m_bFirstAnswer = TRUE;
    m_saDivisors.clear();
    m_comboGroup.SetCurSel(0);
    m_baActive.assign(kQuantityKeys.size(), 1);
    m_saQtyKeys.assign(kQuantityKeys.begin(), kQuantityKeys.end());

    std::vector<std::string> denied;
    m_port.m_strPortName = OpenFirstPort(m_port, denied);
    m_port.m_strOpenPortName = m_port.m_strPortName;

    m_port.Configure(kStartupSettingsText);
    ApplySerialSettings(kSettings9600N72);

    m_nDevAddr = 1;
    UpdateData(false);
    if (m_port.m_strPortName == kNoPortName && !denied.empty()) {
        m_wnd.MessageBox(DeniedPortsText(denied), "Ошибка", MessageIcon::Warning);
    }
    return TRUE;
}

void CMorvikDlg::SetLineTrace(ILineTrace* trace) {
    // The IEC channel reads and writes through its own copy of the handle.
    m_port.SetTrace(trace);
    m_iec.SetTrace(trace);
}

void CMorvikDlg::ApplySerialSettings(std::uint8_t packed) {
    const SettingsTexts texts = UnpackSettingsByte(packed);
    m_strBaud = texts.baud;
    m_strStopBits = texts.stopBits;
    m_strParity = texts.parity;
    m_b8Bit = texts.eightBit ? TRUE : FALSE;
    m_strDataBits = texts.dataBits;
    // A refused setting leaves the port as it was; the next exchange shows the consequence.
    m_port.Configure(SettingsText());
}

std::string CMorvikDlg::SettingsText() const {
    return JoinSettingsText(m_strBaud, m_strParity, m_strDataBits, m_strStopBits);
}

}  // namespace vantor

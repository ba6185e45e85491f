#include <array>

#include "config/ItemList.h"
#include "config/Protocol.h"
#include "iec101/AsduCodec.h"
#include "log/LogText.h"
#include "polling/MorvikDlg.h"

namespace vantor {
namespace {

using D = CMorvikDlg;

// The display text of every log column, by quantity index.
constexpr std::array<std::string D::*, kLogColumnCount> kColumnTexts = {
    &D::m_strUa,  &D::m_strUb,  &D::m_strUc,   &D::m_strUo,   &D::m_strIa,  &D::m_strIb,
    &D::m_strIc,  &D::m_strIo,  &D::m_strUab,  &D::m_strUbc,  &D::m_strUca, &D::m_strPa,
    &D::m_strPb,  &D::m_strPc,  &D::m_strP,    &D::m_strQa,   &D::m_strQb,  &D::m_strQc,
    &D::m_strQ,   &D::m_strSa,  &D::m_strSb,   &D::m_strSc,   &D::m_strS,   &D::m_strQfa,
    &D::m_strQfb, &D::m_strQfc, &D::m_strFreq, &D::m_strUfcp, &D::m_strIcp, &D::m_strUcp};

// Far more starts within one second than anyone can make; past it the folder is not usable.
constexpr unsigned kMaxNameAttempts = 1000;

}  // namespace

BOOL CMorvikDlg::OpenLog() {
    CloseLog();
    const SystemTime utc = m_platform.clock.UtcNow();
    const std::string folder = m_platform.paths.LogFolder();
    FileCreation created = FileCreation::NameTaken;
    for (unsigned attempt = 1; created == FileCreation::NameTaken && attempt <= kMaxNameAttempts;
         ++attempt) {
        m_strLogPath = folder + kPathSeparator + LogFileName(utc, attempt);
        created = m_fileLog.Create(m_strLogPath, m_fileErr);
    }
    if (created != FileCreation::Created) {
        return FALSE;
    }
    m_pLogOpen = &m_fileLog;
    m_fileLog.WriteLine(m_fileLog.Path());
    m_fileLog.WriteLine("");
    m_fileLog.WriteLine(LogHeaderLine(m_baActive));
    return TRUE;
}

void CMorvikDlg::ReportLogFailure() {
    m_wnd.MessageBox("Не могу создать файл, " + m_strLogPath, "Увы ошибка", MessageIcon::Warning);
}

void CMorvikDlg::WriteLogRow() {
    const SystemTime utc = m_platform.clock.UtcNow();
    // Measured values without a time tag carry no transducer clock worth logging.
    const bool untimedAsdu =
        m_nProtoTag == kIecProtoTag &&
        (m_nAsduType == kTypeMeasuredNormalised || m_nAsduType == kTypeMeasuredNoQuality);
    std::string row = ItemList(m_saItems).ClockItem() && !untimedAsdu
                          ? DeviceClockColumn(m_nDevHour, m_nDevMin, m_nDevMs)
                          : PcClockColumn(utc);
    for (std::size_t q = 0; q < kLogColumnCount; ++q) {
        if (At(m_baActive, q) == 1) {
            row += LogValueColumn(this->*kColumnTexts[q], m_bPhysical);
        }
    }
    m_fileLog.WriteLine(row);
}

void CMorvikDlg::CloseLog() {
    if (m_pLogOpen != nullptr) {
        m_pLogOpen = nullptr;
        m_fileLog.Close();
    }
}

}  // namespace vantor

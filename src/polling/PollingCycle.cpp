#include "iec101/AsduCodec.h"
#include "polling/MorvikDlg.h"
#include "polling/PollStatus.h"
#include "polling/RecordTime.h"
#include "text/ClockText.h"

namespace vantor {
namespace {

constexpr unsigned kRecordTickMs = 500;
constexpr std::uint8_t kDefaultAsduType = 143;
constexpr std::uint8_t kCauseLastInterrogated = 36;

ClockTime LocalClock(IClock& clock, std::int64_t time) {
    const SystemTime local = clock.LocalTime(time);
    return {local.hour, local.minute, local.second};
}

// Seconds with two decimals, unpadded: "21 : 15 : 3.25".
std::string PcTimeText(const SystemTime& utc) {
    const auto ms = static_cast<std::uint16_t>(utc.second * 1000 + utc.milliseconds);
    return ClockText(utc.hour, utc.minute, ms, " : ", '.');
}

// Periodic, background scan, spontaneous, requested, and interrogated by the station or a
// group. The transducer sends only the last three; a standard secondary sends the first two
// in answer to class 2 requests.
bool CarriesValues(std::uint8_t cause) {
    return (cause >= kCausePeriodic && cause <= kCauseSpontaneous) || cause == kCauseRequest ||
           (cause >= kCauseStationInterrogation && cause <= kCauseLastInterrogated);
}

void LockControls(IDialogWindow& window) {
    window.SetReadOnly(ctl::kPeriodEdit, true);
    window.SetReadOnly(ctl::kRecTimeEdit, true);
    window.EnableControl(ctl::kRecTimeCheck, false);
    window.EnableControl(ctl::kSaveCheck, false);
    window.Repaint();
}

void UnlockControls(IDialogWindow& window, bool recTimeWritable) {
    window.EnableControl(ctl::kFileTab, true);
    window.SetReadOnly(ctl::kPeriodEdit, false);
    window.SetReadOnly(ctl::kRecTimeEdit, !recTimeWritable);
    window.EnableControl(ctl::kRecTimeCheck, true);
    window.EnableControl(ctl::kSaveCheck, true);
    window.Repaint();
}

void SendNextRequest(CMorvikDlg& dlg, std::uint8_t cause) {
    dlg.m_bFirstAnswer = FALSE;
    dlg.PlanNextBlock();
    // The values about to be shown answer the request sent one tick ago.
    dlg.m_strPcTime = dlg.m_strPcTimeSent;
    dlg.m_strPcTimeSent = PcTimeText(dlg.Services().clock.UtcNow());
    dlg.LineTransport().SendNextRequest(cause);
    ++dlg.m_nRequests;
    dlg.UpdateData(false);
}

// Nothing of the cycle the failed answer broke reaches the display or the log.
void RestartCycle(CMorvikDlg& dlg) {
    dlg.m_baAccum.clear();
    dlg.m_nItemIndex = 0;
    dlg.PlanNextBlock();
    dlg.m_strPcTimeSent = PcTimeText(dlg.Services().clock.UtcNow());
    dlg.LineTransport().RestartCycle();
    ++dlg.m_nRequests;
    dlg.UpdateData(false);
}

void RunPollTick(CMorvikDlg& dlg) {
    if (dlg.m_port.m_hCom.IsZero() || !dlg.m_bRunning) {
        return;
    }
    ByteArray answer;
    const CollectedAnswer collected = dlg.LineTransport().CollectAnswer(answer);
    dlg.TellAnswerStatus(collected.status);
    dlg.Window().CommitOperatorInput();
    if (collected.status != 0 && dlg.KeepsPollingOnErrors()) {
        RestartCycle(dlg);
        return;
    }
    if (collected.status != 0) {
        dlg.OnStop();
        dlg.ShowError(PollStatusMessage(collected.status));
        return;
    }
    ++dlg.m_nAnswers;
    const bool logFailed = dlg.m_bFirstAnswer && dlg.m_bSave && !dlg.OpenLog();
    // A completed cycle's values are shown with the next request's exchange: nothing between
    // the two can run the event loop, so showing them here as well would only lay them out twice.
    if (CarriesValues(collected.cause) && dlg.TakeAnswer(answer)) {
        dlg.RefreshValues();
        if (dlg.m_pLogOpen != nullptr) {
            dlg.WriteLogRow();
        }
    }
    SendNextRequest(dlg, collected.cause);
    // Shown only now: the box runs its own message loop, whose ticks need the request that
    // was just sent to find an answer.
    if (logFailed) {
        dlg.ReportLogFailure();
    }
}

void RunRecordTick(CMorvikDlg& dlg) {
    dlg.m_tRecord = dlg.Services().clock.Time64();
    const ClockTime now = LocalClock(dlg.Services().clock, dlg.m_tRecord);
    const ClockTime end{dlg.m_nEndHour, dlg.m_nEndMin, dlg.m_nEndSec};
    if (now.hour == end.hour && now.minute == end.minute && now.second >= end.second) {
        dlg.OnStop();
        dlg.m_strRemain = "00 : 00 : 00";
        dlg.UpdateData(false);
        return;
    }
    dlg.m_strRemain = RemainingTimeText(end, now);
    dlg.Window().SetControlText(ctl::kRemainEdit, dlg.m_strRemain);
}

}  // namespace

void CMorvikDlg::OnStart() {
    StartPolling(Recording::New);
}

void CMorvikDlg::ContinuePolling() {
    StartPolling(Recording::Continued);
}

void CMorvikDlg::StartPolling(Recording recording) {
    UpdateData(true);
    m_baAccum.clear();
    m_nAsduType = kDefaultAsduType;
    m_nDevMs = 0;
    m_nDevMin = 0;
    m_nDevHour = 0;
    if (m_strConfigName.empty()) {
        m_wnd.MessageBox("Для правильной работы программы необходим файл конфигурации", "Ой",
                         MessageIcon::None);
        return;
    }
    if (recording == Recording::New) {
        // Every new recording writes a new log; the rows of the one still open are kept.
        CloseLog();
    }
    m_nAnswers = 0;
    m_nRequests = 0;
    m_wnd.EnableControl(ctl::kFileTab, false);
    if (m_port.m_strPortName != kNoPortName) {
        m_port.Configure(SettingsText());
        m_bRunning = TRUE;
        LockControls(m_wnd);
        if (m_bRecTime && recording == Recording::New) {
            StartRecordTimer();
        }
    }
    SendFirstRequest(recording);
    if (m_bRunning) {
        m_wnd.SetTimer(kPollTimer, m_nPeriod);
    }
    UpdateData(false);
}

void CMorvikDlg::StartRecordTimer() {
    m_strRemain = m_strRecTime;
    m_tRecord = m_platform.clock.Time64();
    const auto duration = ParseRecordTime(m_strRecTime);
    if (!duration) {
        ShowError("Задан неверный формат времени");
        m_bRunning = FALSE;
        UnlockControls(m_wnd, true);
        return;
    }
    const ClockTime end = RecordEndTime(LocalClock(m_platform.clock, m_tRecord), *duration);
    m_nEndHour = end.hour;
    m_nEndMin = end.minute;
    m_nEndSec = end.second;
    m_wnd.SetTimer(kRecordTimer, kRecordTickMs);
}

void CMorvikDlg::SendFirstRequest(Recording recording) {
    if (!m_bLinkReady) {
        // Whatever still waits in the input queue belongs to no request of this start.
        DrainInput();
    }
    m_nItemIndex = 0;
    // Only the first answer of a new recording opens a log.
    m_bFirstAnswer = recording == Recording::New ? TRUE : FALSE;
    PlanNextBlock();
    LineTransport().SendFirstRequest();
}

void CMorvikDlg::DrainInput() {
    ByteArray stale;
    m_port.ReceiveAsciiReply(stale);
}

void CMorvikDlg::TellAnswerStatus(std::uint8_t status) {
    if (m_pPollObserver != nullptr) {
        m_pPollObserver->OnAnswerStatus(status);
    }
}

void CMorvikDlg::ShowError(const std::string& text) {
    m_wnd.MessageBox(text, "Ошибка", MessageIcon::None);
}

void CMorvikDlg::OnStop() {
    m_wnd.KillTimer(kPollTimer);
    m_bRunning = FALSE;
    UnlockControls(m_wnd, m_bRecTime);
    m_wnd.KillTimer(kRecordTimer);
    CloseLog();
}

void CMorvikDlg::OnTimer(unsigned id) {
    if (id == kPollTimer) {
        try {
            RunPollTick(*this);
        } catch (const InvalidArgument&) {
            // Stopped here, so the error is reported once and not at every following tick.
            OnStop();
            throw;
        }
    } else if (id == kRecordTimer) {
        RunRecordTick(*this);
    }
}

}  // namespace vantor

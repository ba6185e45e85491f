#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "iec101/Iec101Channel.h"
#include "log/LogFile.h"
#include "platform/Platform.h"
#include "platform/Types.h"
#include "polling/ControlIds.h"
#include "polling/DialogWindow.h"
#include "polling/PollObserver.h"
#include "polling/Transports.h"
#include "serial/ComPort.h"
#include "text/Quantities.h"

namespace vantor {

// The main dialog's working state and its handlers. Everything here talks to the window only
// through IDialogWindow and to the system only through the platform seams, so every handler
// runs in tests without a display, a port or a wait.
//
// The handlers are defined by subject: polling/MorvikDlg.cpp (construction, initialisation,
// serial settings), polling/PollingCycle.cpp (start, stop, timers), polling/PollBlocks.cpp
// (block planning, decoding), polling/Commands.cpp (clock and delay), polling/ValueDisplay.cpp
// (values and captions), polling/MeasurementLog.cpp (log rows). The pure parts they rest on stay
// below: display/Conversion, log/LogText, log/LogFile. What is said on the line is the chosen
// transport's (polling/Transport.h).
class CMorvikDlg {
public:
    CMorvikDlg(IDialogWindow& window, const Platform& platform);
    CMorvikDlg(const CMorvikDlg&) = delete;
    CMorvikDlg& operator=(const CMorvikDlg&) = delete;
    ~CMorvikDlg();

    // --- Initialisation and serial settings ---------------------------------------------
    // State side of the dialog's initialisation; the window has created its fonts before.
    BOOL OnInitDialog();
    void ApplySerialSettings(std::uint8_t packed);
    // m_strBaud "," m_strParity "," m_strDataBits "," m_strStopBits.
    std::string SettingsText() const;
    bool UpdateData(bool saveAndValidate) { return m_wnd.UpdateData(saveAndValidate); }

    // --- Polling cycle ------------------------------------------------------------------
    void OnStart();
    // The tick's own start of a new interrogation after an activation termination: the
    // recording goes on in the same log file towards the same end time.
    void ContinuePolling();
    void OnStop();
    void OnTimer(unsigned id);
    // Whether a failed answer drops the cycle and polling goes on with a fresh one, instead
    // of stopping with its message. Set by the operator for the run only; off at start-up.
    void SetKeepPollingOnErrors(bool keep) { m_bKeepPolling = keep; }
    bool KeepsPollingOnErrors() const { return m_bKeepPolling && m_bRunning; }
    // Tells the poll observer, if any, the status of an answer before it is acted on.
    void TellAnswerStatus(std::uint8_t status);
    // A message box with the caption "Ошибка".
    void ShowError(const std::string& text);

    // --- Poll blocks and decoding -------------------------------------------------------
    void PlanNextBlock();
    BOOL TakeAnswer(const ByteArray& answer);
    void DecodeCycle(const ByteArray& answer);
    std::int32_t ExtractValue(std::uint8_t size, std::uint8_t offset, const ByteArray& answer);

    // --- The line -------------------------------------------------------------------------
    // The transport the line settings choose now; asked afresh at every step.
    ITransport& LineTransport() { return m_transports.Chosen(m_b8Bit, m_nProtocol); }
    // Takes away whatever waits in the input queue.
    void DrainInput();

    // --- Commands -------------------------------------------------------------------------
    void OnSyncClock();
    void OnMeasureDelay();
    // Stops the poll timer and lets the answer to the outstanding poll request arrive.
    void SuspendPolling();

    // --- Conversion and display ---------------------------------------------------------
    void RefreshValues();
    void ResetValues();
    void UpdateUnitCaptions();
    void RecomputeVoltageCoefficients();
    void RecomputeCurrentCoefficients();
    void RecomputeAllCoefficients();

    // --- Measurement log ----------------------------------------------------------------
    // Creates a new log and writes its header; FALSE when it cannot be created. The caller
    // reports the failure with ReportLogFailure once it has nothing outstanding on the line.
    BOOL OpenLog();
    void ReportLogFailure();
    void WriteLogRow();
    void CloseLog();

    // ======================================================================================
    // Working state. Texts are UTF-8.

    // 1. Quantity keys.
    TextArray m_saQtyKeys;

    // 2. Configuration data.
    BOOL m_bLoading = FALSE;
    TextArray m_saItems;
    TextArray m_saDivisors;
    ByteArray m_baItemCot;
    std::uint32_t m_nKn = 0;
    std::uint32_t m_nKt = 0;
    std::uint32_t m_nUnitU = 0;
    std::uint32_t m_nUnitI = 0;
    std::uint32_t m_nUnitP = 0;
    std::uint16_t m_nDevAddr = 0;
    BOOL m_b8Bit = FALSE;
    std::uint8_t m_nProtoTag = 0;
    std::uint8_t m_nIecAsduAddrSize = 0;
    std::uint8_t m_nIecIoaSize = 0;
    std::uint8_t m_nIecFixedFrame = 0;
    std::uint8_t m_nIecCotSize = 0;
    double m_kUph = 0, m_kUl = 0, m_kI = 0, m_kPph = 0, m_kP = 0;
    double m_dUnom = 0;
    double m_dInom = 0;
    std::string m_strConfigName;
    std::uint32_t m_nFirstAddr = 0;
    std::string m_strParity, m_strBaud, m_strDataBits, m_strStopBits;
    // Kept by the configuration reader.
    std::uint8_t m_nNomCode = 0;
    std::uint8_t m_nCfgSpare = 0;
    std::uint8_t m_nWiring = 0;
    std::uint8_t m_nDevAddrHigh = 0;
    ByteArray m_baItemAttr;
    ByteArray m_baAttrBit6;
    ByteArray m_baRatioBytes;
    WordArray m_waRanges;

    // 3. Operator settings (bound to controls).
    unsigned m_nPeriod = 0;
    unsigned m_nMinPeriod = 0;
    std::string m_strRecTime;
    BOOL m_bRecTime = FALSE;
    std::string m_strRemain;
    BOOL m_bSave = FALSE;
    BOOL m_bPhysical = FALSE;
    int m_nProtocol = -1;
    int m_nIecMode = -1;
    int m_nFcb = -1;
    CComboRef m_comboGroup;

    // 4. Polling state.
    std::uint32_t m_nBlockAddr = 0;
    std::uint16_t m_nBlockCount = 0;
    std::uint8_t m_nItemIndex = 0;
    // The cursor as the last block request left it: a class 1 request sent in a block's place
    // puts it back, so the block is asked for next.
    std::uint8_t m_nRequestedItem = 0;
    BOOL m_bLinkReady = FALSE;
    ByteArray m_baActive;
    ByteArray m_baAccum;
    BOOL m_bRunning = FALSE;
    std::int64_t m_tRecord = 0;
    std::uint16_t m_nEndHour = 0, m_nEndMin = 0, m_nEndSec = 0;
    std::uint16_t m_nDevMs = 0;
    std::uint8_t m_nDevMin = 0, m_nDevHour = 0;
    std::uint8_t m_nAsduType = 0;
    std::uint8_t m_nParseItem = 0;
    std::string m_strPcTimeSent;
    BOOL m_bFirstAnswer = FALSE;

    // 5. Measurement values.
    std::array<std::int16_t, kRawCount> m_raw{};
    double m_dFreqRaw = 0;

    // 6. Display texts.
    std::string m_strUa, m_strUb, m_strUc, m_strUo, m_strUfcp;
    std::string m_strIa, m_strIb, m_strIc, m_strIo, m_strIcp;
    std::string m_strUab, m_strUbc, m_strUca, m_strUcp;
    std::string m_strPa, m_strPb, m_strPc, m_strP;
    std::string m_strQa, m_strQb, m_strQc, m_strQ;
    std::string m_strSa, m_strSb, m_strSc, m_strS;
    std::string m_strQfa, m_strQfb, m_strQfc;
    std::string m_strFreq, m_strDevTime, m_strAsdu, m_strPcTime, m_strDelay;
    // Bound to controls that are never shown.
    std::string m_strQf, m_strSla, m_strSlb, m_strSlc, m_strSl;
    std::string m_strCosA, m_strCosB, m_strCosC, m_strI1, m_strI2;
    unsigned m_nAnswers = 0;
    unsigned m_nRequests = 0;

    // 7. Measurement log.
    std::string m_strLogPath;
    CLogFile m_fileLog;
    std::string m_fileErr;
    CLogFile* m_pLogOpen = nullptr;

    // 8. Member objects.
    CComPort m_port;
    CIec101Channel m_iec;

    // Observers of the line and of the poll tick's verdicts (the traffic monitor); null
    // when none watches.
    void SetLineTrace(ILineTrace* trace);
    IPollObserver* m_pPollObserver = nullptr;

    IDialogWindow& Window() { return m_wnd; }
    const Platform& Services() const { return m_platform; }

private:
    enum class Recording { New, Continued };
    void StartPolling(Recording recording);
    // The two halves of a start: the recording countdown and the first request of a cycle.
    void StartRecordTimer();
    void SendFirstRequest(Recording recording);

    BOOL m_bKeepPolling = FALSE;

    IDialogWindow& m_wnd;
    Platform m_platform;
    CTransports m_transports;
};

}  // namespace vantor

#pragma once

#include <QDialog>
#include <QFont>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "app/ControlMap.h"
#include "app/DialogUnits.h"
#include "app/PageRegistry.h"
#include "app/UserPrompts.h"
#include "polling/DialogWindow.h"
#include "polling/MorvikDlg.h"

namespace vantor {

class CMonitorWindow;
class CPage;

// The main window: built from template 102, it is the window side of the working state
// (IDialogWindow), owns that state, and is the one place where handlers are dispatched.
class CMorvikWindow : public QDialog, public IDialogWindow {
    Q_OBJECT
public:
    CMorvikWindow(const Platform& platform, IUserPrompts& prompts, QWidget* parent = nullptr);
    ~CMorvikWindow() override;

    CMorvikDlg& State() { return *m_dlg; }
    const ControlMap& Controls() const { return m_controls; }
    IUserPrompts& Prompts() { return m_prompts; }
    const DialogUnits& Units() const { return m_units; }
    // The pages behind the tab strip; a tab without one opens nothing.
    PageRegistry& Pages() { return m_pages; }

    // Runs a handler. An index out of range abandons it and is reported here; in a poll
    // tick the polling stops first, so the report comes once.
    void Dispatch(const std::function<void()>& handler, bool pollTick = false);
    // A field of this window or of a page that the data exchange could not read: the
    // message, then the field takes the focus with its text selected.
    void ReportInvalidField(QWidget* field, const char* message);

    // --- IDialogWindow -------------------------------------------------------------------
    bool UpdateData(bool saveAndValidate) override;
    bool CommitOperatorInput() override;
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
    void SetTimer(unsigned id, unsigned periodMs) override;
    void KillTimer(unsigned id) override;
    void EnableControl(int id, bool enabled) override;
    void SetReadOnly(int id, bool readOnly) override;
    void ShowControl(int id, bool shown) override;
    void SetControlText(int id, const std::string& text) override;
    void Repaint() override;
    int GetComboSelection(int id) override;
    void SetComboSelection(int id, int index) override;

    // --- Tab strip and pages --------------------------------------------------------------
    // Opens a new page of the tab (closing one of its kind still open) below the tab.
    void OpenTab(int tabId);
    // Shows `page` at (x, y) of this window's client area and gives it the focus.
    void ShowPage(int x, int y, CPage* page);
    // The open pages; null while closed.
    CPage* m_pFilePage = nullptr;
    CPage* m_pPortPage = nullptr;
    CPage* m_pModbusPage = nullptr;
    CPage* m_pNomPage = nullptr;
    CPage* m_pIecPage = nullptr;
    // The window whose caption the load command rewrites; recorded by ShowPage.
    QWidget* m_pMainWnd = nullptr;

    // --- Handlers of the window's own controls -------------------------------------------
    // The platform's system-menu command; 0x0010 (any of its low four bits) is About.
    void OnSysCommand(unsigned command);
    void OnModbusProtocol();
    void OnIecProtocol();
    void OnDefault();
    void OnRecordTime();
    // Opens the traffic monitor, or brings it to the front.
    void ShowMonitor();
    CMonitorWindow* Monitor() { return m_monitor.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A checkable entry of the window's menu bound to a choice of the working state.
    void AddChoice(QMenu& menu, const char* text, BOOL& choice);
    void BuildWindow();
    void InitDialog();
    void ConnectHandlers();
    void ConnectClick(int id, void (CMorvikWindow::*handler)());
    void ConnectState(int id, void (CMorvikDlg::*handler)());
    void ApplyValueFont();
    // The colours of the value fields from the presence flags and the chosen group, set only
    // where they change.
    void ColourValueFields();
    void ColourValueField(std::size_t index, const std::array<bool, 32>& present);
    std::array<bool, 32> PresentNow();
    void ShowAbout();

    IUserPrompts& m_prompts;
    DialogUnits m_units;
    ControlMap m_controls;
    QFont m_fontValues;
    // The value fields in the order of kQuantityFields, and whether each is drawn blacked out
    // (unknown until first coloured).
    std::array<QLineEdit*, 30> m_valueFields{};
    std::array<std::optional<bool>, 30> m_blackedOut{};
    std::map<unsigned, QTimer*> m_timers;
    bool m_invalidFieldReported = false;
    std::unique_ptr<CMorvikDlg> m_dlg;
    PageRegistry m_pages;
    // Created when first opened; it watches the state above, so it goes first.
    std::unique_ptr<CMonitorWindow> m_monitor;
};

}  // namespace vantor

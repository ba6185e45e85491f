#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "polling/DialogWindow.h"

namespace vantor::test {

// The window side as a recorder: it keeps what the working state asked of it, so tests can
// check messages, timers and control states without a display.
class RecordingWindow : public IDialogWindow {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };
    struct ControlState {
        bool enabled = true;
        bool readOnly = false;
        bool shown = true;
        std::string text;
    };

    bool UpdateData(bool saveAndValidate) override;
    bool CommitOperatorInput() override;
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
    void SetTimer(unsigned id, unsigned periodMs) override;
    void KillTimer(unsigned id) override;
    void EnableControl(int id, bool enabled) override { controls[id].enabled = enabled; }
    void SetReadOnly(int id, bool readOnly) override { controls[id].readOnly = readOnly; }
    void ShowControl(int id, bool shown) override { controls[id].shown = shown; }
    void SetControlText(int id, const std::string& text) override { controls[id].text = text; }
    void Repaint() override { ++repaints; }
    int GetComboSelection(int id) override;
    void SetComboSelection(int id, int index) override { combos[id] = index; }

    bool TimerRunning(unsigned id) const { return timers.count(id) != 0; }
    // Every message box shown so far as "caption: text".
    std::vector<std::string> MessageTexts() const;
    // The control's recorded state; a control never touched has the defaults.
    ControlState Control(int id) const;

    // Runs on UpdateData(TRUE) and CommitOperatorInput, standing in for the operator's edits;
    // returns the validation.
    std::function<bool()> onSave;
    // Runs inside MessageBox, standing in for what happens while a message box is open.
    std::function<void(const Message&)> onMessage;

    std::vector<Message> messages;
    std::map<unsigned, unsigned> timers;  // running timers: id -> period
    std::vector<std::string> timerLog;    // "set 1 500", "kill 1", in order
    std::map<int, ControlState> controls;
    std::map<int, int> combos;
    int repaints = 0;
    int saves = 0;    // UpdateData(TRUE) calls
    int loads = 0;    // UpdateData(FALSE) calls
    int commits = 0;  // CommitOperatorInput calls
};

}  // namespace vantor::test

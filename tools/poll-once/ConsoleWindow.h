#pragma once

#include <string>
#include <vector>

#include "polling/DialogWindow.h"

namespace vantor {

// A window without an operator: every exchange is accepted, timers are left to the caller, and
// each message box is kept (caption and text) for the program to print.
class CConsoleWindow : public IDialogWindow {
public:
    bool UpdateData(bool) override { return true; }
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon) override {
        messages.push_back(caption + ": " + text);
    }
    void SetTimer(unsigned, unsigned) override {}
    void KillTimer(unsigned) override {}
    void EnableControl(int, bool) override {}
    void SetReadOnly(int, bool) override {}
    void ShowControl(int, bool) override {}
    void SetControlText(int, const std::string&) override {}
    void Repaint() override {}
    int GetComboSelection(int) override { return 0; }
    void SetComboSelection(int, int) override {}

    std::vector<std::string> messages;
};

}  // namespace vantor

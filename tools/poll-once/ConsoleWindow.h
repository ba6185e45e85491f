#pragma once

#include <string>
#include <vector>

#include "polling/DialogWindow.h"

namespace vantor {

// A window without an operator: every exchange is accepted, timers are left to the caller, and
// each message box is kept (caption and text) for the program to print.
class CConsoleWindow : public CNullWindow {
public:
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon) override {
        messages.push_back(caption + ": " + text);
    }

    std::vector<std::string> messages;
};

}  // namespace vantor

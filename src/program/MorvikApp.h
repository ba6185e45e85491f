#pragma once

namespace vantor {

// The application: builds the main window on the computer's own clock, serial devices and
// folders, and runs it modally; the program ends when the window closes.
class CMorvikApp {
public:
    int InitInstance();
};

}  // namespace vantor

#include "program/MorvikApp.h"

#include "app/MorvikWindow.h"
#include "app/UserPrompts.h"
#include "pages/SettingsPages.h"
#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"
#include "platform/SystemSerialOpener.h"
#include "program/DemoStart.h"

namespace vantor {

int CMorvikApp::InitInstance() {
    SystemClock clock;
    SystemSerialOpener serial;
    SystemPaths paths;
    const Platform platform{clock, serial, paths};
    SystemPrompts systemPrompts;
    DemoPrompts prompts(systemPrompts, DemoConfigurationFile());
    CMorvikWindow window(platform, prompts);
    AddSettingsPages(window.Pages());
    window.show();
    if (prompts.HasDemoFile()) {
        StartDemo(window);
    }
    window.exec();
    return 0;
}

}  // namespace vantor

#include "app/MorvikApp.h"

#include "app/DemoStart.h"
#include "app/MorvikWindow.h"
#include "app/UserPrompts.h"
#include "platform/SystemSerialOpener.h"
#include "platform/SystemClock.h"
#include "platform/SystemPaths.h"

namespace vantor {

int CMorvikApp::InitInstance() {
    SystemClock clock;
    SystemSerialOpener serial;
    SystemPaths paths;
    const Platform platform{clock, serial, paths};
    SystemPrompts systemPrompts;
    DemoPrompts prompts(systemPrompts, DemoConfigurationFile());
    CMorvikWindow window(platform, prompts);
    window.show();
    if (prompts.HasDemoFile()) {
        StartDemo(window);
    }
    window.exec();
    return 0;
}

}  // namespace vantor

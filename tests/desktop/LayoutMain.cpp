// Prints where every control of the main window and of each page lies, as JSON, for the desktop
// tests that click them through the X server. Run it on the display the tests use, so that the
// fonts and the dialog units are the ones the program gets there.

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <string>

#include "app/MorvikWindow.h"
#include "app/Page.h"
#include "app/UserPrompts.h"
#include "pages/SettingsPages.h"
#include "polling/ControlIds.h"
#include "support/FakePlatform.h"

namespace vantor::test {
namespace {

class NoPrompts : public IUserPrompts {
public:
    void ShowMessage(QWidget*, const QString&, const QString&, MessageIcon) override {}
    std::optional<QString> ChooseFileToOpen(QWidget*, const QString&) override { return {}; }
    std::optional<QString> ChooseFileToSave(QWidget*, const QString&) override { return {}; }
};

std::string Controls(const ControlMap& controls, const QWidget* top) {
    std::string json = "{";
    for (int id = 1000; id < 1200; ++id) {
        const QWidget* control = controls.Find(id);
        if (control == nullptr) {
            continue;
        }
        const QPoint at = control->mapTo(top, QPoint(0, 0));
        json += (json.size() > 1 ? ", \"" : "\"") + std::to_string(id) + "\": [" +
                std::to_string(at.x()) + ", " + std::to_string(at.y()) + ", " +
                std::to_string(control->width()) + ", " + std::to_string(control->height()) + "]";
    }
    return json + "}";
}

}  // namespace
}  // namespace vantor::test

int main(int argc, char** argv) {
    using namespace vantor;
    QApplication app(argc, argv);
    test::FakePlatform fake;
    fake.serial.Add(test::FakePaths::FakePortPath(1));
    test::NoPrompts prompts;
    CMorvikWindow window(fake.platform, prompts);
    AddSettingsPages(window.Pages());
    window.show();
    QApplication::processEvents();
    std::string json = "{\"main\": {\"size\": [" + std::to_string(window.width()) + ", " +
                       std::to_string(window.height()) +
                       "], \"controls\": " + test::Controls(window.Controls(), &window) +
                       "}, \"pages\": {";
    bool first = true;
    for (const int tab :
         {ctl::kFileTab, ctl::kPortTab, ctl::kModbusTab, ctl::kIecTab, ctl::kNominalTab}) {
        // The offset is taken before events run: the window manager may still be moving the
        // freshly shown window, and the program places a page from where the window is at the
        // moment of the click, which is what the tests reproduce.
        window.OpenTab(tab);
        for (CPage* page : {window.m_pFilePage, window.m_pPortPage, window.m_pModbusPage,
                            window.m_pIecPage, window.m_pNomPage}) {
            if (page == nullptr) {
                continue;
            }
            const QPoint offset = page->pos() - window.mapToGlobal(QPoint(0, 0));
            json += std::string(first ? "" : ", ") + "\"" + std::to_string(tab) +
                    "\": {\"offset\": [" + std::to_string(offset.x()) + ", " +
                    std::to_string(offset.y()) + "], \"size\": [" + std::to_string(page->width()) +
                    ", " + std::to_string(page->height()) +
                    "], \"controls\": " + test::Controls(page->Controls(), page) + "}";
            first = false;
            page->ClosePage();
        }
        QApplication::processEvents();
    }
    std::printf("%s}}\n", json.c_str());
    return 0;
}

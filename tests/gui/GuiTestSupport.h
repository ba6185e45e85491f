#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MorvikWindow.h"
#include "app/UserPrompts.h"
#include "support/FakePlatform.h"

namespace vantor::test {

// The system dialogs answered by the test: every message is recorded (and may run code, as
// the nested event loop of a real box would), file dialogs take their answers from a queue.
class RecordingPrompts : public IUserPrompts {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
        QWidget* owner;
    };

    void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                     MessageIcon icon) override;
    std::optional<QString> ChooseFileToOpen(QWidget* owner, const QString& filter) override;
    // Answered from the same queue as the open dialog.
    std::optional<QString> ChooseFileToSave(QWidget* owner, const QString& filter) override {
        return ChooseFileToOpen(owner, filter);
    }

    // "text" / "caption: text" of every message, in order.
    std::vector<std::string> Texts() const;

    std::vector<Message> messages;
    std::deque<QString> fileAnswers;  // an empty answer, or none queued: the user cancels
    std::vector<QString> fileFilters;
    std::function<void(const Message&)> onMessage;
    std::function<void()> whileFileDialogOpen;
};

// Delivers queued window-system events (activation, focus) without waiting.
void ProcessEvents();
// Activates a top-level window and returns when it is the active one.
void Activate(QWidget* window);
// Key press and release delivered to a widget.
void PressKey(QWidget* widget, int key);
// A left click in the middle of a widget.
void Click(QWidget* widget);
// Runs the event loop, with the windows' real timers, until `done` holds or time is up.
bool RunUntil(const std::function<bool()>& done, int timeoutMs);

// The main window on the fake platform ("COM1" present) with recorded prompts, shown.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CMorvikDlg& Dlg() { return window->State(); }
    template <typename Widget>
    Widget* Control(int id) {
        Widget* control = window->Controls().As<Widget>(id);
        EXPECT_NE(control, nullptr) << "no control " << id;
        return control;
    }
    QString Text(int id);
    void SetText(int id, const QString& text);

    FakePlatform fake;
    FakeSerialDevice* com1 = nullptr;
    RecordingPrompts prompts;
    std::unique_ptr<CMorvikWindow> window;
};

// Full path of a file of samples/.
QString SamplePath(const char* name);

}  // namespace vantor::test

#include "GuiTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "pages/SettingsPages.h"

namespace vantor::test {

namespace {

// One application object for the whole test program, on the offscreen platform unless the
// environment asks for another.
class QtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        m_app = std::make_unique<QApplication>(m_argc, m_argv.data());
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[20] = "vantor_gui_tests";
    std::vector<char*> m_argv{m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

const testing::Environment* const kQtEnvironment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

void RecordingPrompts::ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                                   MessageIcon icon) {
    messages.push_back({text.toStdString(), caption.toStdString(), icon, owner});
    if (onMessage) {
        onMessage(messages.back());
    }
}

std::optional<QString> RecordingPrompts::ChooseFileToOpen(QWidget* /*owner*/,
                                                          const QString& filter) {
    fileFilters.push_back(filter);
    if (whileFileDialogOpen) {
        whileFileDialogOpen();
    }
    if (fileAnswers.empty()) {
        return std::nullopt;
    }
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (answer.isEmpty()) {
        return std::nullopt;
    }
    return answer;
}

std::vector<std::string> RecordingPrompts::Texts() const {
    std::vector<std::string> texts;
    for (const Message& message : messages) {
        texts.push_back(message.caption + ": " + message.text);
    }
    return texts;
}

void ProcessEvents() {
    for (int round = 0; round < 5; ++round) {
        QApplication::processEvents();
    }
}

void Activate(QWidget* window) {
    window->activateWindow();
    for (int round = 0; round < 50 && !window->isActiveWindow(); ++round) {
        QApplication::processEvents();
    }
    ASSERT_TRUE(window->isActiveWindow());
}

void PressKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

void Click(QWidget* widget) {
    const QPointF middle(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(middle);
    QMouseEvent press(QEvent::MouseButtonPress, middle, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, middle, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

void MainWindowTest::SetUp() {
    com1 = &fake.serial.Add(FakePaths::FakePortPath(1));
    window = std::make_unique<CMorvikWindow>(fake.platform, prompts);
    AddSettingsPages(window->Pages());
    window->show();
    ASSERT_NO_FATAL_FAILURE(Activate(window.get()));
}

void MainWindowTest::TearDown() {
    window.reset();
    ProcessEvents();
}

QString MainWindowTest::Text(int id) {
    QWidget* control = window->Controls().Find(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    ADD_FAILURE() << "no text control " << id;
    return {};
}

void MainWindowTest::SetText(int id, const QString& text) {
    if (auto* edit = Control<QLineEdit>(id)) {
        edit->setText(text);
    }
}

QString SamplePath(const char* name) {
    return QStringLiteral(VANTOR_SOURCE_DIR "/samples/") + QString::fromUtf8(name);
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > timeoutMs) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

}  // namespace vantor::test

#include "support/RecordingWindow.h"

namespace vantor::test {

bool RecordingWindow::UpdateData(bool saveAndValidate) {
    if (!saveAndValidate) {
        ++loads;
        return true;
    }
    ++saves;
    return onSave ? onSave() : true;
}

std::vector<std::string> RecordingWindow::MessageTexts() const {
    std::vector<std::string> texts;
    for (const Message& m : messages) {
        texts.push_back(m.caption + ": " + m.text);
    }
    return texts;
}

bool RecordingWindow::CommitOperatorInput() {
    ++commits;
    return onSave ? onSave() : true;
}

void RecordingWindow::MessageBox(const std::string& text, const std::string& caption,
                                 MessageIcon icon) {
    messages.push_back({text, caption, icon});
    if (onMessage) {
        onMessage(messages.back());
    }
}

void RecordingWindow::SetTimer(unsigned id, unsigned periodMs) {
    timers[id] = periodMs;
    timerLog.push_back("set " + std::to_string(id) + " " + std::to_string(periodMs));
}

void RecordingWindow::KillTimer(unsigned id) {
    timers.erase(id);
    timerLog.push_back("kill " + std::to_string(id));
}

int RecordingWindow::GetComboSelection(int id) {
    const auto found = combos.find(id);
    return found == combos.end() ? -1 : found->second;
}

RecordingWindow::ControlState RecordingWindow::Control(int id) const {
    const auto found = controls.find(id);
    return found == controls.end() ? ControlState{} : found->second;
}

}  // namespace vantor::test

#include "app/DataExchange.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>

namespace vantor {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::optional<std::uint32_t> ParseUnsignedField(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > UINT32_MAX) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

bool DataExchange::TakesTyping(int id) const {
    const auto* edit = qobject_cast<const QLineEdit*>(m_controls.Get(id));
    return edit != nullptr && !edit->isReadOnly() && !edit->isHidden();
}

std::string DataExchange::ReadText(int id) const {
    QWidget* control = m_controls.Get(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text().toStdString();
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text().toStdString();
    }
    return {};
}

void DataExchange::WriteText(int id, const std::string& text) const {
    QWidget* control = m_controls.Get(id);
    const QString shown = QString::fromStdString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (edit->text() != shown) {
            edit->setText(shown);
        }
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(shown);
    }
}

std::optional<std::uint32_t> DataExchange::ReadNumber(int id, std::uint32_t highest,
                                                      const char* message) const {
    const auto number = ParseUnsignedField(ReadText(id));
    if (number && *number <= highest) {
        return number;
    }
    if (m_onFailure) {
        m_onFailure(m_controls.Find(id), message);
    }
    return std::nullopt;
}

int DataExchange::ReadCheck(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(m_controls.Get(id));
    return button != nullptr && button->isChecked() ? 1 : 0;
}

void DataExchange::WriteCheck(int id, int state) const {
    if (auto* button = qobject_cast<QAbstractButton*>(m_controls.Get(id))) {
        button->setChecked(state != 0);
    }
}

int DataExchange::ReadRadio(const std::vector<int>& ids) const {
    for (std::size_t i = 0; i < ids.size(); ++i) {
        auto* button = qobject_cast<QAbstractButton*>(m_controls.Get(ids.at(i)));
        if (button != nullptr && button->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void DataExchange::WriteRadio(const std::vector<int>& ids, int index) const {
    for (std::size_t i = 0; i < ids.size(); ++i) {
        auto* button = qobject_cast<QAbstractButton*>(m_controls.Get(ids.at(i)));
        if (button == nullptr) {
            continue;
        }
        // An exclusive group refuses to clear its set button; -1 must clear them all.
        QButtonGroup* group = button->group();
        const bool exclusive = group != nullptr && group->exclusive();
        if (exclusive) {
            group->setExclusive(false);
        }
        button->setChecked(static_cast<int>(i) == index);
        if (exclusive) {
            group->setExclusive(true);
        }
    }
}

}  // namespace vantor

#include "monitor/ReplyCounters.h"

#include <algorithm>

#include "polling/PollStatus.h"

namespace vantor {

std::string StatusText(std::uint8_t status) {
    return status == 0 ? "Ответ принят" : PollStatusMessage(status);
}

void ReplyCounters::CountStatus(std::uint8_t status) {
    const std::string message = StatusText(status);
    const auto found = std::find_if(m_byMessage.begin(), m_byMessage.end(),
                                    [&](const auto& entry) { return entry.first == message; });
    if (found != m_byMessage.end()) {
        ++found->second;
    } else {
        m_byMessage.emplace_back(message, 1);
    }
}

void ReplyCounters::Reset() {
    *this = ReplyCounters();
}

unsigned ReplyCounters::CountOf(const std::string& message) const {
    const auto found = std::find_if(m_byMessage.begin(), m_byMessage.end(),
                                    [&](const auto& entry) { return entry.first == message; });
    return found != m_byMessage.end() ? found->second : 0;
}

std::string ReplyCounters::Text() const {
    std::string text =
        "Запросов: " + std::to_string(m_requests) + "  Ответов: " + std::to_string(m_answers);
    for (const auto& [message, count] : m_byMessage) {
        text += "  " + message + ": " + std::to_string(count);
    }
    return text;
}

}  // namespace vantor

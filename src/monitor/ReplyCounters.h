#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vantor {

// What the monitor counts over a run: requests written, replies that arrived, and the poll
// tick's verdict on each answer by the message it shows.
class ReplyCounters {
public:
    void CountRequest() { ++m_requests; }
    void CountAnswer() { ++m_answers; }
    void CountStatus(std::uint8_t status);
    void Reset();

    unsigned Requests() const { return m_requests; }
    unsigned Answers() const { return m_answers; }
    // How often each verdict came, in the order each first came; 0 is "Ответ принят".
    const std::vector<std::pair<std::string, unsigned>>& ByMessage() const { return m_byMessage; }
    unsigned CountOf(const std::string& message) const;
    // "Запросов: 12  Ответов: 11  Ответ принят: 10  Ошибка контрольной суммы: 1".
    std::string Text() const;

private:
    unsigned m_requests = 0;
    unsigned m_answers = 0;
    std::vector<std::pair<std::string, unsigned>> m_byMessage;
};

// The verdict text of an answer status: the poll tick's message, or "Ответ принят" for 0.
std::string StatusText(std::uint8_t status);

}  // namespace vantor

#include "support/ScriptedIecSecondary.h"

#include "support/IecFrames.h"

namespace vantor::test {

namespace {

constexpr std::int64_t kAnswerAfterMs = 20;
constexpr std::size_t kTypeAt = 6;  // 68 L L 68 C A type

std::uint32_t LowFirst(const ByteArray& frame, std::size_t at, std::uint8_t size) {
    std::uint32_t value = 0;
    for (std::uint8_t i = 0; i < size; ++i) {
        value |= static_cast<std::uint32_t>(frame.at(at + i)) << (8 * i);
    }
    return value;
}

}  // namespace

ScriptedIecSecondary::ScriptedIecSecondary(FakeSerialDevice& device, std::uint8_t ioaSize)
    : linkStatus(Hex("10 0B 01 0C 16")), reset(Hex("E5")), device_(device), ioaSize_(ioaSize) {
    device_.SetResponder([this](const ByteArray& request) { return Respond(request); });
}

TimedReply ScriptedIecSecondary::Respond(const ByteArray& request) {
    const auto next = [](std::deque<ByteArray>& queue, const ByteArray& otherwise) {
        if (queue.empty()) {
            return otherwise;
        }
        ByteArray answer = queue.front();
        queue.pop_front();
        return answer;
    };
    if (request.size() < 5) {
        return {};
    }
    if (request.at(0) == 0x10) {
        switch (request.at(1) & 0x0F) {
            case 9:
                return Reply(linkStatus, kAnswerAfterMs);
            case 0:
                return Reply(reset, kAnswerAfterMs);
            case 10:
                return Reply(next(class1, Hex("10 09 01 0A 16")), kAnswerAfterMs);
            case 11:
                return Reply(next(class2, Hex("10 09 01 0A 16")), kAnswerAfterMs);
            default:
                return {};
        }
    }
    const std::uint8_t type = request.at(kTypeAt);
    const std::uint8_t cause = request.at(kTypeAt + 2);
    return Reply(next(commandAnswers, Confirmation(type, static_cast<std::uint8_t>(cause + 1))),
                 kAnswerAfterMs);
}

std::string ScriptedIecSecondary::Describe(const ByteArray& frame) const {
    if (frame.at(0) == 0x10) {
        switch (frame.at(1) & 0x0F) {
            case 9:
                return "status";
            case 0:
                return "reset";
            case 10:
                return "class 1";
            case 11:
                return "class 2";
            default:
                return "fixed " + std::to_string(frame.at(1));
        }
    }
    const std::uint8_t type = frame.at(kTypeAt);
    const std::string cause = std::to_string(frame.at(kTypeAt + 2));
    const std::size_t element = kTypeAt + 4 + ioaSize_;
    switch (type) {
        case 100:
            return "C_IC " + cause + " QOI " + std::to_string(frame.at(element));
        case 102:
            return "C_RD " + cause + " IOA " +
                   std::to_string(LowFirst(frame, kTypeAt + 4, ioaSize_));
        case 103:
            return "C_CS";
        case 106:
            return "C_CD " + cause + " " + std::to_string(LowFirst(frame, element, 2));
        default:
            return "type " + std::to_string(type);
    }
}

ByteArray ScriptedIecSecondary::DemandingAccess(ByteArray answer) {
    constexpr std::uint8_t kAccessDemand = 0x20;
    const std::size_t control = answer.at(0) == 0x10 ? 1 : 4;
    answer.at(control) |= kAccessDemand;
    answer.at(answer.size() - 2) =
        static_cast<std::uint8_t>(answer.at(answer.size() - 2) + kAccessDemand);
    return answer;
}

TextArray ScriptedIecSecondary::Trace() const {
    TextArray trace;
    for (const ByteArray& frame : device_.Writes()) {
        if (!frame.empty() && (frame.at(0) == 0x10 || frame.at(0) == 0x68)) {
            trace.push_back(Describe(frame));
        }
    }
    return trace;
}

ByteArray ScriptedIecSecondary::Values(std::uint8_t type, std::uint8_t cause,
                                       const std::vector<std::uint16_t>& values) const {
    ByteArray userData{0x08, 0x01, type, static_cast<std::uint8_t>(values.size()), cause, 0x01};
    std::uint32_t ioa = 0x100;
    for (const std::uint16_t value : values) {
        for (std::uint8_t i = 0; i < ioaSize_; ++i) {
            userData.push_back(static_cast<std::uint8_t>(ioa >> (8 * i)));
        }
        ++ioa;
        userData.push_back(static_cast<std::uint8_t>(value & 0xFF));
        userData.push_back(static_cast<std::uint8_t>(value >> 8));
        if (type != 21) {
            userData.push_back(0);
        }
    }
    return Framed(userData);
}

ByteArray ScriptedIecSecondary::Confirmation(std::uint8_t type, std::uint8_t cause) const {
    ByteArray userData{0x08, 0x01, type, 0x01, cause, 0x01};
    userData.insert(userData.end(), ioaSize_, 0);
    return Framed(userData);
}

}  // namespace vantor::test

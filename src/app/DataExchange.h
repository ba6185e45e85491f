#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ControlMap.h"
#include "res/Strings.h"

namespace vantor {

enum class Exchange {
    Control,   // the control only, no value (a list or spin the owner drives itself)
    Text,      // text field as text
    Unsigned,  // text field as an unsigned 32-bit number
    Byte,      // text field as a number from 0 to 255
    Check,     // check box as 0 / 1
    Radio,     // radio group as the index of the set button, -1 when none is set
};

// One entry of a dialog's data exchange: which controls, how, and which member of the owner.
template <typename Owner>
struct Binding {
    Exchange kind = Exchange::Control;
    std::vector<int> ids;
    std::string Owner::*text = nullptr;
    std::uint32_t Owner::*number = nullptr;
    std::uint8_t Owner::*byte = nullptr;
    int Owner::*index = nullptr;  // check state or radio index
};

template <typename Owner>
Binding<Owner> BindControl(int id) {
    return {Exchange::Control, {id}};
}
template <typename Owner>
Binding<Owner> BindText(int id, std::string Owner::*member) {
    return {Exchange::Text, {id}, member};
}
template <typename Owner>
Binding<Owner> BindUnsigned(int id, std::uint32_t Owner::*member) {
    return {Exchange::Unsigned, {id}, nullptr, member};
}
template <typename Owner>
Binding<Owner> BindByte(int id, std::uint8_t Owner::*member) {
    return {Exchange::Byte, {id}, nullptr, nullptr, member};
}
template <typename Owner>
Binding<Owner> BindCheck(int id, int Owner::*member) {
    return {Exchange::Check, {id}, nullptr, nullptr, nullptr, member};
}
template <typename Owner>
Binding<Owner> BindRadio(std::vector<int> ids, int Owner::*member) {
    return {Exchange::Radio, std::move(ids), nullptr, nullptr, nullptr, member};
}

// A number the way the data exchange reads an unsigned field: blanks around, an optional
// "+", at least one digit, nothing else, at most 4294967295.
std::optional<std::uint32_t> ParseUnsignedField(std::string_view text);

// Copies members to controls (show) or controls to members (save), entry by entry in table
// order. An entry naming a control the dialog lacks throws std::logic_error (ControlMap::Get). A
// field that does not read as its kind stops the save there: the failure handler is told the field
// and the message, and the members of that entry and every later one keep their values.
class DataExchange {
public:
    using FailureHandler = std::function<void(QWidget* field, const char* message)>;

    DataExchange(const ControlMap& controls, FailureHandler onFailure)
        : m_controls(controls), m_onFailure(std::move(onFailure)) {}

    template <typename Owner>
    bool Run(Owner& owner, const std::vector<Binding<Owner>>& table, bool save) const {
        for (const Binding<Owner>& entry : table) {
            if (!(save ? Save(owner, entry) : Show(owner, entry))) {
                return false;
            }
        }
        return true;
    }

    // A save of what the operator can change: a text entry whose field takes no typing (read-only
    // or hidden) holds what was last shown of its member, so it is not read back.
    template <typename Owner>
    bool SaveOperatorInput(Owner& owner, const std::vector<Binding<Owner>>& table) const {
        for (const Binding<Owner>& entry : table) {
            if (IsOperatorInput(entry) && !Save(owner, entry)) {
                return false;
            }
        }
        return true;
    }

private:
    template <typename Owner>
    bool IsOperatorInput(const Binding<Owner>& entry) const {
        const bool textEntry = entry.kind == Exchange::Text || entry.kind == Exchange::Unsigned ||
                               entry.kind == Exchange::Byte;
        return !textEntry || TakesTyping(entry.ids.front());
    }
    bool TakesTyping(int id) const;

    template <typename Owner>
    bool Save(Owner& owner, const Binding<Owner>& entry) const;
    template <typename Owner>
    bool Show(const Owner& owner, const Binding<Owner>& entry) const;

    std::string ReadText(int id) const;
    void WriteText(int id, const std::string& text) const;
    std::optional<std::uint32_t> ReadNumber(int id, std::uint32_t highest,
                                            const char* message) const;
    int ReadCheck(int id) const;
    void WriteCheck(int id, int state) const;
    int ReadRadio(const std::vector<int>& ids) const;
    void WriteRadio(const std::vector<int>& ids, int index) const;

    const ControlMap& m_controls;
    FailureHandler m_onFailure;
};

template <typename Owner>
bool DataExchange::Save(Owner& owner, const Binding<Owner>& entry) const {
    const int id = entry.ids.front();
    switch (entry.kind) {
        case Exchange::Control:
            m_controls.Get(id);  // driven by the owner, but a control of the dialog all the same
            return true;
        case Exchange::Text:
            owner.*entry.text = ReadText(id);
            return true;
        case Exchange::Unsigned: {
            const auto number = ReadNumber(id, UINT32_MAX, res::kEnterPositiveInteger);
            if (number) {
                owner.*entry.number = *number;
            }
            return number.has_value();
        }
        case Exchange::Byte: {
            const auto number = ReadNumber(id, UINT8_MAX, res::kEnterByte);
            if (number) {
                owner.*entry.byte = static_cast<std::uint8_t>(*number);
            }
            return number.has_value();
        }
        case Exchange::Check:
            owner.*entry.index = ReadCheck(id);
            return true;
        case Exchange::Radio:
            owner.*entry.index = ReadRadio(entry.ids);
            return true;
    }
    return true;
}

template <typename Owner>
bool DataExchange::Show(const Owner& owner, const Binding<Owner>& entry) const {
    const int id = entry.ids.front();
    switch (entry.kind) {
        case Exchange::Control:
            m_controls.Get(id);  // driven by the owner, but a control of the dialog all the same
            break;
        case Exchange::Text:
            WriteText(id, owner.*entry.text);
            break;
        case Exchange::Unsigned:
            WriteText(id, std::to_string(owner.*entry.number));
            break;
        case Exchange::Byte:
            WriteText(id, std::to_string(owner.*entry.byte));
            break;
        case Exchange::Check:
            WriteCheck(id, owner.*entry.index);
            break;
        case Exchange::Radio:
            WriteRadio(entry.ids, owner.*entry.index);
            break;
    }
    return true;
}

}  // namespace vantor

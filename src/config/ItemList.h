#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Types.h"

namespace vantor {

// The working state keeps the active items of a configuration as one flat list of texts, three
// per item: the name (with its quantity key before ")"), the register or information object
// address as hexadecimal text and the value size in bytes as decimal text.
inline constexpr std::size_t kTextsPerItem = 3;

// The name tag of the transducer clock's millisecond item; a configuration that has it reads
// the transducer clock, and its address is the clock's first register.
inline constexpr const char* kClockItemTag = "Время (tms)";

// Whether an item name carries one of the four clock tags (year, month-day, hour-minute,
// milliseconds): such items have no attributes and own no ranges in a configuration file.
bool IsTimeItem(const std::string& name);

// A typed, read-only view of such a list; the list itself stays the storage. Every item
// index is checked: one past the list throws InvalidArgument.
class ItemList {
public:
    explicit ItemList(const TextArray& texts) : m_texts(texts) {}

    // Whole items only: a list always holds whole triples.
    std::size_t Count() const { return m_texts.size() / kTextsPerItem; }

    const std::string& Name(std::size_t item) const;
    // The address text read as a hexadecimal number, 0 when it holds none.
    std::uint32_t Address(std::size_t item) const;
    // The size text read as a decimal number, 0 when it holds none.
    unsigned Size(std::size_t item) const;

    bool IsClockItem(std::size_t item) const;
    // The first clock item, if the configuration has one.
    std::optional<std::size_t> ClockItem() const;
    // The register the transducer clock starts at: the first clock item's address.
    std::optional<std::uint32_t> ClockRegister() const;

    // Adds an item at the end of `texts`.
    static void Append(TextArray& texts, std::string name, std::string address, std::string size);

private:
    const std::string& Text(std::size_t item, std::size_t field) const;

    const TextArray& m_texts;
};

}  // namespace vantor

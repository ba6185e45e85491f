#include "config/ItemList.h"

#include <array>

#include "text/TextNumbers.h"

namespace vantor {
namespace {

constexpr std::size_t kNameField = 0;
constexpr std::size_t kAddressField = 1;
constexpr std::size_t kSizeField = 2;

constexpr std::array<const char*, 4> kTimeTags = {"Время (ty)", "Время (tmd)", "Время (thm)",
                                                  kClockItemTag};

}  // namespace

bool IsTimeItem(const std::string& name) {
    for (const char* tag : kTimeTags) {
        if (name.find(tag) != std::string::npos) {
            return true;
        }
    }
    return false;
}

const std::string& ItemList::Name(std::size_t item) const {
    return Text(item, kNameField);
}

std::uint32_t ItemList::Address(std::size_t item) const {
    return static_cast<std::uint32_t>(ParseHexText(Text(item, kAddressField)));
}

unsigned ItemList::Size(std::size_t item) const {
    return static_cast<unsigned>(ParseIntText(Text(item, kSizeField)));
}

bool ItemList::IsClockItem(std::size_t item) const {
    return Name(item).find(kClockItemTag) != std::string::npos;
}

std::optional<std::size_t> ItemList::ClockItem() const {
    for (std::size_t item = 0; item < Count(); ++item) {
        if (IsClockItem(item)) {
            return item;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ItemList::ClockRegister() const {
    if (const auto item = ClockItem()) {
        return Address(*item);
    }
    return std::nullopt;
}

void ItemList::Append(TextArray& texts, std::string name, std::string address, std::string size) {
    texts.push_back(std::move(name));
    texts.push_back(std::move(address));
    texts.push_back(std::move(size));
}

const std::string& ItemList::Text(std::size_t item, std::size_t field) const {
    if (item >= Count()) {
        throw InvalidArgument();
    }
    return m_texts[kTextsPerItem * item + field];
}

}  // namespace vantor

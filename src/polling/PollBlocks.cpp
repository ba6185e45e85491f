#include <cmath>
#include <cstdint>

#include "config/ItemList.h"
#include "config/Protocol.h"
#include "iec101/AsduCodec.h"
#include "polling/MorvikDlg.h"
#include "text/QuantityMatch.h"
#include "text/TextNumbers.h"

namespace vantor {
namespace {

// With the IEC 60870-5-101 tag the clock items at the end of the list are never polled.
constexpr std::int64_t kUnpolledIecClockItems = 3;

// The value divided by its configured divisor, rounded the way "%.0f" prints it and read back
// as a 32-bit integer. A divisor of 0 (or one that is not a number) would give no defined
// quotient, so the value is then kept undivided.
std::int32_t DivideByDivisor(std::uint32_t value, double divisor) {
    const double quotient = static_cast<double>(value) / (divisor == 0 ? 1.0 : divisor);
    if (std::isnan(quotient)) {
        return static_cast<std::int32_t>(value);
    }
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(ParseIntText(FormatFixed(quotient, 0))));
}

void StoreClockWord(CMorvikDlg& dlg, std::size_t key, std::int32_t value) {
    if (key == kClockMsKey) {
        dlg.m_nDevMs = static_cast<std::uint16_t>(value);
    } else if (key == kClockHourMinKey) {
        dlg.m_nDevHour = static_cast<std::uint8_t>(value >> 8);
        dlg.m_nDevMin = static_cast<std::uint8_t>(value);
    }
}

void StoreDecodedValue(CMorvikDlg& dlg, std::size_t key, std::int32_t value) {
    if (const auto raw = RawIndexOfQuantity(key)) {
        At(dlg.m_raw, *raw) = static_cast<std::int16_t>(value);
    } else if (key == kFrequencyKey) {
        dlg.m_dFreqRaw = value;
    } else if (dlg.m_nProtocol != kIecProtocol) {
        // Over IEC 60870-5-101 the clock comes with the ASDU's time tag instead; its bytes
        // are still counted.
        StoreClockWord(dlg, key, value);
    }
}

}  // namespace

// The cursor is 8 bits wide, as the item index has always been: lists beyond 255 items wrap.
void CMorvikDlg::PlanNextBlock() {
    const ItemList items(m_saItems);
    if (m_nItemIndex >= items.Count()) {
        m_nItemIndex = 0;
    }
    if (items.IsClockItem(m_nItemIndex) && m_nProtoTag == kIecProtoTag) {
        m_nItemIndex = 0;
    }
    const std::uint32_t first = items.Address(m_nItemIndex);
    ++m_nItemIndex;
    m_nBlockAddr = first;
    m_nBlockCount = 1;
    while (m_nItemIndex < items.Count() && items.Address(m_nItemIndex) == first + m_nBlockCount) {
        ++m_nItemIndex;
        ++m_nBlockCount;
    }
}

BOOL CMorvikDlg::TakeAnswer(const ByteArray& answer) {
    const auto itemCount = static_cast<std::int64_t>(ItemList(m_saItems).Count());
    if (At(answer, 0) == kInterrogatedMark && m_nProtocol == kIecProtocol) {
        // An interrogation answer carries every item at once: it ends the cycle.
        m_nItemIndex = static_cast<std::uint8_t>(itemCount);
    }
    if (answer.size() < 2) {
        throw InvalidArgument();
    }
    const std::int64_t unpolled = m_nProtoTag == kIecProtoTag ? kUnpolledIecClockItems : 0;
    if (m_nItemIndex < itemCount - unpolled) {
        m_baAccum.insert(m_baAccum.end(), answer.begin() + 2, answer.end());
        return FALSE;
    }
    ByteArray cycle;
    cycle.swap(m_baAccum);
    cycle.insert(cycle.end(), answer.begin() + 2, answer.end());
    DecodeCycle(cycle);
    return TRUE;
}

// The offset is 8 bits wide: a cycle of more than 256 value bytes reads its later items from
// the start of the data again.
void CMorvikDlg::DecodeCycle(const ByteArray& answer) {
    std::uint8_t offset = 0;
    m_nParseItem = 0;
    const ItemList items(m_saItems);
    for (std::size_t item = 0; item < items.Count(); ++item) {
        const auto key = FindQuantityKey(items.Name(item), m_saQtyKeys);
        if (!key) {
            continue;  // an item without a key takes no bytes and no divisor
        }
        const auto size = static_cast<std::uint8_t>(items.Size(item));
        StoreDecodedValue(*this, *key, ExtractValue(size, offset, answer));
        offset = static_cast<std::uint8_t>(offset + size);
        ++m_nParseItem;
    }
}

std::int32_t CMorvikDlg::ExtractValue(std::uint8_t size, std::uint8_t offset,
                                      const ByteArray& answer) {
    std::uint32_t value = 0;
    for (unsigned i = 0; i < size; ++i) {
        const std::size_t position = (offset + i) % 256;
        if (position >= answer.size()) {
            break;
        }
        value = value * 256 + answer[position];
    }
    if (m_bPhysical) {
        return DivideByDivisor(value, ParseRealText(At(m_saDivisors, m_nParseItem)));
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace vantor

#include "polling/IecExchange.h"

#include "config/ItemList.h"
#include "iec101/Ft12Codec.h"
#include "polling/MorvikDlg.h"

namespace vantor {

namespace {

constexpr int kLastGroup = 16;

// The combo's index: 0 = station, 1 to 16 = group. Without a valid selection the whole
// station is asked.
std::uint8_t SelectedGroup(const CComboRef& combo) {
    const int index = combo.GetCurSel();
    return index >= 0 && index <= kLastGroup ? static_cast<std::uint8_t>(index) : 0;
}

}  // namespace

ByteArray PrepareIecExchange(CMorvikDlg& dlg, IecBlockExtent extent) {
    dlg.m_iec.m_hCom = dlg.m_port.m_hCom;
    ByteArray params{dlg.m_nIecAsduAddrSize, dlg.m_nIecIoaSize, dlg.m_nIecCotSize,
                     dlg.m_nIecFixedFrame};
    if (extent == IecBlockExtent::WithGroup) {
        params.push_back(SelectedGroup(dlg.m_comboGroup));
    }
    return params;
}

bool IecCommandConfirmed(std::uint8_t code) {
    return code == kReplyAccepted || code == kReplySingleAck;
}

std::uint8_t ReceiveIecReply(CMorvikDlg& dlg, ByteArray& reply, ByteArray& params) {
    std::uint16_t hourMinute = static_cast<std::uint16_t>(dlg.m_nDevHour << 8 | dlg.m_nDevMin);
    const std::uint8_t code = dlg.m_iec.ReceiveReply(reply, params, ItemList(dlg.m_saItems).Count(),
                                                     dlg.m_baItemCot, dlg.m_nDevMs, hourMinute);
    dlg.m_nDevMin = static_cast<std::uint8_t>(hourMinute & 0xFF);
    dlg.m_nDevHour = static_cast<std::uint8_t>(hourMinute >> 8);
    return code;
}

}  // namespace vantor

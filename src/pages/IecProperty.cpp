#include "pages/IecProperty.h"

#include "app/MorvikWindow.h"
#include "res/Templates.h"
#include "text/TextNumbers.h"

namespace vantor {

namespace {
constexpr int kAddressEdit = 1119;
constexpr int kAsduSizeList = 1120;
constexpr int kIoaSizeList = 1121;
constexpr int kCotSizeList = 1122;
constexpr int kFixedFrameEdit = 1124;
const std::vector<int> kOwnIds = {kAddressEdit, kAsduSizeList, kIoaSizeList, kCotSizeList,
                                  kFixedFrameEdit};
}  // namespace

IEC_Property::IEC_Property(CMorvikWindow* main)
    : CPage(main, res::IecPageTemplate(), &CMorvikWindow::m_pIecPage) {
    const CMorvikDlg& dlg = MainState();
    m_nAddr = dlg.m_nDevAddr;
    SelectText(kAsduSizeList, std::to_string(dlg.m_nIecAsduAddrSize));
    SelectText(kIoaSizeList, std::to_string(dlg.m_nIecIoaSize));
    SelectText(kCotSizeList, std::to_string(dlg.m_nIecCotSize));
    m_nFixedFrame = dlg.m_nIecFixedFrame;
    UpdateData(false);
    WatchFocus(kOwnIds);
}

bool IEC_Property::UpdateData(bool saveAndValidate) {
    static const std::vector<Binding<IEC_Property>> bindings = {
        BindControl<IEC_Property>(kCotSizeList),
        BindControl<IEC_Property>(kIoaSizeList),
        BindControl<IEC_Property>(kAsduSizeList),
        BindUnsigned(kAddressEdit, &IEC_Property::m_nAddr),
        BindByte(kFixedFrameEdit, &IEC_Property::m_nFixedFrame),
    };
    return Exchange(*this, bindings, saveAndValidate);
}

void IEC_Property::TakeSize(int listId, std::uint8_t& size) const {
    const std::string chosen = SelectedText(listId);
    if (!chosen.empty()) {
        size = static_cast<std::uint8_t>(ParseIntText(chosen));
    }
}

bool IEC_Property::Commit() {
    CMorvikDlg& dlg = MainState();
    const bool committed = UpdateData(true);
    dlg.m_nDevAddr = static_cast<std::uint16_t>(m_nAddr & 0xFFFF);
    TakeSize(kAsduSizeList, dlg.m_nIecAsduAddrSize);
    TakeSize(kIoaSizeList, dlg.m_nIecIoaSize);
    TakeSize(kCotSizeList, dlg.m_nIecCotSize);
    dlg.m_nIecFixedFrame = m_nFixedFrame;
    return committed;
}

void IEC_Property::OnFocusLost(int /*id*/) {
    if (!IsReferenced()) {
        return;
    }
    // A field that did not read has the focus back, so the page stays.
    if (Commit()) {
        ApplyClosingRule(kOwnIds);
    }
}

void IEC_Property::OnLeaving() {
    Commit();
}

}  // namespace vantor

#include "pages/IecProperty.h"

#include "app/MorvikWindow.h"
#include "polling/ControlIds.h"
#include "res/Templates.h"
#include "text/TextNumbers.h"

namespace vantor {

namespace {
const std::vector<int> kOwnIds = {ctl::iec::kAddressEdit, ctl::iec::kAsduSizeList,
                                  ctl::iec::kIoaSizeList, ctl::iec::kCotSizeList,
                                  ctl::iec::kFixedFrameEdit};
}  // namespace

IEC_Property::IEC_Property(CMorvikWindow* main)
    : CPage(main, res::IecPageTemplate(), &CMorvikWindow::m_pIecPage) {
    const CMorvikDlg& dlg = MainState();
    m_nAddr = dlg.m_nDevAddr;
    SelectText(ctl::iec::kAsduSizeList, std::to_string(dlg.m_nIecAsduAddrSize));
    SelectText(ctl::iec::kIoaSizeList, std::to_string(dlg.m_nIecIoaSize));
    SelectText(ctl::iec::kCotSizeList, std::to_string(dlg.m_nIecCotSize));
    m_nFixedFrame = dlg.m_nIecFixedFrame;
    UpdateData(false);
    WatchFocus(kOwnIds);
}

const std::vector<Binding<IEC_Property>>& IEC_Property::Bindings() {
    static const std::vector<Binding<IEC_Property>> bindings = {
        BindControl<IEC_Property>(ctl::iec::kCotSizeList),
        BindControl<IEC_Property>(ctl::iec::kIoaSizeList),
        BindControl<IEC_Property>(ctl::iec::kAsduSizeList),
        BindUnsigned(ctl::iec::kAddressEdit, &IEC_Property::m_nAddr),
        BindByte(ctl::iec::kFixedFrameEdit, &IEC_Property::m_nFixedFrame),
    };
    return bindings;
}

bool IEC_Property::UpdateData(bool saveAndValidate) {
    return Exchange(*this, Bindings(), saveAndValidate);
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
    TakeSize(ctl::iec::kAsduSizeList, dlg.m_nIecAsduAddrSize);
    TakeSize(ctl::iec::kIoaSizeList, dlg.m_nIecIoaSize);
    TakeSize(ctl::iec::kCotSizeList, dlg.m_nIecCotSize);
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

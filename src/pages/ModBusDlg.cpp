#include "pages/ModBusDlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>

#include "app/MorvikWindow.h"
#include "app/UpDownControl.h"
#include "pages/MinPeriod.h"
#include "polling/ControlIds.h"
#include "res/Templates.h"

namespace vantor {

namespace {
constexpr int kHighestAddress = 255;
}  // namespace

CModBusDlg::CModBusDlg(CMorvikWindow* main)
    : CPage(main, res::ModbusPageTemplate(), &CMorvikWindow::m_pModbusPage) {
    m_spinAddr = m_controls.As<UpDownControl>(ctl::modbus::kAddressSpin);
    if (m_spinAddr != nullptr) {
        m_spinAddr->SetRange(0, kHighestAddress);
    }
    m_pEditAddr = m_controls.As<QLineEdit>(ctl::modbus::kAddressEdit);
    const CMorvikDlg& dlg = MainState();
    m_nAddr = static_cast<std::uint8_t>(dlg.m_nDevAddr & 0xFF);
    m_nMode = dlg.m_b8Bit;
    UpdateData(false);
    for (const auto& [id, rtu] :
         {std::pair{ctl::modbus::kAsciiRadio, false}, std::pair{ctl::modbus::kRtuRadio, true}}) {
        if (auto* radio = m_controls.As<QRadioButton>(id)) {
            const bool isRtu = rtu;
            connect(radio, &QRadioButton::clicked, this,
                    [this, isRtu] { Run([this, isRtu] { OnModeChosen(isRtu); }); });
        }
    }
    WatchFocus({ctl::modbus::kAddressEdit});
}

const std::vector<Binding<CModBusDlg>>& CModBusDlg::Bindings() {
    static const std::vector<Binding<CModBusDlg>> bindings = {
        BindControl<CModBusDlg>(ctl::modbus::kAddressSpin),
        BindRadio({ctl::modbus::kAsciiRadio, ctl::modbus::kRtuRadio}, &CModBusDlg::m_nMode),
        BindByte(ctl::modbus::kAddressEdit, &CModBusDlg::m_nAddr),
    };
    return bindings;
}

bool CModBusDlg::UpdateData(bool saveAndValidate) {
    return Exchange(*this, Bindings(), saveAndValidate);
}

void CModBusDlg::FocusFirstControl() {
    if (m_pEditAddr != nullptr) {
        m_pEditAddr->setFocus(Qt::OtherFocusReason);
    }
}

bool CModBusDlg::CommitAddress() {
    const bool committed = UpdateData(true);
    MainState().m_nDevAddr = m_nAddr;
    return committed;
}

void CModBusDlg::OnFocusLost(int /*id*/) {
    // A field that did not read has the focus back, so the page stays.
    if (CommitAddress()) {
        ApplyClosingRule(
            {ctl::modbus::kAsciiRadio, ctl::modbus::kAddressEdit, ctl::modbus::kRtuRadio});
    }
}

void CModBusDlg::OnLeaving() {
    CommitAddress();
}

void CModBusDlg::OnModeChosen(bool rtu) {
    CMorvikDlg& dlg = MainState();
    UpdateData(true);
    dlg.m_strDataBits = std::string(1, rtu ? '8' : '7');
    dlg.m_port.Configure(dlg.SettingsText());
    dlg.m_b8Bit = m_nMode;
    FocusFirstControl();
    const auto minimum =
        ModbusPageMinPeriod(dlg.m_saItems.size(), dlg.m_strBaud, dlg.m_b8Bit != 0, rtu);
    if (minimum) {
        RaisePollPeriod(dlg, *m_pMain, *minimum);
    }
}

void CModBusDlg::paintEvent(QPaintEvent* event) {
    CPage::paintEvent(event);
    // Only a focus that is nowhere on the page is pulled back: taking it from a radio button
    // while it is pressed would cancel the click, and the keyboard could never reach one. The
    // page must be the active window itself: a tool window counts as active while the main
    // window is, and taking the focus then would pull it back from a click on the main window.
    const QWidget* focus = QApplication::focusWidget();
    const bool focusOnPage = focus != nullptr && focus->window() == this;
    if (!IsClosing() && QApplication::activeWindow() == this && m_pEditAddr != nullptr &&
        !focusOnPage) {
        m_pEditAddr->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace vantor

#include "pages/RS485Dlg.h"

#include <QComboBox>

#include "app/MorvikWindow.h"
#include "pages/MinPeriod.h"
#include "polling/ControlIds.h"
#include "res/Templates.h"

namespace vantor {

namespace {}  // namespace

CRS485Dlg::CRS485Dlg(CMorvikWindow* main)
    : CPage(main, res::PortPageTemplate(), &CMorvikWindow::m_pPortPage) {
    const CMorvikDlg& dlg = MainState();
    SelectText(ctl::port::kPortList, dlg.m_port.m_strPortName);
    SelectText(ctl::port::kStopBitsList, dlg.m_strStopBits);
    SelectText(ctl::port::kParityList, dlg.m_strParity);
    SelectText(ctl::port::kBaudList, dlg.m_strBaud);
    ConnectList(ctl::port::kPortList, &CRS485Dlg::OnPortChosen);
    ConnectList(ctl::port::kParityList, &CRS485Dlg::OnParityChosen);
    ConnectList(ctl::port::kStopBitsList, &CRS485Dlg::OnStopBitsChosen);
    ConnectList(ctl::port::kBaudList, &CRS485Dlg::OnBaudChosen);
    WatchFocus({ctl::port::kPortList, ctl::port::kParityList, ctl::port::kStopBitsList,
                ctl::port::kBaudList});
}

void CRS485Dlg::ConnectList(int id, void (CRS485Dlg::*handler)()) {
    if (auto* list = m_controls.As<QComboBox>(id)) {
        connect(list, &QComboBox::activated, this,
                [this, handler] { Run([this, handler] { (this->*handler)(); }); });
    }
}

void CRS485Dlg::ApplySettings() {
    CMorvikDlg& dlg = MainState();
    dlg.m_port.Configure(dlg.SettingsText());
}

void CRS485Dlg::OnPortChosen() {
    CComPort& port = MainState().m_port;
    port.m_strPortName = SelectedText(ctl::port::kPortList);
    if (port.m_strPortName != port.m_strOpenPortName) {
        SwitchPort(port.m_strPortName);
    }
    SelectText(ctl::port::kPortList, port.m_strPortName);
}

void CRS485Dlg::SwitchPort(const std::string& name) {
    CComPort& port = MainState().m_port;
    if (port.m_strOpenPortName != kNoPortName) {
        port.Close();
    }
    if (name == kNoPortName) {
        port.m_strOpenPortName = kNoPortName;
        return;
    }
    if (port.Open(name)) {
        port.m_strOpenPortName = name;
        ApplySettings();
        return;
    }
    port.m_strPortName = port.m_strOpenPortName;
    if (port.m_strOpenPortName != kNoPortName) {
        port.Open(port.m_strOpenPortName);
        ApplySettings();
    }
}

void CRS485Dlg::StoreLineSetting(int listId, std::string CMorvikDlg::*setting) {
    CMorvikDlg& dlg = MainState();
    if (dlg.m_port.m_strPortName != kNoPortName) {
        dlg.*setting = SelectedText(listId);
        ApplySettings();
    }
}

void CRS485Dlg::OnParityChosen() {
    StoreLineSetting(ctl::port::kParityList, &CMorvikDlg::m_strParity);
}

void CRS485Dlg::OnStopBitsChosen() {
    StoreLineSetting(ctl::port::kStopBitsList, &CMorvikDlg::m_strStopBits);
}

void CRS485Dlg::OnBaudChosen() {
    StoreLineSetting(ctl::port::kBaudList, &CMorvikDlg::m_strBaud);
    CMorvikDlg& dlg = MainState();
    const auto minimum = PortPageMinPeriod(dlg.m_saItems.size(), dlg.m_strBaud, dlg.m_b8Bit != 0);
    if (minimum) {
        RaisePollPeriod(dlg, *m_pMain, *minimum);
    }
}

void CRS485Dlg::OnFocusLost(int /*id*/) {
    ApplyClosingRule({ctl::port::kPortList, ctl::port::kParityList, ctl::port::kStopBitsList,
                      ctl::port::kBaudList});
}

}  // namespace vantor

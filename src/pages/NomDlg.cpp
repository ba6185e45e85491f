#include "pages/NomDlg.h"

#include <QComboBox>

#include "app/MorvikWindow.h"
#include "polling/ControlIds.h"
#include "res/Templates.h"
#include "text/TextNumbers.h"

namespace vantor {

CNomDlg::CNomDlg(CMorvikWindow* main)
    : CPage(main, res::NominalPageTemplate(), &CMorvikWindow::m_pNomPage) {
    const CMorvikDlg& dlg = MainState();
    SelectText(ctl::nominal::kVoltageList, FormatFixed(dlg.m_dUnom, 0));
    SelectText(ctl::nominal::kCurrentList, FormatFixed(dlg.m_dInom, 1));
    if (auto* list = m_controls.As<QComboBox>(ctl::nominal::kVoltageList)) {
        connect(list, &QComboBox::activated, this, [this] { Run([this] { OnVoltageChosen(); }); });
    }
    if (auto* list = m_controls.As<QComboBox>(ctl::nominal::kCurrentList)) {
        connect(list, &QComboBox::activated, this, [this] { Run([this] { OnCurrentChosen(); }); });
    }
    WatchFocus({ctl::nominal::kVoltageList, ctl::nominal::kCurrentList});
}

void CNomDlg::OnVoltageChosen() {
    ApplyNominal(ctl::nominal::kVoltageList, &CMorvikDlg::m_dUnom,
                 &CMorvikDlg::RecomputeVoltageCoefficients);
}

void CNomDlg::OnCurrentChosen() {
    ApplyNominal(ctl::nominal::kCurrentList, &CMorvikDlg::m_dInom,
                 &CMorvikDlg::RecomputeCurrentCoefficients);
}

void CNomDlg::ApplyNominal(int listId, double CMorvikDlg::*nominal,
                           void (CMorvikDlg::*recompute)()) {
    CMorvikDlg& dlg = MainState();
    dlg.ResetValues();
    dlg.*nominal = ParseRealText(SelectedText(listId));
    (dlg.*recompute)();
    dlg.RefreshValues();
    m_pMain->UpdateData(false);
}

void CNomDlg::OnFocusLost(int /*id*/) {
    ApplyClosingRule({ctl::nominal::kVoltageList, ctl::nominal::kCurrentList});
}

}  // namespace vantor

#pragma once

#include "app/Page.h"
#include "polling/MorvikDlg.h"

namespace vantor {

// The "Номинальные значения" page: nominal line voltage and current, applied when chosen.
class CNomDlg : public CPage {
    Q_OBJECT
public:
    explicit CNomDlg(CMorvikWindow* main);

    void OnVoltageChosen();
    void OnCurrentChosen();

protected:
    void OnFocusLost(int id) override;

private:
    // Resets the values, takes the list's number, recomputes the coefficients it changes and
    // shows the values converted with them at once.
    void ApplyNominal(int listId, double CMorvikDlg::*nominal, void (CMorvikDlg::*recompute)());
};

}  // namespace vantor

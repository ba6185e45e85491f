#pragma once

#include "pages/Page.h"

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
    // The values are reset, converted with the new coefficients and shown at once.
    void Redisplay();
};

}  // namespace vantor

#pragma once

#include <cstdint>

#include "app/Page.h"

class QLineEdit;

namespace vantor {

class UpDownControl;

// The "ModBus" page: the device address (with its spin arrows) and the ASCII / RTU framing.
class CModBusDlg : public CPage {
    Q_OBJECT
public:
    explicit CModBusDlg(CMorvikWindow* main);

    void FocusFirstControl() override;
    // A click on "ASCII" (rtu false) or "RTU".
    void OnModeChosen(bool rtu);

    QLineEdit* m_pEditAddr = nullptr;
    UpDownControl* m_spinAddr = nullptr;
    int m_nMode = -1;
    std::uint8_t m_nAddr = 0;

    // The data exchange of the page, in its order.
    static const std::vector<Binding<CModBusDlg>>& Bindings();

protected:
    bool UpdateData(bool saveAndValidate) override;
    void OnFocusLost(int id) override;
    void OnLeaving() override;
    // Every repaint of the page gives the address field the focus again.
    void paintEvent(QPaintEvent* event) override;

private:
    // Commits the address into the device address; false when the field did not read.
    bool CommitAddress();
};

}  // namespace vantor

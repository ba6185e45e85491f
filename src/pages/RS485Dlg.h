#pragma once

#include <string>

#include "app/Page.h"
#include "polling/MorvikDlg.h"

namespace vantor {

// The "RS-485" page: port, parity, stop bits and baud rate, each applied when chosen.
class CRS485Dlg : public CPage {
    Q_OBJECT
public:
    explicit CRS485Dlg(CMorvikWindow* main);

    void OnPortChosen();
    void OnParityChosen();
    void OnStopBitsChosen();
    void OnBaudChosen();

protected:
    void OnFocusLost(int id) override;

private:
    void ConnectList(int id, void (CRS485Dlg::*handler)());
    // Closes the open port, if any, and opens `name`; on failure the previous port is
    // opened again.
    void SwitchPort(const std::string& name);
    void ApplySettings();
    // With a port chosen, stores the list's choice and applies the settings; without one the
    // choice is not stored.
    void StoreLineSetting(int listId, std::string CMorvikDlg::*setting);
};

}  // namespace vantor

#include "pages/SettingsPages.h"

#include "app/MorvikWindow.h"
#include "pages/IecProperty.h"
#include "pages/ModBusDlg.h"
#include "pages/NomDlg.h"
#include "pages/OpenFile.h"
#include "pages/RS485Dlg.h"

namespace vantor {

void AddSettingsPages(PageRegistry& registry) {
    registry.Add({ctl::kFileTab, &CMorvikWindow::m_pFilePage,
                  [](CMorvikWindow* main) -> CPage* { return new COpenFile(main); }});
    registry.Add({ctl::kPortTab, &CMorvikWindow::m_pPortPage,
                  [](CMorvikWindow* main) -> CPage* { return new CRS485Dlg(main); }});
    registry.Add({ctl::kModbusTab, &CMorvikWindow::m_pModbusPage,
                  [](CMorvikWindow* main) -> CPage* { return new CModBusDlg(main); }});
    registry.Add({ctl::kIecTab, &CMorvikWindow::m_pIecPage,
                  [](CMorvikWindow* main) -> CPage* { return new IEC_Property(main); }});
    registry.Add({ctl::kNominalTab, &CMorvikWindow::m_pNomPage,
                  [](CMorvikWindow* main) -> CPage* { return new CNomDlg(main); }});
}

}  // namespace vantor

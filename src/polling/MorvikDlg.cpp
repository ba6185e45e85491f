#include "polling/MorvikDlg.h"

namespace vantor {

CMorvikDlg::CMorvikDlg(IDialogWindow& window, const Platform& platform)
    : m_comboGroup(window, ctl::kGroupCombo),
      m_port(platform.clock, platform.serial, platform.paths),
      m_iec(platform.clock),
      m_wnd(window),
      m_platform(platform) {}

CMorvikDlg::~CMorvikDlg() {
    CloseLog();
}

}  // namespace vantor

#include "polling/MorvikDlg.h"

namespace vantor {

void CMorvikDlg::OnSyncClock() {}

void CMorvikDlg::OnMeasureDelay() {}

}  // namespace vantor

#include "polling/MorvikDlg.h"

namespace vantor {

void CMorvikDlg::SendFirstIecRequest() {}

std::uint8_t CMorvikDlg::CollectIecAnswer(ByteArray& answer, std::uint8_t& cause) {
    answer.clear();
    cause = 0;
    return 4;
}

void CMorvikDlg::SendNextIecRequest(std::uint8_t cause) {
    (void)cause;
}

void CMorvikDlg::ReportIecRefusal(ByteArray& params) {
    (void)params;
    OnStop();
}

}  // namespace vantor

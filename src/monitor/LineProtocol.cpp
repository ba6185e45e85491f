#include "monitor/LineProtocol.h"

#include "polling/MorvikDlg.h"

namespace vantor {

LineProtocol LineProtocolOf(const CMorvikDlg& dlg) {
    return {ChooseTransport(dlg.m_b8Bit, dlg.m_nProtocol),
            {dlg.m_nIecAsduAddrSize, dlg.m_nIecIoaSize, dlg.m_nIecCotSize}};
}

}  // namespace vantor

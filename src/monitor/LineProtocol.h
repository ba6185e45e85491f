#pragma once

#include "iec101/ParameterBlock.h"
#include "polling/Transport.h"

namespace vantor {

class CMorvikDlg;

// What the line speaks at the moment a frame passes: the framing and, for
// IEC 60870-5-101, the field sizes the frames are laid out with.
struct LineProtocol {
    Transport transport = Transport::ModbusRtu;
    IecFieldSizes iec;
};

LineProtocol LineProtocolOf(const CMorvikDlg& dlg);

}  // namespace vantor

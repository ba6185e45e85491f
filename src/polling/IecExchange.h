#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace vantor {

class CMorvikDlg;

// How much of the parameter block an exchange gets: the field sizes only (the poll tick's
// collection), or with the interrogation group as well (every other operation).
enum class IecBlockExtent { Sizes, WithGroup };

// Lends the port's handle to the IEC channel and builds a fresh parameter block.
ByteArray PrepareIecExchange(CMorvikDlg& dlg, IecBlockExtent extent);

// A command counts as confirmed by an accepted ASDU or the single character.
bool IecCommandConfirmed(std::uint8_t code);

// ReceiveReply with the dialog's items, group tags and the transducer's time stamp.
std::uint8_t ReceiveIecReply(CMorvikDlg& dlg, ByteArray& reply, ByteArray& params);

}  // namespace vantor

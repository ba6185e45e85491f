#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Types.h"

namespace vantor {

// The parameter block a caller builds for each IEC 60870-5-101 exchange: the field sizes, the
// interrogation group and, for commands, the cause to send. ReceiveReply appends the type
// identification and the cause of the ASDU it decoded.
enum IecParam : std::size_t {
    kParamAddressSize = 0,  // link address and common address of ASDU: 1 or 2 octets
    kParamIoaSize = 1,      // information object address: 1, 2 or 3 octets
    kParamCauseSize = 2,    // cause of transmission: 1 or 2 octets
    kParamFixedFrame = 3,   // carried along, read by no frame builder or decoder
    kParamGroup = 4,        // 0 = station, 1 to 16 = group
    kParamCause = 5,        // cause sent by SendCommand
};

struct IecFieldSizes {
    std::uint8_t address = 1;
    std::uint8_t ioa = 2;
    std::uint8_t cause = 1;
};

inline IecFieldSizes FieldSizesOf(const ByteArray& params) {
    return {At(params, kParamAddressSize), At(params, kParamIoaSize), At(params, kParamCauseSize)};
}

}  // namespace vantor

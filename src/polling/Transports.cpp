#include "polling/Transports.h"

namespace vantor {

ITransport& CTransports::Chosen(BOOL eightBit, int protocol) {
    switch (ChooseTransport(eightBit, protocol)) {
        case Transport::ModbusAscii:
            return m_ascii;
        case Transport::ModbusRtu:
            return m_rtu;
        case Transport::Iec101:
            return m_iec;
    }
    return m_ascii;
}

}  // namespace vantor

#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vantor {

class CMorvikDlg;
class IDialogWindow;

// The shortest poll period that leaves the transducer time to answer, in milliseconds, from
// the number of item strings (three per item), the baud text and the framing. Nothing when
// the baud text does not read as a positive number: there is no rate to divide by.

// After a baud choice on the port page: (s / 3 + 11) × 10000 / b, doubled, doubled again for
// 7-bit framing, down to a multiple of 50, plus 100.
std::optional<unsigned> PortPageMinPeriod(std::size_t itemStrings, const std::string& baud,
                                          bool eightBit);

// After a mode choice on the Modbus page: (s / 2 + 11) × 10000 / b, doubled, doubled again
// for 7-bit framing, down to a multiple of 50, plus 50 for ASCII and 100 for RTU.
std::optional<unsigned> ModbusPageMinPeriod(std::size_t itemStrings, const std::string& baud,
                                            bool eightBit, bool rtu);

// Shows the minimum in the main window and raises the poll period to it.
void RaisePollPeriod(CMorvikDlg& dlg, IDialogWindow& window, unsigned minPeriod);

}  // namespace vantor

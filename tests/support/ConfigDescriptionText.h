#pragma once

#include <string_view>

#include "support/ConfigWriter.h"

namespace vantor::test {

// A configuration described as text, one field per line, so that sample files can be read,
// reviewed and regenerated. Numbers are decimal or 0x-prefixed hexadecimal; texts are quoted
// ("\"" and "\\" escape); "#" starts a comment.
//
//   header 0 0 0 0
//   record "Напряжение фазы A (Ua)" "0000" "2" 0 "1"     # name address size kind divisor
//   record utf16 "Ток фазы A (Ia)" "0003" "2" 0 "1"      # name written as UTF-16LE
//   address 5
//   serial 0x95
//   spare 0
//   wiring 0
//   protocol-tag 255                                      # any of these starts the protocol
//   iec-sizes 1 2 16 1                                    # ASDU address, IOA, fixed frame, cause
//   address-high 0
//   reserved 0 0
//   groups 20 20 20                                       # appends; may repeat
//   nominal 4                                             # any of these starts the measurement
//   attributes 0 0 0 0x40                                 # appends; may repeat
//   ratios 100 1 1 200 1 1                                # Кн is the first, Кт the fourth
//   ranges 500 5500 5000                                  # appends; may repeat
//   trailer 0xAA                                          # appends bytes after everything
//
// Throws std::invalid_argument naming the line of the first mistake.
ConfigDescription ParseConfigDescription(std::string_view text);

}  // namespace vantor::test

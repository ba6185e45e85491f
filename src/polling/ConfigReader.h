#pragma once

#include <string>

#include "config/ByteStream.h"
#include "config/ConfigFailure.h"
#include "config/Configuration.h"
#include "config/ItemList.h"

namespace vantor {

class CMorvikDlg;

// Reads a configuration from its first byte into the working state: decodes it, then applies
// it. Returns when the file was read to the end of its last section, or when a failure in one
// of the two recoverable sections was absorbed there. Throws ReadFailure for a file that ends
// (or holds an unusable string length) before the wiring code, and IndexFailure when the
// recovery of the last section meets a file with four or fewer active items; what was applied
// before stays applied.
void ReadConfiguration(IByteStream& stream, CMorvikDlg& dlg);

// Writes a decoded configuration into the working state, section by section and in file order,
// with the display updates the nominal input and the ratios call for; throws the failure the
// configuration ends in, once everything before it is applied.
void ApplyConfiguration(const Configuration& config, CMorvikDlg& dlg);

// Recomputes the presence flags from the item names and the wiring code.
void UpdateActiveQuantities(CMorvikDlg& dlg);

// Display units from the transformer ratios and the coefficients.
void ChooseUnitDivisors(CMorvikDlg& dlg);

}  // namespace vantor

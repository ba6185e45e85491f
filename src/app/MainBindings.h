#pragma once

#include <vector>

#include "app/DataExchange.h"
#include "polling/MorvikDlg.h"

namespace vantor {

// The main window's data exchange, in its fixed order.
const std::vector<Binding<CMorvikDlg>>& MainBindings();

}  // namespace vantor

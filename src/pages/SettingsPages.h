#pragma once

#include "app/PageRegistry.h"

namespace vantor {

// The file page and the four settings pages under their tabs.
void AddSettingsPages(PageRegistry& registry);

}  // namespace vantor

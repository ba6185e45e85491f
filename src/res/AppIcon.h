#pragma once

#include <QIcon>

namespace vantor::res {

// The application icon (resource 128): drawn, not loaded, at 16, 32 and 48 pixels.
QIcon AppIcon();

}  // namespace vantor::res

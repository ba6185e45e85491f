#pragma once

#include <QIcon>
#include <QImage>

namespace vantor::res {

// The application icon (resource 128): drawn, not loaded, at 16, 32 and 48 pixels.
QIcon AppIcon();
// The same drawing at any size; needs no display, so the build renders the installed icons.
QImage AppIconImage(int size);

}  // namespace vantor::res

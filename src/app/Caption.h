#pragma once

#include <QString>

namespace vantor {

// The window caption after a load: the part before " (" of an earlier load is kept, then
// " (" file ")" is appended. A "(" at the very start does not count as an earlier part.
QString CaptionWithFile(const QString& caption, const QString& fileName);

}  // namespace vantor

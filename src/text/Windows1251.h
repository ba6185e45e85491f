#pragma once

#include <string>
#include <string_view>

namespace vantor {

// Texts are UTF-8 inside the program; Windows-1251 exists only where files are read and
// written. A character Windows-1251 cannot hold, and a malformed sequence, becomes "?".

// UTF-8 to Windows-1251.
std::string Utf8ToWindows1251(std::string_view utf8);

// Windows-1251 to UTF-8. Every byte has a character (the unassigned 0x98 reads as U+0098), so
// the way back to Windows-1251 gives the same bytes.
std::string Windows1251ToUtf8(std::string_view cp1251);

// UTF-16 code units (as read little-endian from a file) to Windows-1251. A surrogate pair is
// one character; a lone surrogate is malformed.
std::string Utf16ToWindows1251(std::u16string_view utf16);

}  // namespace vantor

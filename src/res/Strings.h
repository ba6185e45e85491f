#pragma once

// Texts of the window that are not part of a dialog template.
namespace vantor::res {

// The About entry of the window's menu (string 101).
inline constexpr const char* kAboutMenuEntry = "&About Vantor 3";
// The window's menu entries for the IEC 60870-5-101 forms a standard secondary expects; off at
// start, kept for the run.
inline constexpr const char* kReadAsUserDataEntry = "МЭК-101: команда чтения с функцией 3";
inline constexpr const char* kInterrogateAtZeroEntry = "МЭК-101: опрос с адресом объекта 0";
// The traffic monitor: its entry in the window's menu, its shortcut and its caption.
inline constexpr const char* kMonitorMenuEntry = "Монитор обмена";
inline constexpr const char* kMonitorShortcut = "Ctrl+M";
inline constexpr const char* kMonitorTitle = "Монитор обмена";
// Caption of the framework's own message boxes.
inline constexpr const char* kAppTitle = "Vantor 3";

// The data exchange's validation messages.
inline constexpr const char* kEnterPositiveInteger = "Enter a positive integer.";
inline constexpr const char* kEnterByte = "Enter an integer between 0 and 255.";
// Reported where a handler is dispatched, when it was abandoned by an index out of range.
inline constexpr const char* kImproperArgument = "Encountered an improper argument.";

// The file page.
inline constexpr const char* kOpenFilter = "*.dat";
inline constexpr const char* kCannotOpenFile = "Не могу создать файл ";
inline constexpr const char* kCannotOpenCaption = "Ой";

}  // namespace vantor::res

#pragma once

#include <string>

namespace vantor {

// 1 … 8 for the program's port names "COM1" … "COM8", 0 for any other name ("НЕТ" included).
int ComPortNumber(const std::string& portName);

}  // namespace vantor

#include "text/TextNumbers.h"

#include <cstdlib>

namespace vantor {

long ParseHexText(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 16);
}

long ParseIntText(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 10);
}

double ParseRealText(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace vantor

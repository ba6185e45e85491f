#include "support/ScopedLocale.h"

#include <clocale>

namespace vantor::test {

ScopedLocale::ScopedLocale(const char* name) : m_previous(std::setlocale(LC_ALL, nullptr)) {
    m_active = std::setlocale(LC_ALL, name) != nullptr;
}

ScopedLocale::~ScopedLocale() {
    std::setlocale(LC_ALL, m_previous.c_str());
}

}  // namespace vantor::test

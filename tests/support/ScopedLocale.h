#pragma once

#include <string>

namespace vantor::test {

// What our users run: Russian, with its decimal comma. The test command makes it inside the
// build tree (LOCPATH), so that no machine needs it installed.
inline constexpr const char* kCommaLocale = "ru_RU.UTF-8";

// The process runs in `name` while the object lives, as the window toolkit sets the locale from
// the desktop; the locale before it comes back afterwards. Active() is false when the locale
// does not exist.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool Active() const { return m_active; }

private:
    std::string m_previous;
    bool m_active = false;
};

}  // namespace vantor::test

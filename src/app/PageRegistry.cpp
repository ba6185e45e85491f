#include "app/PageRegistry.h"

#include <algorithm>

namespace vantor {

const PageRegistry::Entry* PageRegistry::Find(int tab) const {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [tab](const Entry& entry) { return entry.tab == tab; });
    return found != m_entries.end() ? &*found : nullptr;
}

}  // namespace vantor

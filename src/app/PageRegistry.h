#pragma once

#include <functional>
#include <vector>

namespace vantor {

class CMorvikWindow;
class CPage;

// Which settings page opens under which tab. The window owns the registry and knows its pages
// only as CPage; whoever assembles the program fills it with the pages there are, so the window
// never depends on the pages built on top of it.
class PageRegistry {
public:
    struct Entry {
        int tab;
        // The window's member that points to the page while it is open.
        CPage* CMorvikWindow::*reference;
        std::function<CPage*(CMorvikWindow*)> make;
    };

    void Add(Entry entry) { m_entries.push_back(std::move(entry)); }
    // Null for a tab without a page.
    const Entry* Find(int tab) const;
    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

}  // namespace vantor

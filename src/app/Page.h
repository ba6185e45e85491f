#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "app/ControlMap.h"
#include "app/DataExchange.h"
#include "res/DialogTemplate.h"

namespace vantor {

class CMorvikDlg;
class CMorvikWindow;

// A settings page: a captionless panel built from its own template, opened under its tab by
// the main window, referenced by one of the main window's page members while it is open.
// It ends itself when the keyboard focus leaves it, and with Enter and Escape.
class CPage : public QDialog {
    Q_OBJECT
public:
    CPage(CMorvikWindow* main, const res::DialogTemplate& dialog, CPage* CMorvikWindow::*reference);
    ~CPage() override;

    const ControlMap& Controls() const { return m_controls; }
    // Where the page's initialisation puts the focus: the first control that takes it.
    virtual void FocusFirstControl();
    // Ends the page: the main window's reference is cleared, the window leaves the screen and
    // is deleted once control returns to the event loop. A closed page never comes back.
    void ClosePage();
    bool IsClosing() const { return m_closing; }

    // Enter: commit the fields and end the page, or stay with the failed field's message.
    void accept() override;
    // Escape: end the page.
    void reject() override;

protected:
    CMorvikDlg& MainState();
    // The page is still the one its reference in the main window points to.
    bool IsReferenced() const;
    // Focus leaving one of these controls runs OnFocusLost through the main window's dispatch.
    void WatchFocus(const std::vector<int>& ids);
    virtual void OnFocusLost(int id);
    // What the focus loss of an ending page commits.
    virtual void OnLeaving() {}
    // The page's own data exchange; a page without bound values has nothing to do.
    virtual bool UpdateData(bool saveAndValidate);
    // The common closing rule: the page stays open while the focus is nowhere in this program
    // or on a control (of any window) with one of `ownIds`; otherwise it ends.
    void ApplyClosingRule(const std::vector<int>& ownIds);
    // Runs a handler through the main window's dispatch.
    void Run(const std::function<void()>& handler);
    // Runs the page's binding table; a field that does not read is reported by the main window.
    template <typename Page>
    bool Exchange(Page& page, const std::vector<Binding<Page>>& bindings, bool save) {
        const DataExchange exchange(m_controls, [this](QWidget* field, const char* message) {
            ReportInvalidField(field, message);
        });
        return exchange.Run(page, bindings, save);
    }
    void ReportInvalidField(QWidget* field, const char* message);
    // A list's selected text, empty without a selection.
    std::string SelectedText(int id) const;
    // Selects the item equal to `text`; no selection when the list has none.
    void SelectText(int id, const std::string& text);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    CMorvikWindow* m_pMain;
    ControlMap m_controls;

private:
    CPage* CMorvikWindow::*m_reference;
    bool m_closing = false;
};

}  // namespace vantor

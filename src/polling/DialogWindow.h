#pragma once

#include <string>

namespace vantor {

enum class MessageIcon { None, Error, Warning, Information };

// What the working state needs of its window. The Qt main window implements it; tests use a
// recorder. Control ids are those of the main dialog template (polling/ControlIds.h).
class IDialogWindow {
public:
    virtual ~IDialogWindow() = default;
    // TRUE: controls to members (may show a validation message and return false, leaving the
    // members not yet exchanged as they were). FALSE: members to controls.
    virtual bool UpdateData(bool saveAndValidate) = 0;
    // The controls the operator can change to their members, with the same validation; a field
    // the operator cannot type into holds what was last shown of its member and is left alone.
    // What a poll tick reads back after each answer.
    virtual bool CommitOperatorInput() { return UpdateData(true); }
    virtual void MessageBox(const std::string& text, const std::string& caption,
                            MessageIcon icon) = 0;
    virtual void SetTimer(unsigned id, unsigned periodMs) = 0;
    virtual void KillTimer(unsigned id) = 0;
    virtual void EnableControl(int id, bool enabled) = 0;
    virtual void SetReadOnly(int id, bool readOnly) = 0;
    virtual void ShowControl(int id, bool shown) = 0;
    virtual void SetControlText(int id, const std::string& text) = 0;
    virtual void Repaint() = 0;
    virtual int GetComboSelection(int id) = 0;
    virtual void SetComboSelection(int id, int index) = 0;
};

// A window that shows nothing and accepts every exchange: for a working state that runs without
// an operator, such as a console program or a fuzz target.
class CNullWindow : public IDialogWindow {
public:
    bool UpdateData(bool) override { return true; }
    void MessageBox(const std::string&, const std::string&, MessageIcon) override {}
    void SetTimer(unsigned, unsigned) override {}
    void KillTimer(unsigned) override {}
    void EnableControl(int, bool) override {}
    void SetReadOnly(int, bool) override {}
    void ShowControl(int, bool) override {}
    void SetControlText(int, const std::string&) override {}
    void Repaint() override {}
    int GetComboSelection(int) override { return 0; }
    void SetComboSelection(int, int) override {}
};

// A combo box of the window as a member of the working state sees it.
class CComboRef {
public:
    CComboRef(IDialogWindow& window, int id) : window_(window), id_(id) {}
    int GetCurSel() const { return window_.GetComboSelection(id_); }
    void SetCurSel(int index) { window_.SetComboSelection(id_, index); }

private:
    IDialogWindow& window_;
    int id_;
};

}  // namespace vantor

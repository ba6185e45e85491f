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

#pragma once

#include <string>

#include "app/Page.h"

namespace vantor {

// The "Файл" page: the name of the configuration last chosen and the load command.
class COpenFile : public CPage {
    Q_OBJECT
public:
    explicit COpenFile(CMorvikWindow* main);

    // The load command of the "Открыть" label: choose a .dat file, read it, refresh the
    // presence flags and the window caption.
    void OnOpen();

    std::string m_strFileName;

    // The data exchange of the page, in its order.
    static const std::vector<Binding<COpenFile>>& Bindings();

protected:
    bool UpdateData(bool saveAndValidate) override;
    // Any focus loss of the name field ends the page, except while a load runs.
    void OnFocusLost(int id) override;

private:
    // Reads the chosen file; false when the reader failed and the rest of the command is off.
    bool LoadFile(const QString& path);
    void UpdateCaption();
};

}  // namespace vantor

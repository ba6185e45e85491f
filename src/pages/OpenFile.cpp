#include "pages/OpenFile.h"

#include <QFile>
#include <QFileInfo>

#include "app/Caption.h"
#include "app/ClickLabel.h"
#include "app/MorvikWindow.h"
#include "config/ByteStream.h"
#include "polling/ConfigReader.h"
#include "polling/ControlIds.h"
#include "res/Strings.h"
#include "res/Templates.h"

namespace vantor {

namespace {

// The load command's "loading" flag, set for as long as the command runs, so that its own
// dialogs do not close the page; it is cleared however the command ends.
class LoadingFlag {
public:
    explicit LoadingFlag(BOOL& flag) : m_flag(flag) { m_flag = TRUE; }
    LoadingFlag(const LoadingFlag&) = delete;
    LoadingFlag& operator=(const LoadingFlag&) = delete;
    ~LoadingFlag() { m_flag = FALSE; }

private:
    BOOL& m_flag;
};

}  // namespace

COpenFile::COpenFile(CMorvikWindow* main)
    : CPage(main, res::FilePageTemplate(), &CMorvikWindow::m_pFilePage) {
    m_strFileName = MainState().m_strConfigName;
    UpdateData(false);
    WatchFocus({ctl::file::kFileNameEdit});
    if (auto* open = m_controls.As<ClickLabel>(ctl::file::kOpenLabel)) {
        connect(open, &ClickLabel::clicked, this, [this] { Run([this] { OnOpen(); }); });
    }
}

const std::vector<Binding<COpenFile>>& COpenFile::Bindings() {
    static const std::vector<Binding<COpenFile>> bindings = {
        BindText(ctl::file::kFileNameEdit, &COpenFile::m_strFileName)};
    return bindings;
}

bool COpenFile::UpdateData(bool saveAndValidate) {
    return Exchange(*this, Bindings(), saveAndValidate);
}

void COpenFile::OnFocusLost(int /*id*/) {
    if (IsReferenced() && MainState().m_bLoading == FALSE) {
        ClosePage();
    }
}

void COpenFile::OnOpen() {
    CMorvikDlg& dlg = MainState();
    dlg.m_saDivisors.clear();
    {
        const LoadingFlag loading(dlg.m_bLoading);
        const auto path =
            m_pMain->Prompts().ChooseFileToOpen(this, QString::fromUtf8(res::kOpenFilter));
        if (path && !LoadFile(*path)) {
            return;
        }
    }
    UpdateActiveQuantities(dlg);
    UpdateCaption();
}

bool COpenFile::LoadFile(const QString& path) {
    CMorvikDlg& dlg = MainState();
    dlg.m_strConfigName = QFileInfo(path).fileName().toStdString();
    m_strFileName = dlg.m_strConfigName;
    CFileByteStream stream;
    if (!stream.Open(QFile::encodeName(path).toStdString())) {
        m_pMain->Prompts().ShowMessage(this, QString::fromUtf8(res::kCannotOpenFile),
                                       QString::fromUtf8(res::kCannotOpenCaption),
                                       MessageIcon::Warning);
        return true;
    }
    try {
        ReadConfiguration(stream, dlg);
    } catch (const ConfigFailure& failure) {
        m_pMain->Prompts().ShowMessage(this, QString::fromUtf8(failure.what()),
                                       QString::fromUtf8(res::kAppTitle), MessageIcon::Error);
        return false;
    }
    stream.Close();
    UpdateData(false);
    return true;
}

void COpenFile::UpdateCaption() {
    QWidget* mainWnd = m_pMain->m_pMainWnd != nullptr ? m_pMain->m_pMainWnd : m_pMain;
    mainWnd->setWindowTitle(CaptionWithFile(mainWnd->windowTitle(),
                                            QString::fromStdString(MainState().m_strConfigName)));
    m_pMain->Repaint();
    m_pMain->UpdateData(false);
}

}  // namespace vantor

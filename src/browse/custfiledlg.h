// The system's file dialog as the library opens it: with a panel whose button jumps to
// the user folder of the current site.
#pragma once

#include <genbaenv/environ.h>
#include <genbafw/filedialog.h>

namespace genba {

// Option bits of the file dialogs.
enum : unsigned long {
    FILEDLG_PLAIN = 0x1,   // no panel, no button, the current site never looked at
};

} // namespace genba

class CCustFileDlg : public CFileDialog {
    DECLARE_DYNAMIC(CCustFileDlg)
public:
    CCustFileDlg(const CEnvironObj& env, BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                 DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd, DWORD dwOption);
    ~CCustFileDlg() override;

protected:
    void OnInitDone() override;
    void OnMoveUserFolder();

    DECLARE_MESSAGE_MAP()

private:
    const CEnvironObj* m_pEnviron;
    DWORD m_dwOption;
};

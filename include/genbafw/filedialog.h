// The system's Explorer-style open and save dialogs (GetOpenFileNameA, GetSaveFileNameA)
// as an object: set m_ofn's further fields (lpstrInitialDir, lpstrTitle, a child
// template) before DoModal, read GetPathName after IDOK.
//
//   CFileDialog dlg(TRUE, "sim", "plan.sim", OFN_FILEMUSTEXIST, "Plans (*.sim)|*.sim|All|*.*||");
//   dlg.m_ofn.lpstrInitialDir = dir;          // the caller's string, alive during DoModal
//   if (dlg.DoModal() == IDOK) use(dlg.GetPathName());
//
// The filter is "description|pattern|...", ended by "||" or not; it is handed to the
// system with each bar (never a double-byte character's trail byte) made a zero. The
// default extension goes to the system as given: without its point.
//
// A child template (OFN_ENABLETEMPLATE with lpTemplateName) comes from m_ofn.hInstance,
// or when that is null from the module the current resource search finds it in
// (AfxFindResourceHandle). The object is bound to the child panel the system makes
// (always: the object's hook asks for one), so m_hWnd is the panel and its parent the
// system dialog; the panel's messages go through the message map, and the dialog's
// notifications arrive as the virtual functions below. Message boxes shown meanwhile
// (AfxMessageBox) are owned by the system dialog.
#pragma once

#include <genbafw/cstring.h>
#include <genbafw/dialog.h>
#include <genbafw/fwdefs.h>

#include <windows.h>
#include <commdlg.h>

class GENBAFW_API CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    OPENFILENAMEA m_ofn;

    // Null texts are none. OFN_EXPLORER and OFN_ENABLEHOOK are always added.
    CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr, const char* lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    ~CFileDialog() override;

    // IDOK when a file was chosen; IDCANCEL when the dialog was cancelled or the system
    // could not show it (CommDlgExtendedError tells which).
    INT_PTR DoModal() override;

    // After IDOK: the chosen file's full path.
    CString GetPathName() const;

protected:
    // The system's notifications; nothing happens in the base.
    virtual void OnInitDone();         // laid out, not yet shown
    virtual void OnFileNameChange();   // another selection in the list
    virtual void OnFolderChange();     // another folder is shown
    virtual void OnTypeChange();       // another filter entry

private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnNotify(UINT nCode);

    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFilter;   // the system's form: zeros between fields, two at the end
    char m_szFileName[MAX_PATH];
};

// OpenFileDialog, SaveFileDialog and their Ex forms: the system's file dialogs opened in
// the suite's folders.
#include "browse/custfiledlg.h"

#include <genbafw/filedialog.h>

namespace {

const DWORD kOpenFlags = OFN_READONLY | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                         OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES;
const DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                         OFN_NOREADONLYRETURN | OFN_EXPLORER | OFN_LONGNAMES;
static_assert(kOpenFlags == 0x0028180D && kSaveFlags == 0x0028980C, "the dialogs' base flags");

const char kAllFilesEntry[] = "すべてのﾌｧｲﾙ (*.*)|*.*||";

// The default extension as the system takes it: without its point (".sim" would turn a
// typed abc into abc..sim). Text after the last point that cannot end a file name (a
// pattern such as *.*, or a point inside a description) is none.
CString SystemDefaultExtension(const CEnvironObj& env, const CString& ext)
{
    const CString bare = ext.Mid(1);
    return !bare.IsEmpty() && env.IsValidFileName(bare) == -1 ? bare : CString();
}

CString RunFileDialog(const CEnvironObj& env, BOOL bOpen, CWnd* pParentWnd, const char* lpszFilter,
                      const char* lpszPathName, const char* lpszTitle, DWORD dwPathKind, DWORD dwFlags,
                      DWORD dwOption)
{
    const CString callerFilter(lpszFilter);
    const CString filter = callerFilter + (callerFilter.IsEmpty() ? "" : "|") + kAllFilesEntry;

    const CString path(lpszPathName);
    const CString folderPart = env.GetDirNameFromRelativePath(path);
    const CString filePart = env.GetFileNameFromRelativePath(path);
    CString ext = env.GetExtNameFromFileName(filePart);
    if (ext.IsEmpty()) ext = env.GetExtNameFromFileName(callerFilter);
    const CString defExt = SystemDefaultExtension(env, ext);

    const CString initialDir = folderPart.IsEmpty() && dwPathKind != 0 ? env.GetPath(dwPathKind) : folderPart;
    if (!initialDir.IsEmpty()) env.CreateDir(initialDir, TRUE);   // where it cannot be, the system chooses

    CCustFileDlg dlg(env, bOpen, defExt.IsEmpty() ? nullptr : static_cast<const char*>(defExt), filePart,
                     (bOpen ? kOpenFlags : kSaveFlags) | dwFlags, filter, pParentWnd, dwOption);
    dlg.m_ofn.lpstrTitle = lpszTitle;
    if (!initialDir.IsEmpty()) dlg.m_ofn.lpstrInitialDir = initialDir;
    return dlg.DoModal() == IDOK ? dlg.GetPathName() : CString();
}

} // namespace

CString CEnvironObj::OpenFileDialogEx(CWnd* pParentWnd, const char* lpszFilter, const char* lpszPathName,
                                      const char* lpszTitle, unsigned long dwPathKind, unsigned long dwFlags,
                                      unsigned long dwOption) const
{
    return RunFileDialog(*this, TRUE, pParentWnd, lpszFilter, lpszPathName, lpszTitle, dwPathKind, dwFlags, dwOption);
}

CString CEnvironObj::SaveFileDialogEx(CWnd* pParentWnd, const char* lpszFilter, const char* lpszPathName,
                                      const char* lpszTitle, unsigned long dwPathKind, unsigned long dwFlags,
                                      unsigned long dwOption) const
{
    return RunFileDialog(*this, FALSE, pParentWnd, lpszFilter, lpszPathName, lpszTitle, dwPathKind, dwFlags, dwOption);
}

CString CEnvironObj::OpenFileDialog(CWnd* pParentWnd, const char* lpszFilter, const char* lpszPathName,
                                    const char* lpszTitle, unsigned long dwPathKind, unsigned long dwFlags) const
{
    return OpenFileDialogEx(pParentWnd, lpszFilter, lpszPathName, lpszTitle, dwPathKind, dwFlags, 0);
}

CString CEnvironObj::SaveFileDialog(CWnd* pParentWnd, const char* lpszFilter, const char* lpszPathName,
                                    const char* lpszTitle, unsigned long dwPathKind, unsigned long dwFlags) const
{
    return SaveFileDialogEx(pParentWnd, lpszFilter, lpszPathName, lpszTitle, dwPathKind, dwFlags, 0);
}

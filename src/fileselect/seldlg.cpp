#include "fileselect/seldlg.h"

#include "env/module.h"

#include <uipack.h>

#include <cstring>

namespace genba {

namespace {

const char kFileWord[] = "ﾌｧｲﾙ";
const char kFolderWord[] = "ﾌｫﾙﾀﾞｰ";

// The look's resource numbers of the OK, Cancel and Delete buttons.
const int kLookOK = 1000, kLookCancel = 1001, kLookDelete = 1026;

} // namespace

void ChooseKindAndDeleteMode(int nFlags, const char*& lpszKind, int& nDelMode)
{
    if (nFlags & SELFILE_FOLDER) {
        lpszKind = kFolderWord;
        nDelMode = (nFlags & SELFILE_DELFOLDER) ? DELMODE_FOLDER : DELMODE_NONE;
    } else {
        lpszKind = kFileWord;
        nDelMode = (nFlags & SELFILE_NODELETE) ? DELMODE_NONE : DELMODE_FILE;
    }
}

void RefillEntries(CSelFileList& list, const CEnvironObj& env, const CString& strDir, const CString& strExtList,
                   const char* lpszSelName, int nFlags, SelFileProc pfnCallback, void* pData)
{
    list.Clear();
    list.Select(-1);
    list.AddFileList(env, strDir, strExtList, lpszSelName, nFlags, pfnCallback, pData);
}

void FinishInitDialog(CDialog& dlg, CFrameButton& ok, CFrameButton& cancel, CFrameButton& del, const char* lpszTitle)
{
    FrameButtonLook look;
    std::memset(&look, 0, sizeof look);
    const struct {
        CFrameButton& button;
        int number;
    } buttons[] = {{ok, kLookOK}, {cancel, kLookCancel}, {del, kLookDelete}};
    for (const auto& b : buttons) {
        const DWORD handle = GetLookHandle(b.number);
        look.dwWords[0] = handle;
        look.dwWords[1] = handle;
        b.button.SetLook(&look, 1, 1);
        b.button.EnableLook(1);
    }
    if (lpszTitle) dlg.SetWindowText(lpszTitle);
}

void AskAndDelete(const CEnvironObj& env, const CString& strDir, const CString& name, const char* lpszKind,
                  int nDelMode)
{
    const CString question =
        CString(lpszKind) + "｢" + name + "｣を削除します\n" + "復帰は出来なくなりますがよろしいですか?";
    if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES) return;
    CString path(strDir);
    env.AddFileName(path, name);
    if (nDelMode == DELMODE_FILE)
        ::DeleteFileA(path);
    else if (nDelMode == DELMODE_FOLDER)
        env.RemoveDir(path, TRUE);
}

bool OkButtonHasFocus(CDialog& dlg)
{
    HWND ok = ::GetDlgItem(dlg.GetSafeHwnd(), IDOK);
    if (ok && ::GetFocus() == ok) return true;
    dlg.SendMessage(WM_NEXTDLGCTL, 0, 0);
    return false;
}

INT_PTR DoModalWithLibraryResources(CDialog& dlg)
{
    try {
        CResourceScope scope(LibraryModule());
        return dlg.DoModal();
    } catch (...) {
        return -1;
    }
}

} // namespace genba

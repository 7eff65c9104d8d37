#include "browse/custfiledlg.h"

#include "env/module.h"
#include "resources/resource.h"

#include <dlgs.h>

#include <memory>
#include <new>

IMPLEMENT_DYNAMIC(CCustFileDlg, CFileDialog)

BEGIN_MESSAGE_MAP(CCustFileDlg, CFileDialog)
    ON_BN_CLICKED(IDC_MOVE_USERFOLDER, OnMoveUserFolder)
END_MESSAGE_MAP()

CCustFileDlg::CCustFileDlg(const CEnvironObj& env, BOOL bOpenFileDialog, const char* lpszDefExt,
                           const char* lpszFileName, DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd,
                           DWORD dwOption)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd), m_pEnviron(&env),
      m_dwOption(dwOption)
{
    const bool explorerShell = LOBYTE(LOWORD(::GetVersion())) >= 4 && (m_ofn.Flags & OFN_EXPLORER);
    if (!(m_dwOption & genba::FILEDLG_PLAIN) && explorerShell) {
        // The panel is the library's own, whatever the application's resources hold.
        m_ofn.hInstance = genba::LibraryModule();
        m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_CUSTFILE_PANEL);
        m_ofn.Flags |= OFN_ENABLETEMPLATE;
    }
}

CCustFileDlg::~CCustFileDlg() = default;

void CCustFileDlg::OnInitDone()
{
    CFileDialog::OnInitDone();
    if (m_dwOption & genba::FILEDLG_PLAIN) return;
    if (m_pEnviron->GetPath(PATHKIND_GENBA).IsEmpty()) {
        if (CWnd* pButton = GetDlgItem(IDC_MOVE_USERFOLDER)) pButton->EnableWindow(FALSE);
    }
}

void CCustFileDlg::OnMoveUserFolder()
{
    const CString folder = m_pEnviron->GetPath(PATHKIND_GENBA_USERDATA);
    if (m_pEnviron->IsExist(folder) != EXIST_FOLDER && !m_pEnviron->CreateDir(folder, TRUE)) {
        AfxMessageBox("現場ユーザフォルダを作成できません。", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const HWND hDlg = ::GetParent(m_hWnd);
    if (!::IsWindow(hDlg)) return;
    // Explorer-style dialogs name their file-name box cmb13; edt1 is the older edit.
    const int nNameBox = ::GetDlgItem(hDlg, cmb13) ? cmb13 : edt1;
    const HWND hNameBox = ::GetDlgItem(hDlg, nNameBox);

    // What the user typed comes back after the move. The length the dialog reports may
    // count characters, not bytes: twice as many bytes hold the text either way.
    std::unique_ptr<char[]> typed;
    LRESULT nTyped = ::SendMessageA(hDlg, CDM_GETSPEC, 0, 0);
    if (nTyped > 0) {
        const WPARAM size = static_cast<WPARAM>(nTyped) * 2;
        typed.reset(new (std::nothrow) char[size]);
        if (typed) {
            typed[0] = '\0';
            nTyped = ::SendMessageA(hDlg, CDM_GETSPEC, size, reinterpret_cast<LPARAM>(typed.get()));
            typed[size - 1] = '\0';
        }
    }

    // The folder's path as the file name, then OK: the dialog moves into the folder.
    ::SendMessageA(hNameBox, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(hDlg, CDM_SETCONTROLTEXT, nNameBox, reinterpret_cast<LPARAM>(static_cast<const char*>(folder)));
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, IDOK)));
    ::SendMessageA(hNameBox, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hNameBox, nullptr, TRUE);
    if (typed && nTyped > 0)
        ::SendMessageA(hDlg, CDM_SETCONTROLTEXT, nNameBox, reinterpret_cast<LPARAM>(typed.get()));
}

#include "version/versiondlg.h"

#include "env/module.h"
#include "resources/resource.h"
#include "version/versiontexts.h"

#include <genbaenv/environ.h>
#include <genbaenv/version.h>
#include <genbafw/resmodule.h>
#include <uipack.h>

#include <algorithm>
#include <optional>

namespace {

const int kLookOK = 1000;   // the OK button's image in the resource-module library

// Application types whose box shows the header only.
bool ShowsHeaderOnly(unsigned long appType) { return appType == 2 || appType == 3 || appType == 4; }

} // namespace

BEGIN_MESSAGE_MAP(CVersionInfoDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CVersionInfoDlg::CVersionInfoDlg(CWnd* pParentWnd, const CEnvironObj& env, const char* lpszName, HICON hIcon)
    : CDialog(IDD_VERSIONINFO, pParentWnd), m_version(nullptr), m_pEnviron(&env), m_lpszName(lpszName), m_hIcon(hIcon)
{
    const CString versionInf = genba::VersionInfPath(env);
    m_strHeader = genba::BuildVersionHeader(m_version, versionInf, lpszName);
    m_strInfo = genba::BuildVersionInfo(env, versionInf);
}

CVersionInfoDlg::~CVersionInfoDlg() = default;

void CVersionInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_VERINFO_ICON, m_stcIcon);
    DDX_Text(pDX, IDC_VERINFO_HEADER, m_strHeader);
    DDX_Text(pDX, IDC_VERINFO_TEXT, m_strInfo);
    DDX_Control(pDX, IDCANCEL, m_btnOK);
}

BOOL CVersionInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    GiveButtonItsLook();
    if (m_lpszName && *m_lpszName) {
        CString caption;
        GetWindowText(caption);
        SetWindowText(CString(m_lpszName) + " の" + caption);
    }
    if (m_hIcon) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
        ::SendDlgItemMessageA(m_hWnd, IDC_VERINFO_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_hIcon), 0);
    }
    TakeInitialSize();
    return TRUE;
}

void CVersionInfoDlg::GiveButtonItsLook()
{
    FrameButtonLook look = {};
    look.dwWords[0] = look.dwWords[1] = GetLookHandle(kLookOK);
    m_btnOK.SetLook(&look, 1, TRUE);
    m_btnOK.EnableLook(TRUE);
}

bool CVersionInfoDlg::CompactSize(SIZE& size, int& margin) const
{
    HWND hText = ::GetDlgItem(m_hWnd, IDC_VERINFO_TEXT);
    HWND hHeader = ::GetDlgItem(m_hWnd, IDC_VERINFO_HEADER);
    if (!hText || !hHeader) return false;
    RECT rcWnd, rcHeader, rcText;
    ::GetWindowRect(m_hWnd, &rcWnd);
    ::GetWindowRect(hHeader, &rcHeader);
    ::GetWindowRect(hText, &rcText);
    POINT textLeft = {rcText.left, rcText.top};
    ::ScreenToClient(m_hWnd, &textLeft);
    margin = textLeft.x;
    size.cx = rcHeader.right - rcWnd.left + margin;
    size.cy = rcHeader.bottom - rcWnd.top + margin;
    return true;
}

void CVersionInfoDlg::TakeInitialSize()
{
    SIZE compact;
    int margin = 0;
    const bool full = !m_strInfo.IsEmpty() && !ShowsHeaderOnly(m_pEnviron->GetAppType());
    if (!full && CompactSize(compact, margin)) {
        // About the old centre; centring on the owner follows.
        RECT rc;
        ::GetWindowRect(m_hWnd, &rc);
        const int x = (rc.left + rc.right) / 2 - compact.cx / 2, y = (rc.top + rc.bottom) / 2 - compact.cy / 2;
        ::SetWindowPos(m_hWnd, nullptr, x, y, compact.cx, compact.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CenterWindow();
}

void CVersionInfoDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    HWND hText = ::GetDlgItem(m_hWnd, IDC_VERINFO_TEXT);
    if (!hText) return;
    RECT rc, client;
    ::GetWindowRect(hText, &rc);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    ::GetClientRect(m_hWnd, &client);
    const int margin = rc.left;
    // Below the header (a box at its compact size) the text has no room at all.
    const int width = std::max(0L, client.right - margin - rc.left);
    const int height = std::max(0L, client.bottom - margin - rc.top);
    ::MoveWindow(hText, rc.left, rc.top, width, height, TRUE);
}

void CVersionInfoDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CDialog::OnGetMinMaxInfo(lpMMI);
    SIZE compact;
    int margin = 0;
    if (lpMMI && CompactSize(compact, margin)) lpMMI->ptMinTrackSize = POINT{compact.cx, compact.cy};
}

void VersionInfoDialog(CWnd* pParentWnd, const CEnvironObj& env, const char* lpszName, HICON hIcon)
{
    try {
        // The library's module is current while the box is built and run, and no longer
        // when it is destroyed.
        std::optional<CVersionInfoDlg> dlg;
        {
            CResourceScope scope(genba::LibraryModule());
            dlg.emplace(pParentWnd, env, lpszName, hIcon);
            dlg->DoModal();
        }
    } catch (...) {
    }
}

#include <genbafw/filedialog.h>

#include <genbafw/cp932.h>
#include <genbafw/resmodule.h>

namespace {

// "a|*.a|b|*.b||" => "a\0*.a\0b\0*.b\0\0": each bar a zero, never a trail byte; two
// more zeros end the list whether or not the text closed it. Empty: no filter.
CString SystemFilter(const char* lpszFilter)
{
    static const char kZeros[2] = {0, 0};
    const CString text(lpszFilter);
    const char* s = text;
    const int len = text.GetLength();
    CString out;
    for (int p = 0; p < len;) {
        const int next = genba::cp932::NextPos(s, len, p);
        if (next == p + 1 && s[p] == '|')
            out.Append(kZeros, 1);
        else
            out.Append(s + p, next - p);
        p = next;
    }
    if (len > 0) out.Append(kZeros, 2);
    return out;
}

// Copies as much of src as fits, never half a double-byte character.
void CopyWhole(char* dst, int size, const char* src)
{
    const CString text(src);
    int n = text.GetLength();
    if (n >= size) n = genba::cp932::CharStart(text, n, size - 1);
    for (int i = 0; i < n; ++i) dst[i] = text[i];
    dst[n] = '\0';
}

} // namespace

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName, DWORD dwFlags,
                         const char* lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt),
      m_strFilter(SystemFilter(lpszFilter))
{
    CopyWhole(m_szFileName, MAX_PATH, lpszFileName);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : static_cast<const char*>(m_strFilter);
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : static_cast<const char*>(m_strDefExt);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK;
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal()
{
    if (m_hWnd) return -1;   // already running
    m_ofn.hwndOwner = m_pParentWnd && ::IsWindow(m_pParentWnd->m_hWnd) ? m_pParentWnd->m_hWnd : nullptr;
    if ((m_ofn.Flags & OFN_ENABLETEMPLATE) && !m_ofn.hInstance)
        m_ofn.hInstance = AfxFindResourceHandle(m_ofn.lpTemplateName, RT_DIALOG);
    // The hook binds the object to the panel and passes on the notifications.
    m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    BOOL bChosen;
    {
        ModalScope modal(this);
        bChosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    }
    Detach();   // normally done when the panel went
    return bChosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            // From here on the panel's messages go through the object's message map.
            const OPENFILENAMEA* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
            CFileDialog* pDlg = ofn ? reinterpret_cast<CFileDialog*>(ofn->lCustData) : nullptr;
            if (pDlg) pDlg->SubclassWindow(hWnd);
            return TRUE;
        }
        if (message == WM_NOTIFY && lParam) {
            CWnd* pWnd = FromHandlePermanent(hWnd);
            if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CFileDialog)))
                static_cast<CFileDialog*>(pWnd)->OnNotify(reinterpret_cast<const NMHDR*>(lParam)->code);
        }
    } catch (...) {
        // Nothing leaves a hook: the dialog goes on as if the notification had not come.
    }
    return 0;
}

void CFileDialog::OnNotify(UINT nCode)
{
    switch (nCode) {
    case CDN_INITDONE: OnInitDone(); break;
    case CDN_SELCHANGE: OnFileNameChange(); break;
    case CDN_FOLDERCHANGE: OnFolderChange(); break;
    case CDN_TYPECHANGE: OnTypeChange(); break;
    default: break;
    }
}

void CFileDialog::OnInitDone() {}
void CFileDialog::OnFileNameChange() {}
void CFileDialog::OnFolderChange() {}
void CFileDialog::OnTypeChange() {}

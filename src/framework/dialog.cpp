#include <genbafw/dialog.h>

namespace {

// The modal dialogs being run on a thread, innermost first; each scope lives on the
// stack of its modal loop.
thread_local CDialog::ModalScope* t_pInnermost = nullptr;

const DLGTEMPLATE* LoadTemplate(UINT nID, HINSTANCE& hInst)
{
    LPCSTR name = MAKEINTRESOURCEA(nID);
    hInst = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC hRes = hInst ? ::FindResourceA(hInst, name, RT_DIALOG) : nullptr;
    HGLOBAL hData = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    return hData ? static_cast<const DLGTEMPLATE*>(::LockResource(hData)) : nullptr;
}

// The program's file name without folder and extension.
CString ProgramName()
{
    char buf[MAX_PATH + 1] = {0};
    DWORD n = ::GetModuleFileNameA(nullptr, buf, MAX_PATH);
    CString name(buf, n > 0 && n < MAX_PATH ? static_cast<int>(n) : 0);
    name = name.Mid(name.ReverseFind('\\') + 1);
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

// A window named for a moment by a stack object, without binding it.
class WindowRef : public CWnd {
public:
    explicit WindowRef(HWND hWnd) { m_hWnd = hWnd; }
    ~WindowRef() override { m_hWnd = nullptr; }
};

} // namespace

// --- CDataExchange -----------------------------------------------------------------

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(nullptr),
      m_bEditLastControl(FALSE), m_bFailed(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    if (m_bFailed) return nullptr;
    HWND h = m_pDlgWnd && m_pDlgWnd->m_hWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (!h) {
        Fail();
        return nullptr;
    }
    m_hWndLastControl = h;
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND h = PrepareCtrl(nIDC);
    if (h) m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (m_bFailed) return;
    m_bFailed = TRUE;
    // Only a refused reading points the user at the control; a failed filling does not
    // move the focus.
    if (!m_bSaveAndValidate || !m_hWndLastControl || !m_pDlgWnd || !m_pDlgWnd->m_hWnd) return;
    ::SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndLastControl), TRUE);
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!pDX || rControl.m_hWnd) return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (h && !rControl.SubclassWindow(h)) pDX->Fail();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX ? pDX->PrepareEditCtrl(nIDC) : nullptr;
    if (!h) return;
    WindowRef ctrl(h);
    if (pDX->m_bSaveAndValidate) {
        ctrl.GetWindowText(value);
        return;
    }
    CString shown;
    ctrl.GetWindowText(shown);
    if (shown != value) ctrl.SetWindowText(value);
}

// --- CDialog -----------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::ModalScope::ModalScope(CDialog* pDlg) : m_pDlg(pDlg), m_pOuter(t_pInnermost)
{
    t_pInnermost = this;
}

CDialog::ModalScope::~ModalScope() { t_pInnermost = m_pOuter; }

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    if (m_hWnd) return -1;   // already running
    HINSTANCE hInst = nullptr;
    const DLGTEMPLATE* pTemplate = LoadTemplate(m_nIDTemplate, hInst);
    if (!pTemplate) return -1;
    HWND hOwner = m_pParentWnd && ::IsWindow(m_pParentWnd->m_hWnd) ? m_pParentWnd->m_hWnd : nullptr;
    INT_PTR nResult;
    {
        ModalScope modal(this);
        nResult = ::DialogBoxIndirectParamA(hInst, pTemplate, hOwner, &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    }
    Detach();   // normally done when the window went
    return nResult;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hDlg, UINT message, WPARAM, LPARAM lParam)
{
    // Every later message reaches the object through its window procedure.
    if (message != WM_INITDIALOG) return FALSE;
    CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
    try {
        if (!pDlg || !pDlg->SubclassWindow(hDlg)) {
            ::EndDialog(hDlg, -1);
            return FALSE;
        }
        return pDlg->OnInitDialog();
    } catch (...) {
        // Nothing leaves a dialog procedure; a dialog that could not set itself up ends.
        ::EndDialog(hDlg, IDCANCEL);
        return FALSE;
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (!m_hWnd) return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (...) {
        return FALSE;
    }
    return !dx.HasFailed();
}

void CDialog::EndDialog(int nResult)
{
    if (m_hWnd) ::EndDialog(m_hWnd, nResult);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && pWndCtrl->m_hWnd) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, FALSE); }
void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, FALSE); }

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

// --- Message boxes -----------------------------------------------------------------

int AfxMessageBox(const char* lpszText, UINT nType, UINT)
{
    HWND hOwner = nullptr;
    for (const CDialog::ModalScope* f = t_pInnermost; f && !hOwner; f = f->Outer())
        hOwner = f->Dialog()->m_hWnd ? ::GetAncestor(f->Dialog()->m_hWnd, GA_ROOT) : nullptr;
    // With no dialog to own it the box still keeps the thread's windows waiting.
    if (!hOwner) nType |= MB_TASKMODAL;
    return ::MessageBoxA(hOwner, lpszText ? lpszText : "", ProgramName(), nType);
}

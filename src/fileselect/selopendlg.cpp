#include "fileselect/selopendlg.h"

#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CSelOpenFileDlg, CDialog)
    ON_LBN_DBLCLK(IDC_FILELIST, CDialog::OnOK)   // a double click confirms, wherever the focus is
    ON_LBN_SELCHANGE(IDC_FILELIST, UpdateDeleteButton)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
END_MESSAGE_MAP()

namespace {
const int kTabStop = 160;   // dialog units: the callback's second column
}

CSelOpenFileDlg::CSelOpenFileDlg(const CEnvironObj* pEnviron, CWnd* pParentWnd)
    : CDialog(IDD_SELOPENFILE, pParentWnd), m_pEnviron(pEnviron), m_lpszSelName(nullptr), m_nFlags(0),
      m_pfnCallback(nullptr), m_pData(nullptr), m_nDelMode(genba::DELMODE_NONE), m_lpszTitle(nullptr), m_lpszKind("")
{
    m_List.Clear();
    m_List.Select(-1);
}

void CSelOpenFileDlg::RefillList()
{
    genba::RefillEntries(m_List, *m_pEnviron, m_strDir, m_strExtList, m_lpszSelName, m_nFlags, m_pfnCallback, m_pData);
}

void CSelOpenFileDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FILELIST, m_ListBox);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_DELETE, m_btnDelete);
    if (!pDX->m_bSaveAndValidate) {
        m_ListBox.SetTabStops(kTabStop);
        m_List.MakeListBox(m_ListBox);
        UpdateDeleteButton();
        return;
    }
    UpdateDeleteButton();
    if (m_List.GetSelect() >= 0) return;
    AfxMessageBox(CString(m_lpszKind) + "が選択されていません", MB_OK | MB_ICONEXCLAMATION);
    pDX->PrepareCtrl(IDC_FILELIST);
    pDX->Fail();
}

BOOL CSelOpenFileDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    genba::FinishInitDialog(*this, m_btnOK, m_btnCancel, m_btnDelete, m_lpszTitle);
    return TRUE;
}

void CSelOpenFileDlg::OnOK()
{
    if (genba::OkButtonHasFocus(*this)) CDialog::OnOK();
}

// The first type's extension is never compared: entries of the first type can be
// deleted, entries of a later type's extension cannot.
void CSelOpenFileDlg::UpdateDeleteButton()
{
    m_List.UpdateListBox(m_ListBox);
    const int sel = m_List.GetSelect();
    bool enable = m_nDelMode != genba::DELMODE_NONE && sel >= 0;
    if (enable && !m_strExtList.IsEmpty()) {
        const CString ext = m_pEnviron->GetExtNameFromFileName(m_List.GetFileName(sel));
        const int types = m_pEnviron->GetExtCount(m_strExtList);
        for (int i = 1; i < types && enable; ++i)
            if (ext.CompareNoCase(m_pEnviron->GetExt(m_strExtList, i)) == 0) enable = false;
    }
    m_btnDelete.EnableWindow(enable ? TRUE : FALSE);
    m_btnDelete.ShowWindow(m_nDelMode != genba::DELMODE_NONE ? SW_SHOWNA : SW_HIDE);
}

void CSelOpenFileDlg::OnDelete()
{
    const int sel = m_List.GetSelect();
    if (sel < 0) return;
    genba::AskAndDelete(*m_pEnviron, m_strDir, m_List.GetFileName(sel), m_lpszKind, m_nDelMode);
    RefillList();
    m_List.MakeListBox(m_ListBox);
    UpdateDeleteButton();
}

CString CEnvironObj::SelectOpenFile(CWnd* pParentWnd, const CString& strDir, const CString& strExtList,
                                    const char* lpszSelName, int nFlags, const char* lpszTitle,
                                    SelFileProc pfnCallback, void* pData) const
{
    CString result;
    CSelOpenFileDlg dlg(this, pParentWnd);
    dlg.m_strDir = strDir;
    dlg.m_strExtList = strExtList;
    dlg.m_lpszSelName = lpszSelName;
    dlg.m_nFlags = nFlags;
    dlg.m_lpszTitle = lpszTitle;
    dlg.m_pfnCallback = pfnCallback;
    dlg.m_pData = pData;
    genba::ChooseKindAndDeleteMode(nFlags, dlg.m_lpszKind, dlg.m_nDelMode);
    // The first filling runs before the window exists: the callback sees no dialog.
    dlg.RefillList();
    dlg.m_lpszSelName = nullptr;
    const int sel = genba::DoModalWithLibraryResources(dlg) == IDOK ? dlg.m_List.GetSelect() : -1;
    if (sel >= 0) result = dlg.m_List.GetFileName(sel);
    return result;
}

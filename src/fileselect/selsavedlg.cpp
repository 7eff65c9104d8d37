#include "fileselect/selsavedlg.h"

#include "pathname/freenumber.h"
#include "resources/resource.h"

#include <initializer_list>

BEGIN_MESSAGE_MAP(CSelSaveFileDlg, CDialog)
    ON_LBN_DBLCLK(IDC_FILELIST, OnDblclkList)
    ON_CBN_SELCHANGE(IDC_FILETYPE, UpdateExtText)
    ON_LBN_SELCHANGE(IDC_FILELIST, OnSelchangeList)
    ON_EN_CHANGE(IDC_FILENAME, OnChangeEdit)
    ON_EN_CHANGE(IDC_MEMO, OnChangeEdit)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
END_MESSAGE_MAP()

namespace {

const int kTabStop = 160;   // dialog units: the memo's second column
const int kNumbered = -1, kTypedByChoice = -2;

// The dialog's own changes to its fields send change notifications at once: they are
// ignored while this lives, and the guard is as before afterwards, however it ends.
class UpdatingScope {
public:
    explicit UpdatingScope(int& flag) : m_flag(flag), m_old(flag) { m_flag = TRUE; }
    ~UpdatingScope() { m_flag = m_old; }
    UpdatingScope(const UpdatingScope&) = delete;
    UpdatingScope& operator=(const UpdatingScope&) = delete;

private:
    int& m_flag;
    int m_old;
};

// An edit's text put by the dialog: no undo of it, and marked modified or not.
void PutEditText(CEdit& edit, const char* text, BOOL modified)
{
    edit.EmptyUndoBuffer();
    edit.SetModify(modified);
    edit.SetWindowText(text);
}

CString TextOf(const CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

} // namespace

CSelSaveFileDlg::CSelSaveFileDlg(const CEnvironObj* pEnviron, CWnd* pParentWnd)
    : CDialog(IDD_SELSAVEFILE, pParentWnd), m_pEnviron(pEnviron), m_nTypeIndex(kNumbered), m_lpszSelName(nullptr),
      m_nFlags(0), m_bMemo(FALSE), m_pfnCallback(nullptr), m_pData(nullptr), m_nDelMode(genba::DELMODE_NONE),
      m_lpszTitle(nullptr), m_lpszKind(""), m_bUpdating(FALSE), m_nLastListSel(-1)
{
    m_List.Clear();
    m_List.Select(-1);
}

void CSelSaveFileDlg::RefillList()
{
    genba::RefillEntries(m_List, *m_pEnviron, m_strDir, m_strExtList, m_lpszSelName, m_nFlags, m_pfnCallback, m_pData);
}

// The memo of an entry: its display string up to the first tab.
CString CSelSaveFileDlg::MemoOf(int nIndex) const
{
    const CString disp = m_List.GetDispStr(nIndex);
    const int tab = disp.Find('\t');
    return tab >= 0 ? disp.Left(tab) : disp;
}

void CSelSaveFileDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FILETYPE_LABEL, m_stcType);
    DDX_Control(pDX, IDC_FILETYPE, m_cmbType);
    DDX_Control(pDX, IDC_MEMO_LABEL, m_stcMemo);
    DDX_Control(pDX, IDC_MEMO, m_edtMemo);
    DDX_Control(pDX, IDC_FILENAME, m_edtName);
    DDX_Control(pDX, IDC_EXTTEXT, m_stcExt);
    DDX_Control(pDX, IDC_FILELIST, m_ListBox);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_DELETE, m_btnDelete);
    if (pDX->HasFailed()) return;
    UpdatingScope updating(m_bUpdating);
    if (!pDX->m_bSaveAndValidate) {
        FillFields();
    } else if (!ReadFields(pDX)) {
        pDX->PrepareEditCtrl(IDC_FILENAME);
        pDX->Fail();
    }
}

void CSelSaveFileDlg::FillFields()
{
    const CEnvironObj& env = *m_pEnviron;
    m_stcExt.SetWindowText("");
    m_cmbType.ResetContent();
    m_cmbType.SetCurSel(-1);
    const int types = env.GetExtCount(m_strExtList);
    if (types <= 0) {
        m_strExtList.Empty();
        m_nTypeIndex = kNumbered;
        for (CWnd* w : {static_cast<CWnd*>(&m_stcType), static_cast<CWnd*>(&m_cmbType)}) {
            w->EnableWindow(FALSE);
            w->ShowWindow(SW_HIDE);
        }
        m_stcExt.EnableWindow(FALSE);
    } else {
        m_cmbType.ResetContent();
        const CString nameExt = env.GetExtNameFromFileName(m_strName);
        int imposedRow = -1, rowByName = -1;
        for (int i = 0; i < types; ++i) {
            const CString ext = env.GetExt(m_strExtList, i);
            if (ext.IsEmpty()) continue;
            const int row = m_cmbType.AddString(env.GetExtTitle(m_strExtList, i));
            if (row < 0) continue;
            m_cmbType.SetItemData(row, static_cast<DWORD_PTR>(i));
            if (imposedRow < 0 && i == m_nTypeIndex) imposedRow = row;
            if (rowByName < 0 && ext.CompareNoCase(nameExt) == 0) rowByName = row;
        }
        if (imposedRow < 0) m_nTypeIndex = kTypedByChoice;
        m_cmbType.SetCurSel(imposedRow >= 0 ? imposedRow : rowByName >= 0 ? rowByName : 0);
        if (m_nTypeIndex >= 0) {
            m_stcType.EnableWindow(FALSE);
            m_cmbType.EnableWindow(FALSE);
        }
        m_stcExt.EnableWindow(FALSE);   // it only shows the extension
    }

    int sel = m_List.GetSelect();
    if (m_bMemo) {
        // An entry stays preselected only when its name and its memo both match.
        if (sel >= 0 && MemoOf(sel).Compare(m_strMemo) != 0) {
            m_List.Select(-1);
            sel = -1;
        }
        PutEditText(m_edtMemo, m_strMemo, sel >= 0 ? FALSE : TRUE);
    } else {
        PutEditText(m_edtMemo, "", FALSE);
        for (CWnd* w : {static_cast<CWnd*>(&m_stcMemo), static_cast<CWnd*>(&m_edtMemo)}) {
            w->EnableWindow(FALSE);
            w->ShowWindow(SW_HIDE);
        }
    }
    PutEditText(m_edtName, env.GetBaseNameFromFileName(m_strName), sel >= 0 ? FALSE : TRUE);

    m_ListBox.SetTabStops(kTabStop);
    m_List.MakeListBox(m_ListBox);
    UpdateExtText();
    // A number from the start: the preselected entry's, or the lowest free one.
    if (m_nTypeIndex == kNumbered) {
        if (sel >= 0 && m_List.GetFileNo(sel) != 0)
            m_stcExt.SetWindowText(env.GetExtStr(m_List.GetFileNo(sel)));
        else
            FindFreeNumber();
    }
    SyncFields(SYNC_EDIT);
}

bool CSelSaveFileDlg::ReadFields(CDataExchange*)
{
    const CEnvironObj& env = *m_pEnviron;
    UpdateExtText();
    SyncFields(SYNC_EDIT);
    m_strName = TextOf(m_edtName);
    const CString ext = TextOf(m_stcExt);
    if (ext.IsEmpty()) {
        AfxMessageBox("空き番号がありません", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_strName += ext;
    if (m_bMemo) m_strMemo = TextOf(m_edtMemo);

    const int pos = env.IsValidFileName(m_strName);
    if (pos >= 0) {
        CString message = CString(m_lpszKind) + "名として";
        if (pos < m_strName.GetLength())
            message += "使用できない文字 ｢" + CString(m_strName[pos]) + "｣ が含まれています";
        else
            message += "正しくありません";
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }

    CString path(m_strDir);
    env.AddFileName(path, m_strName);
    const int state = env.IsExist(path);
    if (state == EXIST_NONE) return true;
    const bool folderMode = (m_nFlags & SELFILE_FOLDER) != 0;
    if (folderMode == (state == EXIST_FOLDER)) {
        const char* question = folderMode ? "既存のﾌｫﾙﾀﾞｰ名が既に存在します\n上書きしてもよろしいですか?"
                                           : "既存のﾌｧｲﾙ名が既に存在します\n上書きしてもよろしいですか?";
        return AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    }
    AfxMessageBox(folderMode ? "指定されたﾌｫﾙﾀﾞｰ名は他のﾌｧｲﾙで使用されています"
                             : "指定されたﾌｧｲﾙ名は他のﾌｫﾙﾀﾞｰで使用されています",
                  MB_OK | MB_ICONEXCLAMATION);
    return false;
}

BOOL CSelSaveFileDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    genba::FinishInitDialog(*this, m_btnOK, m_btnCancel, m_btnDelete, m_lpszTitle);
    return TRUE;
}

void CSelSaveFileDlg::OnOK()
{
    if (genba::OkButtonHasFocus(*this)) CDialog::OnOK();
}

void CSelSaveFileDlg::UpdateExtText()
{
    if (m_nTypeIndex == kNumbered) return;
    m_stcExt.SetWindowText("");
    const int row = m_cmbType.GetCurSel();
    if (row >= 0) m_stcExt.SetWindowText(m_pEnviron->GetExt(m_strExtList, static_cast<int>(m_cmbType.GetItemData(row))));
}

void CSelSaveFileDlg::FindFreeNumber()
{
    m_stcExt.SetWindowText("");
    const unsigned long number = genba::FindFirstFreeNumber(m_strDir, m_nFlags);
    if (number != 0) m_stcExt.SetWindowText(m_pEnviron->GetExtStr(number));
}

// The entry whose name is what is typed with the current extension, or -1.
int CSelSaveFileDlg::MatchTyped() const
{
    const CString ext = TextOf(m_stcExt);
    const CString full = TextOf(m_edtName) + ext;
    for (int i = 0; i < m_List.GetCnt(); ++i) {
        if (m_nTypeIndex != kNumbered) {
            if (m_List.GetFileName(i).CompareNoCase(full) == 0) return i;
        } else if (m_List.GetFileNo(i) != 0 && m_pEnviron->GetExtStr(m_List.GetFileNo(i)).CompareNoCase(ext) == 0) {
            return i;   // numbered matching looks at the number only
        }
    }
    return -1;
}

void CSelSaveFileDlg::SyncFields(int nMode)
{
    const CEnvironObj& env = *m_pEnviron;
    UpdatingScope updating(m_bUpdating);
    m_nLastListSel = m_ListBox.GetCurSel();
    m_List.UpdateListBox(m_ListBox);
    const int sel = m_List.GetSelect();

    if (nMode == SYNC_SELECT || nMode == SYNC_DBLCLK) {
        CString memoText;
        if (m_bMemo && sel >= 0) {
            memoText = MemoOf(sel);
            // A single click fills only an empty memo (or one that says the same).
            const CString typed = TextOf(m_edtMemo);
            if (nMode == SYNC_SELECT && (typed.IsEmpty() || typed.Compare(memoText) == 0)) nMode = SYNC_DBLCLK;
        }
        const bool numbered = m_nTypeIndex == kNumbered;
        if (sel >= 0 && (!numbered || m_List.GetFileNo(sel) != 0)) {
            PutEditText(m_edtName, env.GetBaseNameFromFileName(m_List.GetFileName(sel)), FALSE);
            if (numbered) m_stcExt.SetWindowText(env.GetExtStr(m_List.GetFileNo(sel)));
            if (m_bMemo && nMode == SYNC_DBLCLK) PutEditText(m_edtMemo, memoText, FALSE);
        } else if (numbered) {
            FindFreeNumber();
        }
    }

    const int match = MatchTyped();
    if (m_List.GetSelect() != match) {
        m_List.Select(match);
        m_List.MakeListBox(m_ListBox);
    }
    const bool canDelete = m_nDelMode != genba::DELMODE_NONE && m_List.GetSelect() >= 0;
    m_btnDelete.EnableWindow(canDelete ? TRUE : FALSE);
    m_btnDelete.ShowWindow(m_nDelMode != genba::DELMODE_NONE ? SW_SHOWNA : SW_HIDE);
}

void CSelSaveFileDlg::OnSelchangeList() { SyncFields(SYNC_SELECT); }

void CSelSaveFileDlg::OnDblclkList()
{
    if (m_ListBox.GetCurSel() < 0 && m_nLastListSel >= 0) m_ListBox.SetCurSel(m_nLastListSel);
    SyncFields(SYNC_DBLCLK);
}

void CSelSaveFileDlg::OnChangeEdit()
{
    if (!m_bUpdating) SyncFields(SYNC_EDIT);
}

void CSelSaveFileDlg::OnDelete()
{
    const int row = m_ListBox.GetCurSel();   // the list box does not sort: the row is the entry
    if (row < 0) return;
    genba::AskAndDelete(*m_pEnviron, m_strDir, m_List.GetFileName(row), m_lpszKind, m_nDelMode);
    RefillList();
    m_List.MakeListBox(m_ListBox);
    UpdateExtText();
    SyncFields(SYNC_EDIT);
}

CString CEnvironObj::SelectSaveFile(CWnd* pParentWnd, const CString& strDir, const CString& strExtList,
                                    int nTypeIndex, const char* lpszSelName, int nFlags, const char* lpszTitle,
                                    CString* pstrMemo, SelFileProc pfnCallback, void* pData) const
{
    CString result;
    CSelSaveFileDlg dlg(this, pParentWnd);
    dlg.m_strDir = strDir;
    dlg.m_strExtList = strExtList;
    dlg.m_nTypeIndex = nTypeIndex;
    dlg.m_lpszSelName = lpszSelName;
    dlg.m_nFlags = nFlags;
    dlg.m_lpszTitle = lpszTitle;
    dlg.m_pfnCallback = pfnCallback;
    dlg.m_pData = pData;
    genba::ChooseKindAndDeleteMode(nFlags, dlg.m_lpszKind, dlg.m_nDelMode);
    if (lpszSelName) dlg.m_strName = lpszSelName;
    if (pstrMemo) {
        dlg.m_bMemo = TRUE;
        dlg.m_strMemo = *pstrMemo;
    }
    dlg.RefillList();
    dlg.m_lpszSelName = nullptr;
    if (genba::DoModalWithLibraryResources(dlg) != IDOK) return result;
    result = dlg.m_strName;
    if (pstrMemo) *pstrMemo = dlg.m_strMemo;
    return result;
}

// The suite's save dialog (template 1001): a name to save under, its extension (the
// chosen type's, or a file number), an optional memo, and the folder's entries kept in
// step with the typing; the overwrite question on OK.
#pragma once

#include "fileselect/seldlg.h"

#include <genbaenv/selfile.h>

class CSelSaveFileDlg : public CDialog {
public:
    enum SyncMode { SYNC_EDIT = 0, SYNC_SELECT = 1, SYNC_DBLCLK = 2 };

    CSelSaveFileDlg(const CEnvironObj* pEnviron, CWnd* pParentWnd);

    void RefillList();

    const CEnvironObj* m_pEnviron;
    CString m_strDir;
    CString m_strExtList;
    int m_nTypeIndex;   // >= 0 imposed type, -1 numbered, -2 typed by the user's choice
    const char* m_lpszSelName;
    int m_nFlags;
    int m_bMemo;
    SelFileProc m_pfnCallback;
    void* m_pData;
    int m_nDelMode;
    CSelFileList m_List;
    const char* m_lpszTitle;
    const char* m_lpszKind;
    CString m_strName;
    CString m_strMemo;
    int m_bUpdating;
    int m_nLastListSel;
    CStatic m_stcType;
    CComboBox m_cmbType;
    CStatic m_stcMemo;
    CEdit m_edtMemo;
    CEdit m_edtName;
    CStatic m_stcExt;
    CListBox m_ListBox;
    CFrameButton m_btnOK, m_btnCancel, m_btnDelete;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void UpdateExtText();
    void SyncFields(int nMode);
    void FindFreeNumber();
    void OnSelchangeList();
    void OnDblclkList();
    void OnChangeEdit();
    void OnDelete();

    DECLARE_MESSAGE_MAP()

private:
    void FillFields();
    bool ReadFields(CDataExchange* pDX);
    CString MemoOf(int nIndex) const;
    int MatchTyped() const;
};

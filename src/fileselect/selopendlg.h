// The suite's open dialog (template 1000): the entries of one folder in a list box, one
// to pick with OK or a double click, and a Delete button where the options allow it.
#pragma once

#include "fileselect/seldlg.h"

#include <genbaenv/selfile.h>

class CSelOpenFileDlg : public CDialog {
public:
    CSelOpenFileDlg(const CEnvironObj* pEnviron, CWnd* pParentWnd);

    // The entries anew: none selected but the preselected name, on the first filling.
    void RefillList();

    const CEnvironObj* m_pEnviron;
    CString m_strDir;
    CString m_strExtList;
    const char* m_lpszSelName;
    int m_nFlags;
    SelFileProc m_pfnCallback;
    void* m_pData;
    int m_nDelMode;
    CSelFileList m_List;
    const char* m_lpszTitle;
    const char* m_lpszKind;
    CListBox m_ListBox;
    CFrameButton m_btnOK, m_btnCancel, m_btnDelete;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void UpdateDeleteButton();
    void OnDelete();

    DECLARE_MESSAGE_MAP()
};

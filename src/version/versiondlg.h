// CVersionInfoDlg: the version information box on template IDD_VERSIONINFO. Both texts
// are built at construction; the box shrinks to its header when there is nothing to
// list or for application types 2 to 4, and the information text follows the box's size.
#pragma once

#include "version/moduleversion.h"

#include <formkit.h>
#include <genbafw/dialog.h>

class CEnvironObj;

class CVersionInfoDlg : public CDialog {
public:
    CVersionInfoDlg(CWnd* pParentWnd, const CEnvironObj& env, const char* lpszName, HICON hIcon);
    ~CVersionInfoDlg() override;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    DECLARE_MESSAGE_MAP()

private:
    void GiveButtonItsLook();
    // The smallest window that shows the header whole, and the distance from the client
    // area's left edge to the information text; false without both texts' controls.
    bool CompactSize(SIZE& size, int& margin) const;
    void TakeInitialSize();

    CStatic m_stcIcon;
    CString m_strHeader;
    CString m_strInfo;
    CFrameButton m_btnOK;
    CModuleVersion m_version;
    const CEnvironObj* m_pEnviron;
    const char* m_lpszName;
    HICON m_hIcon;
};

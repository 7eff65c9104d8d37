// Modal dialogs from templates, data exchange between a dialog and its object, and
// message boxes.
//
// DoModal finds the template by number (AfxFindResourceHandle: the current resource
// module, then the extension modules), runs the dialog and returns the value given to
// EndDialog: IDOK from OnOK, IDCANCEL from OnCancel (the Cancel button, Escape, the
// close box), -1 when the template is not found or the dialog cannot be made (nothing
// is shown then). At WM_INITDIALOG the object is bound to the dialog (its messages go
// through the message map) and OnInitDialog runs; the object is unbound when the window
// is destroyed, as are the controls bound by DDX_Control.
//
// Data exchange runs DoDataExchange in one direction: filling the controls
// (UpdateData(FALSE), from OnInitDialog) or reading and checking them (UpdateData(TRUE),
// from OnOK). A check that refuses calls Fail: the focus goes to the control last
// prepared (an edit's text selected), every later DDX call of that exchange does
// nothing, UpdateData returns FALSE and OnOK leaves the dialog open. No exception is
// involved, so DoDataExchange may live in another module.
#pragma once

#include <genbafw/cstring.h>
#include <genbafw/fwdefs.h>
#include <genbafw/resmodule.h>
#include <genbafw/wnd.h>

class GENBAFW_API CDataExchange {
public:
    BOOL m_bSaveAndValidate;   // TRUE: controls -> members
    CWnd* m_pDlgWnd;

    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control's window, remembered as the one a failure focuses; null after Fail,
    // and a missing control fails the exchange.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Refuses the exchange (see above).
    void Fail();
    BOOL HasFailed() const { return m_bFailed; }

private:
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
    BOOL m_bFailed;
};

// Binds rControl to the control and routes its messages through it (SubclassWindow),
// once: an object already bound is left as it is.
GENBAFW_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// The control's text. Filling leaves a control that already shows the text untouched
// (no change notification).
GENBAFW_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

class GENBAFW_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    // pParentWnd: the owner; null, or an object without a window, gives no owner.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // FALSE when the exchange failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);
    void GotoDlgCtrl(CWnd* pWndCtrl);   // focus (an edit's text selected)
    void NextDlgCtrl() const;           // the focus moves on in tab order
    void PrevDlgCtrl() const;

    // Fills the controls (UpdateData(FALSE)); TRUE lets the system place the focus.
    virtual BOOL OnInitDialog();

    // The object's modal loop on this thread, for a scope: message boxes are owned by its
    // window (by the top-level window it is in) meanwhile. DoModal makes one; so does a
    // dialog whose loop the system runs.
    class GENBAFW_API ModalScope {
    public:
        explicit ModalScope(CDialog* pDlg);
        ~ModalScope();
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;
        CDialog* Dialog() const { return m_pDlg; }
        ModalScope* Outer() const { return m_pOuter; }

    private:
        CDialog* m_pDlg;
        ModalScope* m_pOuter;
    };

protected:
    virtual void OnOK();                // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();            // EndDialog(IDCANCEL)
    virtual void DoDataExchange(CDataExchange* pDX);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
};

// A message box owned by the innermost modal dialog being run on this thread (with none,
// task-modal; a dialog that is a child, as a panel in a system dialog, by its top-level
// window), with the program's name as caption. The text is CP932.
// Returns the button pressed (IDOK, IDYES, IDNO, ...), 0 when the box cannot be shown.
GENBAFW_API int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

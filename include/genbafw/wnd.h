// Window classes of the framework layer: CWnd, a thin wrapper of a window handle, and
// the standard controls on top of it (CListBox, CComboBox, CEdit, CStatic, CButton).
//
// Ownership: a CWnd never creates or destroys a window. Attach binds an object to an
// existing window and Detach (or the object's destruction) unbinds it; the window lives
// on. A window is attached to at most one object at a time, and FromHandlePermanent
// finds that object. Detach before the window is destroyed: a dialog does it for all of
// its controls at once with DetachDescendants(dialog) while it is being destroyed.
//
// GetDlgItem returns the object attached to the child when there is one; otherwise an
// object from the caller's own child table (one per control id), owned by the object it
// was asked of and valid until that object is detached or destroyed. Never delete it.
//
// Every operation on an object with no window does nothing and returns 0, FALSE, -1
// (LB_ERR, CB_ERR) or an empty string: in particular it never invalidates the whole
// screen nor posts a message to the thread. ANSI (code page 932) only; used on the
// thread that owns the windows.
#pragma once

#include <genbafw/cstring.h>
#include <genbafw/fwdefs.h>

#include <windows.h>

#if defined(UNICODE)
#  error "genbafw is an ANSI (code page 932) framework: build without UNICODE"
#endif

class GENBAFW_API CWnd {
public:
    HWND m_hWnd;

    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // TRUE when this object now names hWnd. FALSE (nothing changes) for a null handle or
    // one that is not a window, when this object already names another window, or when
    // another object is attached to hWnd. Attaching the window already held is TRUE.
    BOOL Attach(HWND hWnd);
    // Unbinds and returns the window (null when there was none); the child table of
    // GetDlgItem is emptied.
    HWND Detach();
    // The object attached to hWnd, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Detaches every object attached to a descendant of hParent (not hParent's own).
    static void DetachDescendants(HWND hParent);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    BOOL EnableWindow(BOOL bEnable = TRUE);   // as the system: TRUE when it was disabled
    BOOL ShowWindow(int nCmdShow);            // as the system: TRUE when it was visible
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;

    CWnd* GetDlgItem(int nID) const;          // null when there is no such child
    int GetDlgCtrlID() const;

    void SetWindowText(const char* lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;

    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(const RECT* lpRect, BOOL bErase = TRUE);   // null rect: everything
    void UpdateWindow();
    void SetRedraw(BOOL bRedraw = TRUE);      // WM_SETREDRAW

private:
    struct Child;
    void LinkAttached();
    void UnlinkAttached();
    void FreeChildren();

    CWnd* m_pPrevAttached;   // chain of attached objects, for FromHandlePermanent
    CWnd* m_pNextAttached;
    mutable Child* m_pChildren;   // GetDlgItem's table
};

class GENBAFW_API CListBox : public CWnd {
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);               // -1: no row selected
    int AddString(const char* lpszItem);      // row, or LB_ERR / LB_ERRSPACE
    int InsertString(int nIndex, const char* lpszItem);
    int DeleteString(UINT nIndex);            // rows left, or LB_ERR
    void ResetContent();
    int GetTextLen(int nIndex) const;
    void GetText(int nIndex, CString& rString) const;   // empty for a row that does not exist
    DWORD_PTR GetItemData(int nIndex) const;  // LB_ERR for a row that does not exist
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    int FindString(int nStartAfter, const char* lpszItem) const;       // prefix, no case
    int FindStringExact(int nStartAfter, const char* lpszItem) const;  // whole text, no case
    BOOL SetTabStops(const int& cxEachStop);                // dialog units
    BOOL SetTabStops(int nTabStops, const int* rgTabStops);
    void SetHorizontalExtent(int cxExtent);                 // pixels
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
};

class GENBAFW_API CComboBox : public CWnd {
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int AddString(const char* lpszString);
    int InsertString(int nIndex, const char* lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetLBTextLen(int nIndex) const;
    void GetLBText(int nIndex, CString& rString) const;
    DWORD_PTR GetItemData(int nIndex) const;  // CB_ERR for a row that does not exist
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    int FindString(int nStartAfter, const char* lpszString) const;
    int FindStringExact(int nStartAfter, const char* lpszString) const;
    BOOL LimitText(int nMaxChars);            // edit part; 0: the system's limit
    BOOL SetEditSel(int nStartChar, int nEndChar);
    void ShowDropDown(BOOL bShowIt = TRUE);
};

class GENBAFW_API CEdit : public CWnd {
public:
    void LimitText(int nChars = 0);           // bytes; 0: the system's limit
    UINT GetLimitText() const;
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);   // 0, -1: all
    void GetSel(int& nStartChar, int& nEndChar) const;
    void ReplaceSel(const char* lpszNewText, BOOL bCanUndo = FALSE);
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    BOOL CanUndo() const;
    void EmptyUndoBuffer();
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
};

class GENBAFW_API CStatic : public CWnd {
};

class GENBAFW_API CButton : public CWnd {
public:
    int GetCheck() const;                     // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
    void SetCheck(int nCheck);
    UINT GetState() const;
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const;              // the BS_ type bits
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    // Draws an owner-drawn button; this one draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
};

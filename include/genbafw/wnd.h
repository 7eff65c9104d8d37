// Window classes of the framework layer: CWnd, a thin wrapper of a window handle that
// can receive the window's messages, and the standard controls on top of it (CListBox,
// CComboBox, CEdit, CStatic, CButton).
//
// Ownership: a CWnd never creates or destroys a window. Attach binds an object to an
// existing window and Detach (or the object's destruction) unbinds it; the window lives
// on. A window is bound to at most one object at a time, and FromHandlePermanent finds
// that object. SubclassWindow binds the object and routes the window's messages through
// it (WindowProc, the message map); such an object unbinds itself when the window is
// destroyed. An object that is only attached must be detached before its window goes.
//
// GetDlgItem returns the object bound to the child when there is one; otherwise an
// object from the caller's own child table (one per control id), owned by the object it
// was asked of and valid until that object is detached or destroyed. Never delete it.
//
// Every operation on an object with no window does nothing and returns 0, FALSE, -1
// (LB_ERR, CB_ERR) or an empty string: in particular it never invalidates the whole
// screen nor posts a message to the thread. ANSI (code page 932) only; used on the
// thread that owns the windows.
//
// Messages: a class that handles messages declares DECLARE_MESSAGE_MAP() and lists its
// handlers in its source file:
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_LBN_DBLCLK(IDC_LIST, CDialog::OnOK)   // the base's handler, not an override
//       ON_BN_CLICKED(IDC_DELETE, OnDelete)      // void OnDelete()
//       ON_WM_SIZE()                             // void OnSize(UINT, int, int)
//   END_MESSAGE_MAP()
//
// Each entry calls its handler directly from a small function made by the macro, so a
// handler of the wrong type does not compile, and a qualified name calls exactly that
// function. A class's entries come before its base's. An exception thrown by a handler
// is caught in the handler's own module and the message then gets its default
// processing: it never crosses into this library or out of a window procedure. Other
// virtual functions that this library calls (WindowProc, OnInitDialog, DoDataExchange,
// OnOK, OnCancel, DrawItem) must not let an exception out of their module.
#pragma once

#include <genbafw/cstring.h>
#include <genbafw/fwdefs.h>
#include <genbafw/runtimeclass.h>

#include <windows.h>

#include <type_traits>

#if defined(UNICODE)
#  error "genbafw is an ANSI (code page 932) framework: build without UNICODE"
#endif

class CWnd;

// One handler of a message map. pfn calls the handler and returns false when the
// handler threw (the exception stops there).
typedef bool (*AFX_PMSGCALL)(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // 0 ends the table
    UINT nCode;      // WM_COMMAND: the notification code
    UINT nID;        // WM_COMMAND: the control id
    AFX_PMSGCALL pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();   // null for the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// In the class: the map's accessors. Leaves the access at protected.
#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();              \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                \
    {                                                                              \
        typedef theClass ThisClass;                                                \
        typedef baseClass TheBaseClass;                                            \
        static_assert(std::is_base_of<TheBaseClass, ThisClass>::value,             \
                      "BEGIN_MESSAGE_MAP names a class and one of its bases");     \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                          \
            {0, 0, 0, nullptr}};                                                   \
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                               \
    }

// The function of one entry: `call` is the handler call on the object.
#define GENBAFW_MSG_CALL(call)                                                     \
    [](CWnd* pWnd_, WPARAM wParam_, LPARAM lParam_) -> bool {                      \
        (void)wParam_;                                                             \
        (void)lParam_;                                                             \
        try {                                                                      \
            static_cast<ThisClass*>(pWnd_)->call;                                  \
            return true;                                                           \
        } catch (...) {                                                            \
            return false;                                                          \
        }                                                                          \
    }

// Command and notification handlers: void handler().
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), GENBAFW_MSG_CALL(memberFxn())},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// void OnSize(UINT nType, int cx, int cy) and void OnGetMinMaxInfo(MINMAXINFO*).
#define ON_WM_SIZE()                                                                             \
    {WM_SIZE, 0, 0,                                                                              \
     GENBAFW_MSG_CALL(OnSize(static_cast<UINT>(wParam_), static_cast<short>(LOWORD(lParam_)), \
                             static_cast<short>(HIWORD(lParam_))))},
#define ON_WM_GETMINMAXINFO() \
    {WM_GETMINMAXINFO, 0, 0, GENBAFW_MSG_CALL(OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam_)))},

class GENBAFW_API CWnd {
public:
    HWND m_hWnd;

    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // Run-time class information (runtimeclass.h); CWnd is the root.
    static const CRuntimeClass* GetThisClass();
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    // TRUE when this object now names hWnd. FALSE (nothing changes) for a null handle or
    // one that is not a window, when this object already names another window, or when
    // another object is bound to hWnd. Attaching the window already held is TRUE.
    BOOL Attach(HWND hWnd);
    // Unbinds and returns the window (null when there was none); a subclassed window
    // gets its own procedure back; the child table of GetDlgItem is emptied.
    HWND Detach();
    // The object bound to hWnd, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Detaches every object bound to a descendant of hParent (not hParent's own).
    static void DetachDescendants(HWND hParent);

    // Attach, then route the window's messages through WindowProc. FALSE (nothing
    // changes) where Attach would fail or the window belongs to another thread.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow() { return Detach(); }

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

    // Centres the window on pAlternateOwner, else on its owner (a child: on its parent),
    // else on the screen's work area, and keeps it inside the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

protected:
    // The message being handled, given to the window's own procedure (what it does
    // without this object).
    LRESULT Default();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message map's entry for the message, when there is one; WM_COMMAND goes to
    // OnCommand, WM_DRAWITEM first to the item's object (OnChildNotify).
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A message the parent got about this control; TRUE with *pResult when handled.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Default handling, for handlers that add to it.
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

private:
    struct Child;
    static LRESULT CALLBACK StandardWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT nCode, UINT nID) const;
    void FreeChildren();

    WNDPROC m_pfnSuper;              // the window's own procedure, while subclassed
    const MSG* m_pCurrentMsg;        // for Default
    mutable Child* m_pChildren;      // GetDlgItem's table
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
    // Draws an owner-drawn button; called when its parent gets WM_DRAWITEM for it. Does
    // nothing here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    int GetCheck() const;                     // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
    void SetCheck(int nCheck);
    UINT GetState() const;
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const;              // the BS_ type bits
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

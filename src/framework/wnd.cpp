#include <genbafw/wnd.h>

#include <genbafw/fillbuffer.h>

#include <new>

// One entry of GetDlgItem's table: a control id and the object that names it.
struct CWnd::Child {
    int nID;
    CWnd wnd;
    Child* pNext;
};

namespace {

LPARAM TextParam(const char* psz) { return reinterpret_cast<LPARAM>(psz ? psz : ""); }

} // namespace

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_pCurrentMsg(nullptr), m_pChildren(nullptr)
{
}

CWnd::~CWnd()
{
    Detach();
}

void CWnd::FreeChildren()
{
    while (m_pChildren) {
        Child* c = m_pChildren;
        m_pChildren = c->pNext;
        delete c;
    }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!m_hWnd) return 0;
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    // A null window would make it a message to the thread.
    if (!m_hWnd) return FALSE;
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!m_hWnd) return FALSE;
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    if (!m_hWnd) return FALSE;
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowEnabled() const { return m_hWnd ? ::IsWindowEnabled(m_hWnd) : FALSE; }
BOOL CWnd::IsWindowVisible() const { return m_hWnd ? ::IsWindowVisible(m_hWnd) : FALSE; }

CWnd* CWnd::GetDlgItem(int nID) const
{
    if (!m_hWnd) return nullptr;
    HWND h = ::GetDlgItem(m_hWnd, nID);
    if (!h) return nullptr;
    if (CWnd* attached = FromHandlePermanent(h)) return attached;
    for (Child* c = m_pChildren; c; c = c->pNext) {
        if (c->nID == nID) {
            // The control may have been made anew since the last call.
            c->wnd.m_hWnd = h;
            return &c->wnd;
        }
    }
    Child* c = new (std::nothrow) Child{nID, {}, m_pChildren};
    if (!c) return nullptr;
    c->wnd.m_hWnd = h;
    m_pChildren = c;
    return &c->wnd;
}

// --- Run-time class information -----------------------------------------------------

int CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr)
        if (c == pBaseClass) return TRUE;
    return FALSE;
}

const CRuntimeClass* CWnd::GetThisClass()
{
    static const CRuntimeClass rc = {"CWnd", static_cast<int>(sizeof(CWnd)), 0xFFFF, nullptr};
    return &rc;
}

const CRuntimeClass* CWnd::GetRuntimeClass() const { return GetThisClass(); }

BOOL CWnd::IsKindOf(const CRuntimeClass* pClass) const { return pClass && GetRuntimeClass()->IsDerivedFrom(pClass); }

int CWnd::GetDlgCtrlID() const { return m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0; }

void CWnd::SetWindowText(const char* lpszString)
{
    if (m_hWnd) ::SetWindowTextA(m_hWnd, lpszString ? lpszString : "");
}

void CWnd::GetWindowText(CString& rString) const
{
    rString.Empty();
    if (!m_hWnd) return;
    // The length may be more than the text (double-byte conversions), never less.
    int len = ::GetWindowTextLengthA(m_hWnd);
    if (len <= 0) return;
    HWND hWnd = m_hWnd;
    genba::FillString(rString, static_cast<unsigned long>(len) + 1, static_cast<unsigned long>(len) + 1,
                      [hWnd](char* buf, unsigned long size) {
                          int n = ::GetWindowTextA(hWnd, buf, static_cast<int>(size));
                          return n > 0 ? genba::Fill::Done(static_cast<unsigned long>(n)) : genba::Fill::Failed();
                      });
}

int CWnd::GetWindowTextLength() const { return m_hWnd ? ::GetWindowTextLengthA(m_hWnd) : 0; }

void CWnd::Invalidate(BOOL bErase) { InvalidateRect(nullptr, bErase); }

void CWnd::InvalidateRect(const RECT* lpRect, BOOL bErase)
{
    // A null window would invalidate every window of the screen.
    if (m_hWnd) ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::UpdateWindow()
{
    if (m_hWnd) ::UpdateWindow(m_hWnd);
}

void CWnd::SetRedraw(BOOL bRedraw) { SendMessage(WM_SETREDRAW, bRedraw ? TRUE : FALSE, 0); }

namespace {

int Centred(LONG lo, LONG hi, LONG size, LONG areaLo, LONG areaHi)
{
    LONG pos = lo + (hi - lo - size) / 2;
    if (pos + size > areaHi) pos = areaHi - size;
    if (pos < areaLo) pos = areaLo;
    return static_cast<int>(pos);
}

} // namespace

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    if (!m_hWnd) return;
    const bool child = (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD) != 0;
    HWND hCenter = pAlternateOwner ? pAlternateOwner->m_hWnd
                                   : child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcWnd, rcArea, rcCenter;
    ::GetWindowRect(m_hWnd, &rcWnd);
    if (child) {
        // Inside the parent's client area, in its coordinates.
        HWND hParent = ::GetParent(m_hWnd);
        ::GetClientRect(hParent, &rcArea);
        if (hCenter && hCenter != hParent) {
            ::GetWindowRect(hCenter, &rcCenter);
            ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rcCenter), 2);
        } else {
            rcCenter = rcArea;
        }
    } else {
        // On the monitor of the window centred on, inside its work area.
        MONITORINFO mi = {};
        mi.cbSize = sizeof mi;
        HMONITOR hMon = ::MonitorFromWindow(hCenter ? hCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        if (!::GetMonitorInfoA(hMon, &mi)) ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &mi.rcWork, 0);
        rcArea = mi.rcWork;
        bool useOwner = hCenter && ::IsWindowVisible(hCenter) && !::IsIconic(hCenter);
        if (!useOwner || !::GetWindowRect(hCenter, &rcCenter)) rcCenter = rcArea;
    }
    const LONG w = rcWnd.right - rcWnd.left, h = rcWnd.bottom - rcWnd.top;
    ::SetWindowPos(m_hWnd, nullptr, Centred(rcCenter.left, rcCenter.right, w, rcArea.left, rcArea.right),
                   Centred(rcCenter.top, rcCenter.bottom, h, rcArea.top, rcArea.bottom), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- Shared by list boxes and combo boxes ------------------------------------------

namespace {

int ErrOr(const CWnd& w, LRESULT ok) { return w.m_hWnd ? static_cast<int>(ok) : LB_ERR; }

// Reads row text through a length message and a text message (LB_ or CB_ pair).
void ReadRowText(const CWnd& w, UINT lenMsg, UINT textMsg, int nIndex, CString& rString)
{
    rString.Empty();
    if (!w.m_hWnd) return;
    LRESULT len = w.SendMessage(lenMsg, static_cast<WPARAM>(nIndex), 0);
    if (len <= 0) return;   // an error, or an empty row
    // The length is never less than the text, so the buffer holds it.
    char* buf = rString.GetBuffer(static_cast<int>(len));
    LRESULT n = w.SendMessage(textMsg, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buf));
    rString.ReleaseBuffer(n > 0 && n <= len ? static_cast<int>(n) : 0);
}

} // namespace

// --- CListBox --------------------------------------------------------------------

int CListBox::GetCount() const { return ErrOr(*this, SendMessage(LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return ErrOr(*this, SendMessage(LB_GETCURSEL)); }
int CListBox::SetCurSel(int nSelect) { return ErrOr(*this, SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
int CListBox::AddString(const char* lpszItem) { return ErrOr(*this, SendMessage(LB_ADDSTRING, 0, TextParam(lpszItem))); }

int CListBox::InsertString(int nIndex, const char* lpszItem)
{
    return ErrOr(*this, SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), TextParam(lpszItem)));
}

int CListBox::DeleteString(UINT nIndex) { return ErrOr(*this, SendMessage(LB_DELETESTRING, nIndex)); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::GetTextLen(int nIndex) const { return ErrOr(*this, SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex))); }
void CListBox::GetText(int nIndex, CString& rString) const { ReadRowText(*this, LB_GETTEXTLEN, LB_GETTEXT, nIndex, rString); }

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    if (!m_hWnd) return static_cast<DWORD_PTR>(LB_ERR);
    return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return ErrOr(*this, SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

int CListBox::FindString(int nStartAfter, const char* lpszItem) const
{
    return ErrOr(*this, SendMessage(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), TextParam(lpszItem)));
}

int CListBox::FindStringExact(int nStartAfter, const char* lpszItem) const
{
    return ErrOr(*this, SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nStartAfter), TextParam(lpszItem)));
}

BOOL CListBox::SetTabStops(const int& cxEachStop) { return SetTabStops(1, &cxEachStop); }

BOOL CListBox::SetTabStops(int nTabStops, const int* rgTabStops)
{
    static_assert(sizeof(int) == sizeof(INT), "tab stops are INTs");
    return static_cast<BOOL>(SendMessage(LB_SETTABSTOPS, static_cast<WPARAM>(nTabStops),
                                         reinterpret_cast<LPARAM>(rgTabStops)));
}

void CListBox::SetHorizontalExtent(int cxExtent) { SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent)); }
int CListBox::GetTopIndex() const { return ErrOr(*this, SendMessage(LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int nIndex) { return ErrOr(*this, SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex))); }

// --- CComboBox -------------------------------------------------------------------

int CComboBox::GetCount() const { return ErrOr(*this, SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return ErrOr(*this, SendMessage(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int nSelect) { return ErrOr(*this, SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
int CComboBox::AddString(const char* lpszString) { return ErrOr(*this, SendMessage(CB_ADDSTRING, 0, TextParam(lpszString))); }

int CComboBox::InsertString(int nIndex, const char* lpszString)
{
    return ErrOr(*this, SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), TextParam(lpszString)));
}

int CComboBox::DeleteString(UINT nIndex) { return ErrOr(*this, SendMessage(CB_DELETESTRING, nIndex)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::GetLBTextLen(int nIndex) const { return ErrOr(*this, SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex))); }
void CComboBox::GetLBText(int nIndex, CString& rString) const { ReadRowText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex, rString); }

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    if (!m_hWnd) return static_cast<DWORD_PTR>(CB_ERR);
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return ErrOr(*this, SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

int CComboBox::FindString(int nStartAfter, const char* lpszString) const
{
    return ErrOr(*this, SendMessage(CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), TextParam(lpszString)));
}

int CComboBox::FindStringExact(int nStartAfter, const char* lpszString) const
{
    return ErrOr(*this, SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nStartAfter), TextParam(lpszString)));
}

BOOL CComboBox::LimitText(int nMaxChars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars))); }

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    if (!m_hWnd) return FALSE;
    return SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar)) != CB_ERR;
}

void CComboBox::ShowDropDown(BOOL bShowIt) { SendMessage(CB_SHOWDROPDOWN, bShowIt ? TRUE : FALSE); }

// --- CEdit -----------------------------------------------------------------------

void CEdit::LimitText(int nChars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars)); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), static_cast<LPARAM>(nEndChar));
    if (!bNoScroll) SendMessage(EM_SCROLLCARET);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::ReplaceSel(const char* lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, bCanUndo ? TRUE : FALSE, TextParam(lpszNewText));
}

BOOL CEdit::GetModify() const { return SendMessage(EM_GETMODIFY) ? TRUE : FALSE; }
void CEdit::SetModify(BOOL bModified) { SendMessage(EM_SETMODIFY, bModified ? TRUE : FALSE); }
BOOL CEdit::CanUndo() const { return SendMessage(EM_CANUNDO) ? TRUE : FALSE; }
void CEdit::EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return SendMessage(EM_SETREADONLY, bReadOnly ? TRUE : FALSE) ? TRUE : FALSE; }

// --- CButton ---------------------------------------------------------------------

int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
UINT CButton::GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
void CButton::SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight ? TRUE : FALSE); }

UINT CButton::GetButtonStyle() const
{
    if (!m_hWnd) return 0;
    return static_cast<UINT>(::GetWindowLongA(m_hWnd, GWL_STYLE)) & 0xFF;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { SendMessage(BM_SETSTYLE, nStyle, bRedraw ? TRUE : FALSE); }


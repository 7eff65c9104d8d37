// Binding of objects to windows, and the window procedure that routes a subclassed
// window's messages through its object and message map.
#include <genbafw/wnd.h>

#include <new>
#include <unordered_map>

namespace {

// What the library knows of one window: its object, and the window's own procedure
// while ours stands in front of it. An entry with a procedure and no object is a
// window whose object left while another procedure was put in front of ours: ours
// must stay in the chain and passes every message on.
struct Binding {
    CWnd* pWnd;
    WNDPROC pfnSuper;
    bool routed;   // the object gets the window's messages
};

// Window handle -> binding, for every thread of the process. A window property would
// cost a round trip to the Wine server on every message; this costs a hash lookup.
class BindingTable {
public:
    Binding Find(HWND hWnd)
    {
        AcquireSRWLockShared(&m_lock);
        auto it = m_map.find(hWnd);
        Binding b = it == m_map.end() ? Binding{nullptr, nullptr, false} : it->second;
        ReleaseSRWLockShared(&m_lock);
        return b;
    }
    bool Put(HWND hWnd, const Binding& b)
    {
        bool ok = true;
        AcquireSRWLockExclusive(&m_lock);
        try {
            m_map[hWnd] = b;
        } catch (...) {   // out of memory: the window stays unbound
            ok = false;
        }
        ReleaseSRWLockExclusive(&m_lock);
        return ok;
    }
    void Erase(HWND hWnd)
    {
        AcquireSRWLockExclusive(&m_lock);
        m_map.erase(hWnd);
        ReleaseSRWLockExclusive(&m_lock);
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, Binding> m_map;
};

BindingTable g_bindings;

LRESULT PassOn(WNDPROC pfnSuper, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pfnSuper ? ::CallWindowProcA(pfnSuper, hWnd, message, wParam, lParam)
                    : ::DefWindowProcA(hWnd, message, wParam, lParam);
}

BOOL CALLBACK DetachOne(HWND hWnd, LPARAM)
{
    if (CWnd* p = CWnd::FromHandlePermanent(hWnd)) p->Detach();
    return TRUE;
}

} // namespace

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd)) return FALSE;
    Binding b = g_bindings.Find(hWnd);
    if (b.pWnd == this) return TRUE;
    if (b.pWnd) return FALSE;
    if (m_hWnd && m_hWnd != hWnd) return FALSE;
    if (!g_bindings.Put(hWnd, Binding{this, b.pfnSuper, false})) return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h) {
        Binding b = g_bindings.Find(h);
        if (b.pWnd == this) {
            bool ourProcOnTop = ::IsWindow(h) && ::GetWindowLongPtrA(h, GWLP_WNDPROC) ==
                                                     reinterpret_cast<LONG_PTR>(&CWnd::StandardWndProc);
            if (b.pfnSuper && ourProcOnTop) ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(b.pfnSuper));
            if (b.pfnSuper && !ourProcOnTop && ::IsWindow(h))
                g_bindings.Put(h, Binding{nullptr, b.pfnSuper, false});   // replaces: cannot fail
            else
                g_bindings.Erase(h);
        }
    }
    FreeChildren();
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    return h;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd ? g_bindings.Find(hWnd).pWnd : nullptr; }

void CWnd::DetachDescendants(HWND hParent)
{
    // The system lists the children before calling back, so detaching (which may free
    // GetDlgItem tables holding bound objects) cannot disturb the walk.
    if (hParent) ::EnumChildWindows(hParent, DetachOne, 0);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd)) return FALSE;
    // Our procedure must run on the thread the object is used on.
    if (::GetWindowThreadProcessId(hWnd, nullptr) != ::GetCurrentThreadId()) return FALSE;
    Binding b = g_bindings.Find(hWnd);
    if (b.pWnd == this && b.routed) return TRUE;
    if (!Attach(hWnd)) return FALSE;
    WNDPROC super = b.pfnSuper;   // our procedure may still be in the chain
    if (!super) {
        super = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StandardWndProc)));
        if (super == &CWnd::StandardWndProc) {   // never in front of itself: it would call itself
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
            super = nullptr;
        }
        if (!super) {
            Detach();
            return FALSE;
        }
    }
    m_pfnSuper = super;
    g_bindings.Put(hWnd, Binding{this, super, true});   // replaces: cannot fail
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd) return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

LRESULT CALLBACK CWnd::StandardWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Binding b = g_bindings.Find(hWnd);
    if (!b.pWnd || !b.routed) {
        LRESULT r = PassOn(b.pfnSuper, hWnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            if (b.pWnd) b.pWnd->Detach();
            g_bindings.Erase(hWnd);
        }
        return r;
    }
    CWnd* pWnd = b.pWnd;
    MSG msg = {hWnd, message, wParam, lParam, 0, {0, 0}};
    const MSG* pPrevMsg = pWnd->m_pCurrentMsg;
    pWnd->m_pCurrentMsg = &msg;
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing leaves a window procedure: the message gets its default processing.
        lResult = PassOn(b.pfnSuper, hWnd, message, wParam, lParam);
    }
    // A handler may have detached or deleted the object.
    if (g_bindings.Find(hWnd).pWnd == pWnd) {
        pWnd->m_pCurrentMsg = pPrevMsg;
        if (message == WM_NCDESTROY) pWnd->Detach();
    }
    if (message == WM_NCDESTROY) g_bindings.Erase(hWnd);
    return lResult;
}

// --- Messages ----------------------------------------------------------------------

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(UINT message, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nMessage; ++e)
            if (e->nMessage == message && e->nCode == nCode && e->nID == nID) return e;
    return nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd) return 0;
    return PassOn(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    if (!m_pCurrentMsg) return 0;
    return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        // Owner-drawn controls draw themselves through their own objects.
        const DRAWITEMSTRUCT* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CWnd* pItem = dis && dis->CtlType != ODT_MENU ? FromHandlePermanent(dis->hwndItem) : nullptr;
        if (pItem && pItem->OnChildNotify(message, wParam, lParam, pResult)) return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = FindEntry(message, 0, 0);
    if (!e || !e->pfn(this, wParam, lParam)) return FALSE;
    *pResult = 0;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, HIWORD(wParam), LOWORD(wParam));
    return e && e->pfn(this, wParam, lParam);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }

// --- CButton ---------------------------------------------------------------------

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *pResult = TRUE;
    return TRUE;
}

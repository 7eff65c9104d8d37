#include <genbafw/resmodule.h>

#include <atomic>

namespace {

std::atomic<HINSTANCE> g_hResource{nullptr};   // null: the program's module

// Extension modules, oldest first. Modules register from their entry points, which the
// loader runs one at a time, but the search runs on user-interface threads: the lock
// keeps the two apart.
SRWLOCK g_chainLock = SRWLOCK_INIT;
AFX_EXTENSION_MODULE* g_pFirstExtension = nullptr;

bool Holds(HINSTANCE hModule, LPCSTR lpszName, LPCSTR lpszType)
{
    return hModule && ::FindResourceA(hModule, lpszName, lpszType) != nullptr;
}

} // namespace

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE h = g_hResource.load();
    return h ? h : ::GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE hInstResource) { g_hResource.store(hInstResource); }

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE hCurrent = AfxGetResourceHandle();
    if (Holds(hCurrent, lpszName, lpszType)) return hCurrent;
    HINSTANCE found = nullptr;
    AcquireSRWLockShared(&g_chainLock);
    for (AFX_EXTENSION_MODULE* p = g_pFirstExtension; p && !found; p = p->pNext)
        if (Holds(p->hModule, lpszName, lpszType)) found = p->hModule;
    ReleaseSRWLockShared(&g_chainLock);
    return found;
}

CResourceScope::CResourceScope(HINSTANCE hInstResource) : m_hPrevious(g_hResource.load())
{
    AfxSetResourceHandle(hInstResource);
}

CResourceScope::~CResourceScope() { AfxSetResourceHandle(m_hPrevious); }

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (!hModule) return FALSE;
    BOOL ok = TRUE;
    AcquireSRWLockExclusive(&g_chainLock);
    AFX_EXTENSION_MODULE** ppLast = &g_pFirstExtension;
    for (; *ppLast && ok; ppLast = &(*ppLast)->pNext)
        if (*ppLast == &state || (*ppLast)->hModule == hModule) ok = FALSE;
    if (ok) {
        state.hModule = hModule;
        state.pNext = nullptr;
        *ppLast = &state;
    }
    ReleaseSRWLockExclusive(&g_chainLock);
    return ok;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state)
{
    AcquireSRWLockExclusive(&g_chainLock);
    for (AFX_EXTENSION_MODULE** pp = &g_pFirstExtension; *pp; pp = &(*pp)->pNext) {
        if (*pp == &state) {
            *pp = state.pNext;
            break;
        }
    }
    ReleaseSRWLockExclusive(&g_chainLock);
    state.hModule = nullptr;
    state.pNext = nullptr;
}

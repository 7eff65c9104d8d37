#include "env/module.h"

#include <genbafw/resmodule.h>

namespace {
HMODULE g_hModule = nullptr;
// The library's dialog templates join the framework's resource search while it is loaded.
AFX_EXTENSION_MODULE g_extensionModule = {};
}

namespace genba {

HMODULE LibraryModule() { return g_hModule; }

CString LibraryFileName()
{
    char buf[MAX_PATH + 1] = {0};
    DWORD n = GetModuleFileNameA(g_hModule, buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return CString();
    return CString(buf, static_cast<int>(n));
}

} // namespace genba

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_hModule = hInstance;
        DisableThreadLibraryCalls(hInstance);
        if (!AfxInitExtensionModule(g_extensionModule, hInstance)) return FALSE;
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_extensionModule);
    }
    return TRUE;
}

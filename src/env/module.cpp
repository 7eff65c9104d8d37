#include "env/module.h"

#include <genbafw/fillbuffer.h>
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
    // Longer than MAX_PATH would be cut by the system: no name is better than a wrong one.
    CString name;
    FillString(name, MAX_PATH, MAX_PATH, [](char* buf, unsigned long size) {
        DWORD n = GetModuleFileNameA(g_hModule, buf, size);
        return n == 0 ? Fill::Failed() : n < size ? Fill::Done(n) : Fill::Grow();
    });
    return name;
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

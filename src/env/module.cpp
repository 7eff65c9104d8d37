#include "env/module.h"

#include <genbafw/fillbuffer.h>

namespace {
HMODULE g_hModule = nullptr;
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
    }
    return TRUE;
}

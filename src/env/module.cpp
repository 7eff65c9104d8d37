#include "env/module.h"

namespace {
HMODULE g_hModule = nullptr;
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
    }
    return TRUE;
}

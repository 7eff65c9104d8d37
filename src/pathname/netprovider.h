// The network provider that GetUNCPath asks which share a drive is connected to.
// Production code always uses the system's (mpr); tests stand in their own through
// GenbaSetNetProviderForTest, since Wine has no network provider.
#pragma once

#include <windows.h>
#include <winnetwk.h>

struct GenbaNetProvider {
    DWORD (WINAPI *OpenEnum)(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEA container, LPHANDLE handle);
    DWORD (WINAPI *EnumResource)(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD size);
    DWORD (WINAPI *CloseEnum)(HANDLE handle);
};

// Null restores the system's provider. Exported for the test programs only; not part
// of the public headers.
#include <genbaenv/genbadefs.h>
extern "C" GENBAENV_API void GenbaSetNetProviderForTest(const GenbaNetProvider* provider);

namespace genba {
const GenbaNetProvider& NetProvider();
}

// The library's own module handle, kept by its entry point.
#pragma once

#include <windows.h>
#include <genbafw/cstring.h>

namespace genba {
HMODULE LibraryModule();
CString LibraryFileName();   // full file name of genbaenv.dll itself
} // namespace genba

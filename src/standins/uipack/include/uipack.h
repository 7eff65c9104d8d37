// UIPACK stand-in: the suite's resource-module library, reduced to the one entry
// point the framed buttons use. GetLookHandle names the button image of a resource
// number: 1000 (OK), 1001 (Cancel) and 1026 (Delete) have one; the handle is 0 for
// any other number. uipack.dll exports it by ordinal only (1).
#pragma once

#include <windows.h>

#if defined(_WIN32) && !defined(UIPACK_BUILDING)
#  define UIPACK_API __declspec(dllimport)
#else
#  define UIPACK_API   // the .def file exports, by ordinal
#endif

UIPACK_API DWORD GetLookHandle(int nResource);

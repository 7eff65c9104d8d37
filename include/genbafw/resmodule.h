// Where the framework looks for resources (dialog templates): the current resource
// module, process-wide, first, then the registered extension modules in the order they
// registered. The current resource module is the program's own module until it is set.
//
// A library with resources of its own registers itself from its entry point and
// unregisters when it is unloaded:
//
//   static AFX_EXTENSION_MODULE s_module;          // zero-initialised
//   DLL_PROCESS_ATTACH: if (!AfxInitExtensionModule(s_module, hInstance)) return FALSE;
//   DLL_PROCESS_DETACH: AfxTermExtensionModule(s_module);
//
// A modal loop that needs one module's resources first makes it current for its length:
//
//   { CResourceScope scope(hMyModule); dlg.DoModal(); }   // the previous one comes back
#pragma once

#include <genbafw/fwdefs.h>

#include <windows.h>

GENBAFW_API HINSTANCE AfxGetResourceHandle();
// Null makes the program's own module current again.
GENBAFW_API void AfxSetResourceHandle(HINSTANCE hInstResource);

// The module that holds the resource, searched as above; null when none does.
GENBAFW_API HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);

// Makes a module current for the scope and puts the previous one back on leaving it,
// whichever way the scope is left.
class GENBAFW_API CResourceScope {
public:
    explicit CResourceScope(HINSTANCE hInstResource);
    ~CResourceScope();
    CResourceScope(const CResourceScope&) = delete;
    CResourceScope& operator=(const CResourceScope&) = delete;

private:
    HINSTANCE m_hPrevious;
};

// The registration of one extension module; lives in the module's static storage.
struct AFX_EXTENSION_MODULE {
    HMODULE hModule;               // set while registered
    AFX_EXTENSION_MODULE* pNext;   // the registration chain
};

// FALSE (nothing registered) for a null module, a record already registered, or a
// module that another record has registered.
GENBAFW_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Removes the record from the search; nothing happens for one not registered.
GENBAFW_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state);

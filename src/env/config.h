// The installation configuration shared by every environment object of the process:
// the INI values beside the library, the setup section, the five homes and ServerQMS.
// Constructed empty when the library loads; written by construction and by the
// settings store without locking (the suite uses one user-interface thread).
#pragma once

#include <genbafw/cstring.h>

class CEnvironObj;

namespace genba {

extern CString s_strSetupPrefix;    // INI "Type" / "Setup"
extern CString s_strMachineSuffix;  // INI "Type" / "HKLM"
extern CString s_strUserSuffix;     // INI "Type" / "HKCU"
extern CString s_strSetupSection;   // "Setup" + prefix + install type
extern CString s_strHomeProgram;
extern CString s_strHomeSystem;
extern CString s_strHomeData;
extern CString s_strHomeHelp;
extern CString s_strHomeTemp;
extern CString s_strServerQMS;      // a server name, "?" or "*"
extern int s_bIniLoaded;
extern int s_bHomesLoaded;

// The INI step (once per process), then the homes step (again only after the settings
// store cleared s_bHomesLoaded). The object's application-selection object names the
// product key.
void LoadSharedConfig(const CEnvironObj& env);

// The install type: the user's CurrentWork "Type", else Network or Local by where the
// library itself was loaded from.
CString GetInstallType(const CEnvironObj& env, bool* fromCurrentWork = nullptr);

// "Setup" + prefix + install type.
CString GetSetupSection(const CEnvironObj& env);

// genbaenv.dll in C:\Suite gives C:\Suite\genbaenv.INI; empty when the library's own
// file name is unknown.
CString IniPathBesideLibrary(const CEnvironObj& env);

} // namespace genba

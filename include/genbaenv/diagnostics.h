// What the library read and decided, as it decided it: for genbaenv-tool and the tests,
// which must show the library's own answers instead of working them out again.
// Applications use environ.h; nothing here changes any state.
#pragma once

#include <genbaenv/genbadefs.h>
#include <genbafw/cstring.h>

class CEnvironObj;

// The installation configuration in effect in this process.
struct GenbaInstallDiag {
    CString strLibraryFile;     // genbaenv.dll as loaded; empty when the system cannot say
    CString strIniFile;         // the INI beside it (empty without a library file name)
    bool bIniFound = false;     // the INI is a file, and was read
    CString strSetupPrefix;     // [Type] Setup, HKLM, HKCU as read ("" without the INI)
    CString strMachineSuffix;
    CString strUserSuffix;
    CString strInstallType;     // CurrentWork "Type", else Local or Network
    bool bTypeFromCurrentWork = false;
    CString strSetupSection;    // the section the homes were read from
    CString strMachineKey;      // Software\Velmora\<product><HKLM suffix>, below HKLM
    CString strUserKey;         // Software\Velmora\<product><HKCU suffix>, below HKCU
};

GENBAENV_API void GenbaGetInstallDiag(const CEnvironObj& env, GenbaInstallDiag& diag);

// The key (below HKCU, or HKLM for machine) that the settings store uses for a section
// and an entry; either may be empty.
GENBAENV_API CString GenbaDataKeyPath(const CEnvironObj& env, bool machine, const char* section, const char* entry);

// env.GetPath(kind), and the "Environ" value that decided it: *pdwDecidedBy is the code
// whose override was the last to replace the path, 0 when none did.
GENBAENV_API CString GenbaResolvePath(const CEnvironObj& env, unsigned long kind, unsigned long* pdwDecidedBy);

// Every base-and-subfolder kind GetPath resolves, and the application codes, each with
// a readable name ("site.main", "VQA"); the count is returned.
struct GenbaNamedCode {
    unsigned long code;
    const char* name;
};
GENBAENV_API int GenbaAcceptedKinds(const GenbaNamedCode** ppKinds);
GENBAENV_API int GenbaApplicationCodes(const GenbaNamedCode** ppCodes);

// The header and the information text of the version box (VersionInfoDialog, version.h),
// built as the box builds them, without showing it.
GENBAENV_API void GenbaGetVersionBoxTexts(const CEnvironObj& env, const char* lpszName, CString& strHeader,
                                          CString& strInfo);

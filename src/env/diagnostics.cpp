// What the library read and decided, for genbaenv-tool and the tests: every answer comes
// from the routines applications go through, never from a second copy of their rules.
#include <genbaenv/diagnostics.h>

#include "env/config.h"
#include "env/environ_impl.h"
#include "env/module.h"
#include "env/registry.h"

#include <genbaenv/environ.h>

void GenbaGetInstallDiag(const CEnvironObj& env, GenbaInstallDiag& diag)
{
    diag.strLibraryFile = genba::LibraryFileName();
    diag.strIniFile = genba::IniPathBesideLibrary(env);
    diag.bIniFound = !diag.strIniFile.IsEmpty() && env.IsExist(diag.strIniFile) == EXIST_FILE;
    diag.strSetupPrefix = genba::s_strSetupPrefix;
    diag.strMachineSuffix = genba::s_strMachineSuffix;
    diag.strUserSuffix = genba::s_strUserSuffix;
    diag.strInstallType = genba::GetInstallType(env, &diag.bTypeFromCurrentWork);
    diag.strSetupSection = genba::s_strSetupSection;
    diag.strMachineKey = genba::ProductKeyPath(env.GetApliChange(), HKEY_LOCAL_MACHINE, nullptr, nullptr);
    diag.strUserKey = genba::ProductKeyPath(env.GetApliChange(), HKEY_CURRENT_USER, nullptr, nullptr);
}

CString GenbaDataKeyPath(const CEnvironObj& env, bool machine, const char* section, const char* entry)
{
    return genba::ProductKeyPath(env.GetApliChange(), machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, section,
                                 entry);
}

CString GenbaResolvePath(const CEnvironObj& env, unsigned long kind, unsigned long* pdwDecidedBy)
{
    unsigned long decidedBy = 0;
    CString path = genba::ResolvePath(env, CEnvironObjAccess::State(env), kind, decidedBy);
    if (pdwDecidedBy) *pdwDecidedBy = decidedBy;
    return path;
}

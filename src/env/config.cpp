#include "env/config.h"

#include "env/module.h"
#include "env/regnames.h"
#include "env/registry.h"

#include <genbaenv/environ.h>
#include <genbafw/cp932.h>

#include <cstring>

namespace genba {

CString s_strSetupPrefix;
CString s_strMachineSuffix;
CString s_strUserSuffix;
CString s_strSetupSection;
CString s_strHomeProgram;
CString s_strHomeSystem;
CString s_strHomeData;
CString s_strHomeHelp;
CString s_strHomeTemp;
CString s_strServerQMS;
int s_bIniLoaded = 0;
int s_bHomesLoaded = 0;

namespace {

const DWORD kIniValueChars = 260;

} // namespace

CString IniPathBesideLibrary(const CEnvironObj& env)
{
    CString file = LibraryFileName();
    // Without the library's own name there is no "beside": a bare ".INI" would be
    // looked up relative to whatever the current folder is.
    if (file.IsEmpty()) return CString();
    CString iniName = env.GetBaseNameFromFileName(env.GetFileNameFromRelativePath(file)) + ".INI";
    CString iniPath = env.GetPathNameFromRelativePath(file);
    env.AddFileName(iniPath, iniName);
    return iniPath;
}

namespace {

// A value longer than the buffer is cut, and the cut may fall inside a double-byte
// character: the system then leaves that byte as it was (Wine) or writes the lone lead
// byte. Whole characters up to the first zero byte are the value.
CString ReadIniValue(const CString& iniPath, const char* key)
{
    char buf[kIniValueChars + 1] = {0};
    DWORD n = GetPrivateProfileStringA(regname::kIniSection, key, "", buf, sizeof buf, iniPath);
    int len = static_cast<int>(n < sizeof buf ? n : 0);
    if (const void* zero = std::memchr(buf, 0, static_cast<size_t>(len)))
        len = static_cast<int>(static_cast<const char*>(zero) - buf);
    if (len > 0 && cp932::CharStart(buf, len, len - 1) == len - 1 &&
        cp932::IsLeadByte(static_cast<unsigned char>(buf[len - 1])))
        --len;
    return CString(buf, len);
}

void LoadIniStep(const CEnvironObj& env)
{
    s_bIniLoaded = 1;
    s_strSetupPrefix.Empty();
    s_strMachineSuffix.Empty();
    s_strUserSuffix.Empty();
    CString iniPath = IniPathBesideLibrary(env);
    if (iniPath.IsEmpty() || env.IsExist(iniPath) != EXIST_FILE) return;
    s_strSetupPrefix = ReadIniValue(iniPath, regname::kIniSetup);
    s_strMachineSuffix = ReadIniValue(iniPath, regname::kIniMachineSuffix);
    s_strUserSuffix = ReadIniValue(iniPath, regname::kIniUserSuffix);
}

void LoadHomesStep(const CEnvironObj& env)
{
    s_bHomesLoaded = 1;
    s_strSetupSection = GetSetupSection(env);
    s_strHomeProgram.Empty();
    s_strHomeSystem.Empty();
    s_strHomeData.Empty();
    s_strHomeHelp.Empty();
    s_strHomeTemp.Empty();
    s_strServerQMS = "?";

    UniqueRegKey key = OpenMachineKey(env.GetApliChange(), s_strSetupSection, nullptr, nullptr, KEYOPEN_READ);
    if (!key) return;
    CString* const homes[6] = {&s_strHomeProgram, &s_strHomeSystem, &s_strHomeData,
                               &s_strHomeHelp,    &s_strHomeTemp,   &s_strServerQMS};
    for (int i = 0; i < 6; ++i) ReadRegString(key.get(), *homes[i], regname::kHomeValues[i], kRegTextLimit);
}

} // namespace

CString GetInstallType(const CEnvironObj& env, bool* fromCurrentWork)
{
    CString type;
    if (UniqueRegKey key = OpenUserKey(env.GetApliChange(), nullptr, regname::kCurrentWork, nullptr, KEYOPEN_READ))
        ReadRegString(key.get(), type, regname::kInstallType, kRegTextLimit);
    if (fromCurrentWork) *fromCurrentWork = !type.IsEmpty();
    if (type.IsEmpty())
        type = GetServerNameFromPath(env, LibraryFileName()).IsEmpty() ? regname::kTypeLocal : regname::kTypeNetwork;
    return type;
}

CString GetSetupSection(const CEnvironObj& env)
{
    return regname::kSetup + s_strSetupPrefix + GetInstallType(env);
}

void LoadSharedConfig(const CEnvironObj& env)
{
    if (!s_bIniLoaded) LoadIniStep(env);
    if (!s_bHomesLoaded) LoadHomesStep(env);
}

} // namespace genba

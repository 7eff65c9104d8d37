#include "version/moduleversion.h"

#include "version/profile.h"

#include <genbaenv/environ.h>
#include <genbaenv/version.h>

#include <cstring>
#include <new>

namespace {

const unsigned kMaxSubBlock = 256;   // a sub-block path is shorter than this
const int kAddStringChars = 256;

} // namespace

CModuleVersion::CModuleVersion(HMODULE hModule) : m_dwTranslation(0), m_dwVersionSize(0)
{
    char file[MAX_PATH + 1] = {0};
    const DWORD n = GetModuleFileNameA(hModule, file, sizeof file);
    if (n == 0 || n >= sizeof file) return;   // no name, or a cut one
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file, &ignored);
    if (size == 0) return;
    m_pVersionData.reset(new (std::nothrow) BYTE[size]);
    if (!m_pVersionData) return;
    if (!GetFileVersionInfoA(file, 0, size, m_pVersionData.get())) {
        m_pVersionData.reset();
        return;
    }
    m_dwVersionSize = size;
    if (const DWORD* translation = QueryTranslation()) SetTranslation(*translation);
}

CModuleVersion::~CModuleVersion() = default;

const void* CModuleVersion::QueryValue(const char* lpszSubBlock, UINT* puLen) const
{
    if (puLen) *puLen = 0;
    if (!m_pVersionData || !lpszSubBlock || std::strlen(lpszSubBlock) >= kMaxSubBlock) return nullptr;
    void* p = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(m_pVersionData.get(), lpszSubBlock, &p, &len) || !p) return nullptr;
    if (puLen) *puLen = len;
    return p;
}

const DWORD* CModuleVersion::QueryTranslation() const
{
    UINT len = 0;
    const void* p = QueryValue("\\VarFileInfo\\Translation", &len);
    return p && len >= 4 ? static_cast<const DWORD*>(p) : nullptr;
}

int CModuleVersion::GetStringValue(CString& out, const char* lpszName) const
{
    out.Empty();
    CString path;
    path.Format("\\StringFileInfo\\%04lX%04lX\\%s", static_cast<unsigned long>(LOWORD(m_dwTranslation)),
                static_cast<unsigned long>(HIWORD(m_dwTranslation)), lpszName ? lpszName : "");
    UINT len = 0;
    const char* p = static_cast<const char*>(QueryValue(path, &len));
    if (!p || len < 1) return 0;
    // The text ends at its zero, and never past the block the system filled.
    const BYTE* begin = m_pVersionData.get();
    const BYTE* at = reinterpret_cast<const BYTE*>(p);
    if (at < begin || at >= begin + m_dwVersionSize) return 0;
    const size_t room = static_cast<size_t>(begin + m_dwVersionSize - at);
    const void* zero = std::memchr(p, 0, room);
    out = CString(p, static_cast<int>(zero ? static_cast<const char*>(zero) - p : static_cast<ptrdiff_t>(room)));
    return 1;
}

namespace genba {

CString VersionInfPath(const CEnvironObj& env)
{
    CString path = env.GetPath(PATHKIND_PROGRAM_PROG);
    env.AddFileName(path, "VERSION.INF");
    return path;
}

CString VersionLine(const CModuleVersion& version, const CString& strVersionInf, bool& bFound)
{
    CString line;
    bFound = version.GetProductVersion(line) != 0;
    if (!bFound) return line;   // VERSION.INF is not read then
    const CString add = ReadProfileValue(strVersionInf, "Version", "AddString", kAddStringChars);
    if (!add.IsEmpty()) line += " " + add;
    return line;
}

} // namespace genba

CString GetProgramVersion(const CEnvironObj& env)
{
    try {
        CModuleVersion version(nullptr);
        bool found = false;
        return genba::VersionLine(version, genba::VersionInfPath(env), found);
    } catch (...) {
        return CString();
    }
}

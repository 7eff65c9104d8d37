// CModuleVersion: the version resource of one module file, read through the system's
// version functions, and the string values of its first translation.
#pragma once

#include <genbafw/cstring.h>

#include <windows.h>

#include <memory>

class CEnvironObj;

class CModuleVersion {
public:
    // Null: the executable of the calling process.
    explicit CModuleVersion(HMODULE hModule = nullptr);
    ~CModuleVersion();
    CModuleVersion(const CModuleVersion&) = delete;
    CModuleVersion& operator=(const CModuleVersion&) = delete;

    // Language identifier in the low word, code page in the high word.
    void SetTranslation(DWORD dwTranslation) { m_dwTranslation = dwTranslation; }

    // A pointer into the version data for a sub-block path (shorter than 256 bytes), or
    // null. *puLen is 0 first, the value's length on success.
    const void* QueryValue(const char* lpszSubBlock, UINT* puLen = nullptr) const;
    // The first entry of the translation table (4 bytes), or null.
    const DWORD* QueryTranslation() const;
    // 1 and the value when the current table has it with a length of at least 1; else 0
    // and an empty string.
    int GetStringValue(CString& out, const char* lpszName) const;

    int GetProductName(CString& out) const { return GetStringValue(out, "ProductName"); }
    int GetProductVersion(CString& out) const { return GetStringValue(out, "ProductVersion"); }
    int GetLegalNotice(CString& out) const { return GetStringValue(out, "LegalCopyright"); }

private:
    DWORD m_dwTranslation;                      // 0 until a translation is found
    std::unique_ptr<BYTE[]> m_pVersionData;     // the whole resource; null when there is none
    DWORD m_dwVersionSize;
};

namespace genba {

// <program home>\PROG\VERSION.INF (the bare name when the program home is not set).
CString VersionInfPath(const CEnvironObj& env);
// The version line of GetProgramVersion; bFound says whether the product version
// itself was found (it may be found and empty).
CString VersionLine(const CModuleVersion& version, const CString& strVersionInf, bool& bFound);

} // namespace genba

// CFileFind: a folder search that always closes its search handle. The system is asked
// for every entry (pattern "*") and an entry counts only when its own name matches the
// caller's pattern (MatchWildcard): 8.3 short names never make a match.
//
// Usage, as with the familiar class: FindFile(pattern) says whether anything matched;
// then call FindNextFile() before reading each entry. FindNextFile() returns FALSE when
// the entry it just made current is the last one; that entry is valid and must be
// processed too.
#pragma once

#include <genbafw/cstring.h>
#include <genbafw/fwdefs.h>
#include <genbafw/handle.h>

class GENBAFW_API CFileFind {
public:
    CFileFind();
    ~CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // pattern: folder\namepattern; null or empty means "*.*" in the current directory.
    BOOL FindFile(const char* pattern = nullptr, DWORD unused = 0);
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;   // name of the current entry, no folder part
    CString GetFilePath() const;   // folder of the pattern joined with the name
    CString GetRoot() const;       // folder of the pattern, as given
    DWORD GetAttributes() const;

    BOOL IsDirectory() const;
    BOOL IsHidden() const;
    BOOL IsReadOnly() const;
    BOOL IsReparsePoint() const;
    BOOL IsDots() const;           // "." or ".." (folders only)

private:
    struct Impl;
    bool ReadAheadMatching(bool untested);

    Impl* m_pImpl;
};

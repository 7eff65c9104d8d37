// The system is asked for every entry of the folder ("folder\*") and the caller's name
// pattern is applied here to each entry's own name. Asking the system with the caller's
// pattern would also match 8.3 short names (TOKYO~1.001 for Tokyo.0012), and Wine's '?'
// never matches an empty position.
//
// One entry is read ahead, so that FindNextFile can say whether the entry it makes
// current is the last one; the search handle is closed as soon as nothing is left.
#include <genbafw/filefind.h>

#include <genbafw/cp932.h>
#include <genbafw/wildcard.h>

#include <new>

struct CFileFind::Impl {
    genba::UniqueFindHandle hFind;
    CString strRoot;          // folder part of the caller's pattern, as given
    CString strNamePattern;   // name part of the caller's pattern
    WIN32_FIND_DATAA current;
    WIN32_FIND_DATAA next;
    bool bHasCurrent = false;
    bool bHasNext = false;
};

namespace {

bool IsSeparatorAt(const char* s, int len, int pos)
{
    return genba::cp932::NextPos(s, len, pos) - pos == 1 && (s[pos] == '\\' || s[pos] == '/');
}

bool IsDriveOnly(const CString& s)
{
    return s.GetLength() == 2 && s[1] == ':' && genba::cp932::IsAlphaByte(static_cast<unsigned char>(s[0]));
}

// folder + name, with a separator only where the folder does not already end in one.
CString JoinToFolder(const CString& folder, const char* name)
{
    if (folder.IsEmpty()) return CString(name);
    CString r(folder);
    const char* s = folder;
    int len = folder.GetLength();
    int last = genba::cp932::CharStart(s, len, len - 1);
    if (!IsSeparatorAt(s, len, last) && !IsDriveOnly(folder)) r += '\\';
    r += name;
    return r;
}

// Splits "folder\name" at the last separator (character-wise, so a trail byte 5C is
// not one). A root keeps its separator ("C:\", "\"); "C:name" splits after the colon.
void SplitPattern(const CString& pattern, CString& folder, CString& name)
{
    const char* s = pattern;
    int len = pattern.GetLength();
    int lastSep = -1;
    for (int p = 0; p < len; p = genba::cp932::NextPos(s, len, p))
        if (IsSeparatorAt(s, len, p)) lastSep = p;
    if (lastSep < 0) {
        bool drive = len >= 2 && s[1] == ':' && genba::cp932::IsAlphaByte(static_cast<unsigned char>(s[0]));
        folder = drive ? pattern.Left(2) : CString();
        name = drive ? pattern.Mid(2) : pattern;
        return;
    }
    bool isRoot = lastSep == 0 || (lastSep == 2 && IsDriveOnly(pattern.Left(2)));
    folder = pattern.Left(isRoot ? lastSep + 1 : lastSep);
    name = pattern.Mid(lastSep + 1);
}

} // namespace

CFileFind::CFileFind() : m_pImpl(new (std::nothrow) Impl) {}

CFileFind::~CFileFind()
{
    Close();
    delete m_pImpl;
}

void CFileFind::Close()
{
    if (!m_pImpl) return;
    m_pImpl->hFind.reset();
    m_pImpl->bHasCurrent = false;
    m_pImpl->bHasNext = false;
}

// Reads on to the next entry whose own name matches; closes the search when none is left.
// untested: the entry in `next` has been read but not yet tested.
bool CFileFind::ReadAheadMatching(bool untested)
{
    Impl& d = *m_pImpl;
    for (;;) {
        if (!untested && !::FindNextFileA(d.hFind.get(), &d.next)) break;
        untested = false;
        if (genba::MatchWildcard(d.strNamePattern, d.next.cFileName)) {
            d.bHasNext = true;
            return true;
        }
    }
    d.bHasNext = false;
    d.hFind.reset();
    return false;
}

BOOL CFileFind::FindFile(const char* pattern, DWORD)
{
    Close();
    if (!m_pImpl) return FALSE;
    Impl& d = *m_pImpl;
    CString full = (pattern && *pattern) ? CString(pattern) : CString("*.*");
    SplitPattern(full, d.strRoot, d.strNamePattern);
    CString systemPattern = JoinToFolder(d.strRoot, "*");
    d.hFind.reset(::FindFirstFileA(systemPattern, &d.next));
    if (!d.hFind) return FALSE;
    return ReadAheadMatching(true) ? TRUE : FALSE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_pImpl || !m_pImpl->bHasNext) return FALSE;
    Impl& d = *m_pImpl;
    d.current = d.next;
    d.bHasCurrent = true;
    return ReadAheadMatching(false) ? TRUE : FALSE;
}

CString CFileFind::GetFileName() const
{
    if (!m_pImpl || !m_pImpl->bHasCurrent) return CString();
    return CString(m_pImpl->current.cFileName);
}

CString CFileFind::GetFilePath() const
{
    if (!m_pImpl || !m_pImpl->bHasCurrent) return CString();
    return JoinToFolder(m_pImpl->strRoot, m_pImpl->current.cFileName);
}

CString CFileFind::GetRoot() const { return m_pImpl ? m_pImpl->strRoot : CString(); }

DWORD CFileFind::GetAttributes() const
{
    if (!m_pImpl || !m_pImpl->bHasCurrent) return 0;
    return m_pImpl->current.dwFileAttributes;
}

BOOL CFileFind::IsDirectory() const { return (GetAttributes() & FILE_ATTRIBUTE_DIRECTORY) ? TRUE : FALSE; }
BOOL CFileFind::IsHidden() const { return (GetAttributes() & FILE_ATTRIBUTE_HIDDEN) ? TRUE : FALSE; }
BOOL CFileFind::IsReadOnly() const { return (GetAttributes() & FILE_ATTRIBUTE_READONLY) ? TRUE : FALSE; }
BOOL CFileFind::IsReparsePoint() const { return (GetAttributes() & FILE_ATTRIBUTE_REPARSE_POINT) ? TRUE : FALSE; }

BOOL CFileFind::IsDots() const
{
    if (!IsDirectory()) return FALSE;
    const char* n = m_pImpl->current.cFileName;
    return (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) ? TRUE : FALSE;
}

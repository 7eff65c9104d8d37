#include "pathname/pathops.h"

#include <genbafw/cp932.h>

namespace genba {
namespace path {

namespace {

const char kSep = '\\';

bool IsForbiddenByte(unsigned char c)
{
    switch (c) {
    case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
        return true;
    default:
        return (c >= 0x01 && c <= 0x1F) || c == 0x7F;
    }
}

// Volume part length of a UNC path, or 0 when it has no server and share (see
// GetVolumePath).
int UncVolumeLength(const CString& p)
{
    int endServer = p.Find(kSep, 2);
    if (endServer <= 2) return 0;
    int endShare = p.Find(kSep, endServer + 1);
    return endShare < 0 ? p.GetLength() : endShare;
}

} // namespace

bool IsUncPath(const CString& p)
{
    return p.GetLength() > 2 && p[0] == kSep && p[1] == kSep;
}

bool IsDriveQualified(const CString& p)
{
    return p.GetLength() >= 2 && cp932::IsAlphaByte(static_cast<unsigned char>(p[0])) && p[1] == ':';
}

bool IsDriveAbsolute(const CString& p)
{
    return IsDriveQualified(p) && p.GetLength() >= 3 && p[2] == kSep;
}

CString CurrentDirForDrive(char drive, const CString& cwd)
{
    // Without a current directory there is no telling whether it lies on that drive.
    if (cwd.IsEmpty()) return CString();
    unsigned char letter = static_cast<unsigned char>(drive);
    if (!cp932::IsAlphaByte(letter)) return cwd;
    CString cur = GetDrive(cwd);
    unsigned char upper = cp932::UpperByte(letter);
    if (!cur.IsEmpty() && cp932::UpperByte(static_cast<unsigned char>(cur[0])) == upper) return cwd;
    CString root;
    root += static_cast<char>(upper);
    root += ":\\";
    return root;
}

namespace {
// A directory of more than three bytes is not a drive root and needs a separator.
CString JoinUnderDir(const CString& dir, const CString& rest)
{
    CString r(dir);
    if (r.GetLength() > 3) r += kSep;
    r += rest;
    return r;
}
} // namespace

CString FullPathFrom(const CString& p, const CString& cwd)
{
    if (IsUncPath(p)) return p;
    if (IsDriveAbsolute(p)) return p;
    // Every other shape is completed from the current directory; when the system could
    // not report one, an answer would be a guess.
    if (cwd.IsEmpty()) return CString();
    if (IsDriveQualified(p)) return JoinUnderDir(CurrentDirForDrive(p[0], cwd), p.Mid(2));
    if (!p.IsEmpty() && p[0] == kSep) return GetDrive(cwd) + p;
    if (p.IsEmpty()) return cwd;
    return JoinUnderDir(cwd, p);
}

CString GetDrive(const CString& p)
{
    return IsDriveQualified(p) ? p.Left(2) : CString();
}

CString GetVolumePath(const CString& p)
{
    if (IsUncPath(p)) return p.Left(UncVolumeLength(p));
    if (IsDriveQualified(p)) return p.Left(2);
    return CString();
}

CString GetRelativePath(const CString& p)
{
    if (IsUncPath(p)) return p.Mid(UncVolumeLength(p));
    if (IsDriveQualified(p)) return p.Mid(2);
    return p;
}

CString GetPathNameFromRelativePath(const CString& p)
{
    int last = p.ReverseFind(kSep);
    return last < 0 ? CString() : p.Left(last + 1);
}

CString GetDirNameFromRelativePath(const CString& p)
{
    int last = p.ReverseFind(kSep);
    return last < 0 ? CString() : p.Left(last);
}

CString GetFileNameFromRelativePath(const CString& p)
{
    int last = p.ReverseFind(kSep);
    return last < 0 ? p : p.Mid(last + 1);
}

CString GetBaseNameFromFileName(const CString& n)
{
    int dot = n.ReverseFind('.');
    return dot < 0 ? n : n.Left(dot);
}

CString GetExtNameFromFileName(const CString& n)
{
    int dot = n.ReverseFind('.');
    return dot < 0 ? CString() : n.Mid(dot);
}

int IsValidFileName(const CString& n)
{
    int len = n.GetLength();
    if (len == 0) return 0;
    if (len >= 260) return len;
    if (n == ".") return 0;
    if (n == "..") return 1;
    const char* s = n;
    for (int p = 0; p < len; p = cp932::NextPos(s, len, p)) {
        // Only a single-byte character can be forbidden; a trail byte never is.
        if (cp932::NextPos(s, len, p) - p == 1 && IsForbiddenByte(static_cast<unsigned char>(s[p]))) return p;
        // An embedded zero byte ends the name as the system would see it.
        if (s[p] == '\0') return p;
    }
    return -1;
}

void AddFileName(CString& p, const CString& n)
{
    if (n.IsEmpty()) return;
    if (p.IsEmpty()) {
        p = n;
        return;
    }
    if (p.GetLength() == 2 && IsDriveQualified(p)) {
        p += n;
        return;
    }
    // Trailing separators are found character-wise: a trail byte 5C stays.
    const char* s = p;
    int len = p.GetLength();
    int keep = 0;
    for (int q = 0; q < len; q = cp932::NextPos(s, len, q)) {
        int next = cp932::NextPos(s, len, q);
        bool sep = next - q == 1 && (s[q] == '\\' || s[q] == '/');
        if (!sep) keep = next;
    }
    CString r = p.Left(keep);
    r += kSep;
    r += n;
    p = r;
}

CString GetShareNameFromUNCPath(const CString& p)
{
    if (!IsUncPath(p)) return CString();
    int vol = UncVolumeLength(p);
    return vol == 0 ? CString() : p.Left(vol);
}

CString GetServerNameFromShareName(const CString& s)
{
    if (!IsUncPath(s)) return CString();
    CString rest = s.Mid(2);
    int sep = rest.Find(kSep);
    if (sep >= 1 && sep + 1 < rest.GetLength()) return rest.Left(sep);
    return CString();
}

} // namespace path
} // namespace genba

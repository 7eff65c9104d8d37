// Every pure path and file-name operation on any bytes. Input: the path, then (split at
// zero bytes) a current directory, a name to join and a drive byte. The path is also
// taken whole, zero bytes included.
#include "fuzzcheck.h"

#include "pathname/pathops.h"

#include <genbafw/cp932.h>

using namespace genba::path;
using fuzzcheck::Chars;
using fuzzcheck::EndsWith;
using fuzzcheck::IsPrefixPart;
using fuzzcheck::IsSuffixPart;
using fuzzcheck::SameBytes;

namespace {

bool IsForbidden(unsigned char c)
{
    return c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
           c == '|' || (c >= 0x01 && c <= 0x1F) || c == 0x7F;
}

void CheckShapes(const CString& p)
{
    int len = p.GetLength();
    bool unc = IsUncPath(p), qualified = IsDriveQualified(p), absolute = IsDriveAbsolute(p);
    FUZZ_CHECK(unc == (len > 2 && p[0] == '\\' && p[1] == '\\'));
    FUZZ_CHECK(qualified == (len >= 2 && genba::cp932::IsAlphaByte(static_cast<unsigned char>(p[0])) && p[1] == ':'));
    FUZZ_CHECK(absolute == (qualified && len >= 3 && p[2] == '\\'));
    FUZZ_CHECK(!(unc && qualified));

    CString drive = GetDrive(p);
    FUZZ_CHECK(qualified ? SameBytes(drive, p.Left(2)) : drive.IsEmpty());
}

void CheckVolumeSplit(const CString& p)
{
    CString vol = GetVolumePath(p), rel = GetRelativePath(p);
    FUZZ_CHECK(SameBytes(vol + rel, p));
    FUZZ_CHECK(IsPrefixPart(p, vol));
    if (IsUncPath(p)) {
        // Two backslashes, a server of one character or more, a backslash, the share.
        if (!vol.IsEmpty()) {
            Chars c(vol);
            int endServer = c.First('\\', 2);
            FUZZ_CHECK(endServer > 2);
            FUZZ_CHECK(c.First('\\', endServer + 1) < 0);
        }
        FUZZ_CHECK(rel.IsEmpty() || vol.IsEmpty() || rel[0] == '\\');
    } else if (IsDriveQualified(p)) {
        FUZZ_CHECK(vol.GetLength() == 2);
    } else {
        FUZZ_CHECK(vol.IsEmpty());
    }
}

void CheckDirFileSplit(const CString& p)
{
    CString dir = GetDirNameFromRelativePath(p), withSep = GetPathNameFromRelativePath(p),
            file = GetFileNameFromRelativePath(p);
    int last = Chars(p).Last('\\');
    if (last < 0) {
        FUZZ_CHECK(dir.IsEmpty() && withSep.IsEmpty() && SameBytes(file, p));
        return;
    }
    FUZZ_CHECK(SameBytes(dir + "\\" + file, p));
    FUZZ_CHECK(SameBytes(withSep, dir + "\\"));
    FUZZ_CHECK(IsPrefixPart(p, dir));
    FUZZ_CHECK(IsSuffixPart(p, file));
    FUZZ_CHECK(Chars(file).First('\\') < 0);
}

void CheckBaseExtSplit(const CString& n)
{
    CString base = GetBaseNameFromFileName(n), ext = GetExtNameFromFileName(n);
    FUZZ_CHECK(SameBytes(base + ext, n));
    FUZZ_CHECK(IsPrefixPart(n, base));
    FUZZ_CHECK(ext.IsEmpty() == (Chars(n).First('.') < 0));
    if (!ext.IsEmpty()) {
        FUZZ_CHECK(ext[0] == '.');
        FUZZ_CHECK(Chars(ext).First('.', 1) < 0);
    }
}

void CheckValidFileName(const CString& n)
{
    int len = n.GetLength();
    int r = IsValidFileName(n);
    // First single-byte character that is forbidden or a zero byte.
    int fault = -1;
    Chars c(n);
    for (int p : c.Starts()) {
        unsigned char b = static_cast<unsigned char>(n[p]);
        if (c.Width(p) == 1 && (b == 0 || IsForbidden(b))) {
            fault = p;
            break;
        }
    }
    if (len == 0) FUZZ_CHECK(r == 0);
    else if (len >= 260) FUZZ_CHECK(r == len);
    // "." and ".." as the system would see them, up to a zero byte.
    else if (n == ".") FUZZ_CHECK(r == 0);
    else if (n == "..") FUZZ_CHECK(r == 1);
    else FUZZ_CHECK(r == fault);
    // -1 only for a name without a forbidden byte; else a position inside the name, or
    // the length as the fault code of a name that is empty or too long.
    FUZZ_CHECK(r >= -1 && r <= len);
    if (r == -1) FUZZ_CHECK(fault < 0 && len > 0 && len < 260);
    if (r == len) FUZZ_CHECK(len == 0 || len >= 260);
}

void CheckUnary(const CString& p)
{
    CheckShapes(p);
    CheckVolumeSplit(p);
    CheckDirFileSplit(p);
    CheckBaseExtSplit(p);
    CheckBaseExtSplit(GetFileNameFromRelativePath(p));
    CheckValidFileName(p);
    CheckValidFileName(GetFileNameFromRelativePath(p));
}

void CheckAddFileName(const CString& path, const CString& name)
{
    CString r(path);
    AddFileName(r, name);
    if (name.IsEmpty()) {
        FUZZ_CHECK(SameBytes(r, path));
    } else if (path.IsEmpty()) {
        FUZZ_CHECK(SameBytes(r, name));
    } else if (path.GetLength() == 2 && IsDriveQualified(path)) {
        FUZZ_CHECK(SameBytes(r, path + name));
    } else {
        // The path without its trailing separators, one backslash, the name unchanged.
        FUZZ_CHECK(EndsWith(r, "\\" + name));
        int stem = r.GetLength() - name.GetLength() - 1;
        Chars c(path);
        FUZZ_CHECK(IsPrefixPart(path, r.Left(stem)));
        for (int q : c.Starts())
            if (q >= stem) FUZZ_CHECK(c.SingleAt(q, '\\') || c.SingleAt(q, '/'));
        if (stem > 0) {
            int lastStart = 0;
            for (int q : c.Starts())
                if (q < stem) lastStart = q;
            FUZZ_CHECK(!c.SingleAt(lastStart, '\\') && !c.SingleAt(lastStart, '/'));
        }
    }
}

// The system reports a current directory as whole characters; only then can a join be
// expected to leave the path's characters as they were.
bool EndsInLoneLead(const CString& s)
{
    if (s.IsEmpty()) return false;
    Chars c(s);
    int last = c.Starts().back();
    return c.Width(last) == 1 && fuzzcheck::IsLead(static_cast<unsigned char>(s[last]));
}

CString JoinUnder(const CString& dir, const CString& rest) { return dir.GetLength() > 3 ? dir + "\\" + rest : dir + rest; }

void CheckFullPath(const CString& p, const CString& cwd)
{
    CString r = FullPathFrom(p, cwd);
    CString tail;   // the part of p that the result keeps at its end
    if (IsUncPath(p) || IsDriveAbsolute(p)) {
        FUZZ_CHECK(SameBytes(r, p));
        return;
    }
    // Without a current directory nothing else can be completed.
    if (cwd.IsEmpty()) {
        FUZZ_CHECK(r.IsEmpty());
        return;
    }
    if (IsDriveQualified(p)) {
        FUZZ_CHECK(SameBytes(r, JoinUnder(CurrentDirForDrive(p[0], cwd), p.Mid(2))));
        tail = p.Mid(2);
    } else if (!p.IsEmpty() && p[0] == '\\') {
        FUZZ_CHECK(SameBytes(r, GetDrive(cwd) + p));
        tail = p;
    } else if (p.IsEmpty()) {
        FUZZ_CHECK(SameBytes(r, cwd));
    } else {
        FUZZ_CHECK(SameBytes(r, JoinUnder(cwd, p)));
        tail = p;
    }
    if (!EndsInLoneLead(cwd)) FUZZ_CHECK(Chars(r).Boundary(r.GetLength() - tail.GetLength()));
    // Against a directory the system could report, the result is absolute, except for a
    // rooted path under a UNC directory, which has no drive to take.
    bool rootedUnderUnc = !p.IsEmpty() && p[0] == '\\' && IsUncPath(cwd);
    if ((IsDriveAbsolute(cwd) || IsUncPath(cwd)) && !rootedUnderUnc) FUZZ_CHECK(IsDriveAbsolute(r) || IsUncPath(r));
}

void CheckCurrentDirForDrive(char drive, const CString& cwd)
{
    CString r = CurrentDirForDrive(drive, cwd);
    unsigned char d = static_cast<unsigned char>(drive);
    if (cwd.IsEmpty()) {
        FUZZ_CHECK(r.IsEmpty());
        return;
    }
    if (!genba::cp932::IsAlphaByte(d)) {
        FUZZ_CHECK(SameBytes(r, cwd));
        return;
    }
    CString cur = GetDrive(cwd);
    unsigned char upper = genba::cp932::UpperByte(d);
    if (!cur.IsEmpty() && genba::cp932::UpperByte(static_cast<unsigned char>(cur[0])) == upper) {
        FUZZ_CHECK(SameBytes(r, cwd));
    } else {
        FUZZ_CHECK(r.GetLength() == 3 && static_cast<unsigned char>(r[0]) == upper && r[1] == ':' && r[2] == '\\');
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > fuzzcheck::kMaxInput) return 0;
    fuzzcheck::Input in(data, size, 4);
    const CString& path = in.fields[0];
    const CString& cwd = in.fields[1];
    const CString& name = in.fields[2];
    char drive = in.fields[3].IsEmpty() ? path.GetAt(0) : in.fields[3][0];

    CheckUnary(in.whole);
    for (const CString& f : in.fields) CheckUnary(f);
    CheckAddFileName(path, name);
    CheckAddFileName(in.whole, name);
    CheckFullPath(path, cwd);
    CheckFullPath(in.whole, cwd);
    CheckCurrentDirForDrive(drive, cwd);
    CheckCurrentDirForDrive(path.GetAt(0), cwd);
    return 0;
}

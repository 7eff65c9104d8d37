// CString searches, slicing, case changes, trimming and buffer access on any bytes.
// Input: the string (taken whole, zero bytes included, and as its first field), then,
// split at zero bytes, a substring to find, a character set and a second string.
#include "fuzzcheck.h"

#include <genbafw/cp932.h>

#include <climits>

using fuzzcheck::Chars;
using fuzzcheck::SameBytes;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// Counts and positions worth trying on a string of len bytes: the edges, the integer
// limits, and a few picked by the input.
std::vector<int> Positions(int len, const CString& picks)
{
    std::vector<int> v{INT_MIN, -1, 0, 1, 2, len - 2, len - 1, len, len + 1, INT_MAX};
    if (len <= 48) {
        for (int i = 3; i < len - 2; ++i) v.push_back(i);
    } else {
        for (int i = 0; i < picks.GetLength() && i < 8; ++i)
            v.push_back(static_cast<int>((static_cast<unsigned>(static_cast<unsigned char>(picks[i])) * 257u +
                                          static_cast<unsigned>(i) * 7919u) % static_cast<unsigned>(len + 1)));
    }
    return v;
}

int ModelFindChar(const CString& s, const Chars& c, char ch, int start)
{
    if (ch == '\0') return -1;
    for (int p : c.Starts())
        if (p >= start && c.Width(p) == 1 && s[p] == ch) return p;
    return -1;
}

int ModelFindSub(const CString& s, const Chars& c, const char* sub, int start)
{
    int n = static_cast<int>(std::strlen(sub));
    if (n == 0 || start > s.GetLength()) return -1;
    for (int p : c.Starts())
        if (p >= start && c.Boundary(p + n) &&
            std::memcmp(static_cast<const char*>(s) + p, sub, static_cast<size_t>(n)) == 0)
            return p;
    return -1;
}

int ModelFindOneOf(const CString& s, const char* set)
{
    int nSet = static_cast<int>(std::strlen(set));
    Chars cs(s), cset(set, nSet);
    for (int p : cs.Starts()) {
        int w = cs.Width(p);
        if (s[p] == '\0') continue;
        for (int q : cset.Starts())
            if (cset.Width(q) == w && std::memcmp(static_cast<const char*>(s) + p, set + q, static_cast<size_t>(w)) == 0)
                return p;
    }
    return -1;
}

void CheckConstruction(const uint8_t* data, size_t size, const CString& s)
{
    FUZZ_CHECK(s.GetLength() == static_cast<int>(size));
    FUZZ_CHECK(size == 0 || std::memcmp(static_cast<const char*>(s), data, size) == 0);
    FUZZ_CHECK(static_cast<const char*>(s)[size] == '\0');
    FUZZ_CHECK(s.GetAt(-1) == '\0' && s.GetAt(s.GetLength()) == '\0');
    CString copy(s), moved(std::move(copy));
    FUZZ_CHECK(SameBytes(moved, s) && copy.IsEmpty());
}

void CheckSearches(const CString& s, const CString& sub, const CString& set)
{
    int len = s.GetLength();
    Chars c(s);
    std::vector<char> chars{'\\', '.', '|', '\0', '\x5C', '\x7C', '\x81', '\xFC', ' '};
    for (int i = 0; i < sub.GetLength() && i < 4; ++i) chars.push_back(sub[i]);
    for (char ch : chars) {
        FUZZ_CHECK(s.Find(ch) == ModelFindChar(s, c, ch, 0));
        for (int start : Positions(len, sub)) FUZZ_CHECK(s.Find(ch, start) == ModelFindChar(s, c, ch, start));
        int last = -1;
        if (ch != '\0')
            for (int p : c.Starts())
                if (c.Width(p) == 1 && s[p] == ch) last = p;
        FUZZ_CHECK(s.ReverseFind(ch) == last);
    }
    FUZZ_CHECK(s.Find(static_cast<const char*>(sub)) == ModelFindSub(s, c, sub, 0));
    for (int start : Positions(len, set))
        FUZZ_CHECK(s.Find(static_cast<const char*>(sub), start) == ModelFindSub(s, c, sub, start));
    FUZZ_CHECK(s.FindOneOf(set) == ModelFindOneOf(s, set));
    FUZZ_CHECK(s.Find(static_cast<const char*>(nullptr)) == -1 && s.FindOneOf(nullptr) == -1);
}

void CheckSlicing(const CString& s, const CString& picks)
{
    int len = s.GetLength();
    for (int n : Positions(len, picks)) {
        CString left = s.Left(n), mid = s.Mid(n), right = s.Right(n);
        int k = n < 0 ? 0 : (n > len ? len : n);
        FUZZ_CHECK(left.GetLength() == k && right.GetLength() == k);
        FUZZ_CHECK(SameBytes(left + mid, s));
        FUZZ_CHECK(SameBytes(right, s.Mid(len - k)));
        for (int count : {INT_MIN, -1, 0, 1, 2, len, INT_MAX}) {
            CString part = s.Mid(n, count);
            int avail = len - k;
            int want = count < 0 ? 0 : (count > avail ? avail : count);
            FUZZ_CHECK(part.GetLength() == want);
            FUZZ_CHECK(want == 0 || std::memcmp(static_cast<const char*>(part), static_cast<const char*>(s) + k,
                                                static_cast<size_t>(want)) == 0);
        }
    }
}

// The characters of a terminated string as numbers: a double-byte character as
// lead * 256 + trail, any other byte as itself.
std::vector<unsigned> CharNumbers(const char* s)
{
    Chars c(s, static_cast<int>(std::strlen(s)));
    std::vector<unsigned> v;
    for (int p : c.Starts()) {
        unsigned char b0 = static_cast<unsigned char>(s[p]);
        v.push_back(c.Width(p) == 2 ? (b0 << 8 | static_cast<unsigned char>(s[p + 1])) : b0);
    }
    v.push_back(0);
    return v;
}

unsigned FoldLower(unsigned ch)
{
    if (ch >= 'A' && ch <= 'Z') return ch - 'A' + 'a';
    if (ch >= 0x8260 && ch <= 0x8279) return ch + 0x21;   // full-width capitals
    return ch;
}

int ModelCompare(const char* a, const char* b, bool noCase)
{
    std::vector<unsigned> x = CharNumbers(a), y = CharNumbers(b);
    for (size_t i = 0;; ++i) {
        unsigned cx = noCase ? FoldLower(x[i]) : x[i], cy = noCase ? FoldLower(y[i]) : y[i];
        if (cx != cy) return cx < cy ? -1 : 1;
        if (cx == 0) return 0;
    }
}

void CheckCompare(const CString& a, const CString& b)
{
    CString la(a), lb(b), ua(a);
    la.MakeLower();
    lb.MakeLower();
    ua.MakeUpper();
    FUZZ_CHECK(a.Compare(a) == 0 && a.CompareNoCase(a) == 0 && a.CompareNoCase(ua) == 0 && a.CompareNoCase(la) == 0);
    FUZZ_CHECK((a.Compare(b) == 0) == (std::strcmp(a, b) == 0));
    FUZZ_CHECK(Sign(a.Compare(b)) == ModelCompare(a, b, false));
    FUZZ_CHECK(Sign(a.CompareNoCase(b)) == ModelCompare(a, b, true));
    FUZZ_CHECK(Sign(a.CompareNoCase(b)) == -Sign(b.CompareNoCase(a)));
    FUZZ_CHECK(Sign(a.CompareNoCase(b)) == Sign(la.Compare(lb)));
}

void CheckCaseChanges(const CString& s)
{
    CString upper(s), lower(s);
    upper.MakeUpper();
    lower.MakeLower();
    FUZZ_CHECK(upper.GetLength() == s.GetLength() && lower.GetLength() == s.GetLength());
    Chars c(s);
    for (int p = 0; p < s.GetLength(); ++p) {
        unsigned char b = static_cast<unsigned char>(s[p]);
        unsigned char u = static_cast<unsigned char>(upper[p]), l = static_cast<unsigned char>(lower[p]);
        if (!c.Boundary(p)) {
            // A trail byte changes only as part of a full-width letter.
            unsigned char lead = static_cast<unsigned char>(s[p - 1]);
            bool wideSmall = lead == 0x82 && b >= 0x81 && b <= 0x9A, wideCapital = lead == 0x82 && b >= 0x60 && b <= 0x79;
            FUZZ_CHECK(u == (wideSmall ? b - 0x21 : b));
            FUZZ_CHECK(l == (wideCapital ? b + 0x21 : b));
            continue;
        }
        FUZZ_CHECK(u == (c.Width(p) == 1 && b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b));
        FUZZ_CHECK(l == (c.Width(p) == 1 && b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b));
    }
}

void CheckTrim(const CString& s)
{
    CString right(s), left(s);
    right.TrimRight();
    left.TrimLeft();
    FUZZ_CHECK(fuzzcheck::IsPrefixPart(s, right));
    FUZZ_CHECK(fuzzcheck::EndsWith(s, left));
    for (int p = right.GetLength(); p < s.GetLength(); ++p) FUZZ_CHECK(IsBlank(s[p]));
    for (int p = 0; p < s.GetLength() - left.GetLength(); ++p) FUZZ_CHECK(IsBlank(s[p]));
    FUZZ_CHECK(left.IsEmpty() || !IsBlank(left[0]));
    if (!right.IsEmpty()) {
        Chars c(right);
        int last = c.Starts().back();
        FUZZ_CHECK(c.Width(last) == 2 || !IsBlank(right[last]));
    }
}

void CheckBuffers(const CString& s, const CString& picks)
{
    int len = s.GetLength();
    for (int n : {0, 1, len, len + 1, len + 17}) {
        CString t(s);
        char* buf = t.GetBuffer(n);
        int room = n < len ? len : n;
        FUZZ_CHECK(len == 0 || std::memcmp(buf, static_cast<const char*>(s), static_cast<size_t>(len)) == 0);
        // Every byte of the room filled, no terminator: the length stops at the room.
        std::memset(buf, 'x', static_cast<size_t>(room));
        t.ReleaseBuffer(-1);
        FUZZ_CHECK(t.GetLength() == room);
        t.ReleaseBuffer(room + 100);
        FUZZ_CHECK(t.GetLength() <= room + 100);
    }
    CString t(s);
    char* buf = t.GetBufferSetLength(len + 3);
    FUZZ_CHECK(buf[len + 3] == '\0' && t.GetLength() == len + 3);
    t.ReleaseBuffer(len);
    FUZZ_CHECK(SameBytes(t, s));

    // Appending and assigning a string's own bytes.
    CString twice(s);
    twice += twice;
    FUZZ_CHECK(SameBytes(twice, s + s));
    for (int k : Positions(len, picks)) {
        if (k < 0 || k > len) continue;
        CString a(s);
        a.Append(static_cast<const char*>(a) + k, len - k);
        FUZZ_CHECK(SameBytes(a, s + s.Mid(k)));
        CString b(s);
        b = static_cast<const char*>(b) + k;
        FUZZ_CHECK(b == static_cast<const char*>(s) + k);
    }
}

void CheckCp932(const CString& s)
{
    const char* p = s;
    int len = s.GetLength();
    Chars c(s);
    // CharStart rescans from the start: every position of a short string, a few of a long one.
    std::vector<int> positions;
    if (len <= 64) {
        for (int pos = 0; pos <= len; ++pos) positions.push_back(pos);
    } else {
        positions = Positions(len, s);
    }
    for (int pos : positions) {
        if (pos < 0 || pos > len) continue;
        FUZZ_CHECK(genba::cp932::IsCharBoundary(p, len, pos) == c.Boundary(pos));
        int start = genba::cp932::CharStart(p, len, pos);
        FUZZ_CHECK(c.Boundary(start) && start <= pos && (start == pos || pos < start + c.Width(start)));
        if (pos < len && c.Boundary(pos)) FUZZ_CHECK(genba::cp932::NextPos(p, len, pos) == pos + c.Width(pos));
    }
    FUZZ_CHECK(genba::cp932::NextPos(p, len, len) == len);
}

void CheckAll(const uint8_t* data, size_t size, const CString& s, const fuzzcheck::Input& in)
{
    if (data) CheckConstruction(data, size, s);
    CheckSearches(s, in.fields[1], in.fields[2]);
    CheckSlicing(s, in.fields[1]);
    CheckCompare(s, in.fields[3]);
    CheckCaseChanges(s);
    CheckTrim(s);
    CheckBuffers(s, in.fields[2]);
    CheckCp932(s);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > fuzzcheck::kMaxInput) return 0;
    fuzzcheck::Input in(data, size, 4);
    CheckAll(data, size, in.whole, in);
    CheckAll(nullptr, 0, in.fields[0], in);
    return 0;
}

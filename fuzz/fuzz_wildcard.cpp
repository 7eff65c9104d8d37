// The wildcard matcher on any pattern and name. Input: the pattern, a zero byte, the name.
#include "fuzzcheck.h"

#include <genbafw/wildcard.h>

using fuzzcheck::Chars;
using genba::MatchWildcard;

namespace {

bool HasWildcard(const CString& s)
{
    Chars c(s);
    return c.First('*') >= 0 || c.First('?') >= 0;
}

// Single-byte letters to one case, whole characters only; `up` chooses the case.
CString FoldSingleBytes(const CString& s, bool up)
{
    CString r(s);
    Chars c(s);
    for (int p : c.Starts()) {
        if (c.Width(p) != 1) continue;
        char b = s[p];
        if (up && b >= 'a' && b <= 'z') r.SetAt(p, static_cast<char>(b - 'a' + 'A'));
        if (!up && b >= 'A' && b <= 'Z') r.SetAt(p, static_cast<char>(b - 'A' + 'a'));
    }
    return r;
}

bool EndsInLoneLead(const CString& s)
{
    if (s.IsEmpty()) return false;
    Chars c(s);
    int last = c.Starts().back();
    return c.Width(last) == 1 && fuzzcheck::IsLead(static_cast<unsigned char>(s[last]));
}

// Every character except the dots replaced by '?'.
CString QuestionMarks(const CString& name)
{
    CString r;
    Chars c(name);
    for (int p : c.Starts()) r += c.SingleAt(p, '.') ? '.' : '?';
    return r;
}

void CheckName(const CString& name)
{
    FUZZ_CHECK(MatchWildcard("*", name));
    FUZZ_CHECK(MatchWildcard("*.*", name));
    if (HasWildcard(name)) return;
    FUZZ_CHECK(MatchWildcard(name, name));
    FUZZ_CHECK(MatchWildcard(FoldSingleBytes(name, true), FoldSingleBytes(name, false)));
    FUZZ_CHECK(MatchWildcard(QuestionMarks(name), name));
    // Any front part of the name followed by a star.
    Chars c(name);
    std::vector<int> cuts{0, name.GetLength()};
    const std::vector<int>& starts = c.Starts();
    for (size_t i = 1; i < starts.size() && i < 8; ++i) cuts.push_back(starts[starts.size() - i]);
    for (int cut : cuts) {
        CString front = name.Left(cut);
        if (!EndsInLoneLead(front)) FUZZ_CHECK(MatchWildcard(front + "*", name));
    }
}

void CheckPattern(const CString& pattern, const CString& name)
{
    bool m = MatchWildcard(pattern, name);
    // Single-byte letters match without regard to case, on either side.
    FUZZ_CHECK(MatchWildcard(FoldSingleBytes(pattern, true), name) == m);
    FUZZ_CHECK(MatchWildcard(FoldSingleBytes(pattern, false), FoldSingleBytes(name, true)) == m);
    // A pattern of plain characters matches only the same name, up to case.
    Chars c(pattern);
    if (!HasWildcard(pattern) && c.First('.') < 0)
        FUZZ_CHECK(m == (FoldSingleBytes(pattern, true) == FoldSingleBytes(name, true)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > fuzzcheck::kMaxInput) return 0;
    fuzzcheck::Input in(data, size, 2);
    const CString& pattern = in.fields[0];
    const CString& name = in.fields[1];
    CheckName(name);
    CheckName(pattern);
    CheckPattern(pattern, name);
    CheckPattern(name, pattern);
    // Null counts as empty.
    FUZZ_CHECK(MatchWildcard(nullptr, name) == MatchWildcard("", name));
    FUZZ_CHECK(MatchWildcard(pattern, nullptr) == MatchWildcard(pattern, ""));
    return 0;
}

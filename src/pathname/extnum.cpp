#include "pathname/extnum.h"

#include "pathname/pathops.h"

#include <genbafw/cp932.h>

namespace genba {
namespace ext {

namespace {

const uint32_t kMaxFileNumber = 0xFFF;
const char kBar = '|';

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Calls visit(position) for each bar of the list in order, in one pass; a trail byte 7C
// is never a bar. Stops early when visit returns false.
template <typename Visit>
void ForEachBar(const CString& list, Visit visit)
{
    const char* s = list;
    const int len = list.GetLength();
    for (int p = 0; p < len; p = cp932::NextPos(s, len, p))
        if (s[p] == kBar && cp932::NextPos(s, len, p) == p + 1 && !visit(p)) return;
}

// Bars 2*index (before the extension) and 2*index+1 (after it; -1 when the list ends
// first) of pair `index`, and where its title begins. False when the pair does not exist.
bool FindPair(const CString& list, int index, int& titleStart, int& barBeforeExt, int& barAfterExt)
{
    if (index < 0) return false;
    const long long wantBefore = 2LL * index;
    long long bar = 0;
    int title = 0, before = -1, after = -1;
    ForEachBar(list, [&](int p) {
        if (bar == wantBefore - 1) title = p + 1;
        if (bar == wantBefore) before = p;
        if (bar == wantBefore + 1) after = p;
        ++bar;
        return bar <= wantBefore + 1;
    });
    if (before < 0) return false;
    titleStart = title;
    barBeforeExt = before;
    barAfterExt = after;
    return true;
}

} // namespace

uint32_t ReadHexLikeStrtoul(const char* s)
{
    if (!s) return 0;
    while (IsCSpace(*s)) ++s;
    bool negative = false;
    if (*s == '+' || *s == '-') {
        negative = *s == '-';
        ++s;
    }
    // "0x" is a prefix only when a digit follows; otherwise the 0 is the number.
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X') && HexDigitValue(s[2]) >= 0) s += 2;
    uint32_t value = 0;
    bool overflow = false;
    for (int d; (d = HexDigitValue(*s)) >= 0; ++s) {
        if (value > (0xFFFFFFFFu >> 4)) overflow = true;
        value = (value << 4) | static_cast<uint32_t>(d);
    }
    // Out of range the sign is not applied: the result is the largest value.
    if (overflow) return 0xFFFFFFFFu;
    return negative ? 0u - value : value;
}

uint32_t GetExtNumber(const CString& p)
{
    CString ext = path::GetExtNameFromFileName(path::GetFileNameFromRelativePath(p));
    if (ext.IsEmpty()) return 0;
    uint32_t n = ReadHexLikeStrtoul(static_cast<const char*>(ext) + 1);
    return (n >= 1 && n <= kMaxFileNumber) ? n : 0;
}

CString GetExtStr(uint32_t number)
{
    CString r;
    if (number >= 1 && number <= kMaxFileNumber) r.Format(".%03lX", static_cast<unsigned long>(number));
    return r;
}

int GetExtCount(const CString& list)
{
    long long bars = 0;
    ForEachBar(list, [&](int) {
        ++bars;
        return true;
    });
    return static_cast<int>((bars + 1) / 2);
}

CString GetExt(const CString& list, int index)
{
    int title, before, after;
    if (!FindPair(list, index, title, before, after)) return CString();
    return after < 0 ? list.Mid(before + 1) : list.Mid(before + 1, after - before - 1);
}

CString GetExtTitle(const CString& list, int index)
{
    int title, before, after;
    if (!FindPair(list, index, title, before, after)) return CString();
    return list.Mid(title, before - title);
}

} // namespace ext
} // namespace genba

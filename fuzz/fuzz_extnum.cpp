// Extension numbers and extension lists on any bytes. Every field of the input (split at
// zero bytes) and the input whole are read as a path and as an extension list; the first
// four bytes are also read as a number.
#include "fuzzcheck.h"

#include "pathname/extnum.h"
#include "pathname/pathops.h"

#include <climits>

using namespace genba::ext;
using fuzzcheck::Chars;
using fuzzcheck::SameBytes;

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// strtoul(s, nullptr, 16) with a 32-bit unsigned long, as the suite's runtime has it.
uint32_t ModelStrtoul(const char* s)
{
    while (*s == ' ' || (*s >= '\t' && *s <= '\r')) ++s;
    bool negative = *s == '-';
    if (*s == '+' || *s == '-') ++s;
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X') && HexValue(s[2]) >= 0) s += 2;
    uint64_t v = 0;
    for (; HexValue(*s) >= 0; ++s) {
        v = v * 16 + static_cast<uint64_t>(HexValue(*s));
        if (v > 0xFFFFFFFFu) return 0xFFFFFFFFu;   // out of range: the largest value
    }
    return negative ? static_cast<uint32_t>(0u - static_cast<uint32_t>(v)) : static_cast<uint32_t>(v);
}

bool IsNumberedExt(const CString& e)
{
    if (e.GetLength() != 4 || e[0] != '.') return false;
    for (int i = 1; i < 4; ++i)
        if (!((e[i] >= '0' && e[i] <= '9') || (e[i] >= 'A' && e[i] <= 'F'))) return false;
    return e != ".000";
}

void CheckExtStr(uint32_t n)
{
    CString e = GetExtStr(n);
    if (n < 1 || n > 4095) {
        FUZZ_CHECK(e.IsEmpty());
        return;
    }
    FUZZ_CHECK(IsNumberedExt(e));
    char expect[8];
    std::snprintf(expect, sizeof expect, ".%03X", static_cast<unsigned>(n));
    FUZZ_CHECK(e == expect);
    FUZZ_CHECK(GetExtNumber(e) == n);
    FUZZ_CHECK(GetExtNumber("x" + e) == n);
}

void CheckExtNumber(const CString& p)
{
    uint32_t n = GetExtNumber(p);
    FUZZ_CHECK(n <= 4095);
    CString ext = genba::path::GetExtNameFromFileName(genba::path::GetFileNameFromRelativePath(p));
    uint32_t raw = ext.IsEmpty() ? 0 : ModelStrtoul(static_cast<const char*>(ext) + 1);
    FUZZ_CHECK(n == (raw >= 1 && raw <= 4095 ? raw : 0));
    if (!ext.IsEmpty()) FUZZ_CHECK(ReadHexLikeStrtoul(static_cast<const char*>(ext) + 1) == raw);
    FUZZ_CHECK(ReadHexLikeStrtoul(p) == ModelStrtoul(p));
    // The number's own extension reads back as the number.
    CString e = GetExtStr(n);
    FUZZ_CHECK(n == 0 ? e.IsEmpty() : IsNumberedExt(e));
    if (n != 0) FUZZ_CHECK(GetExtNumber(genba::path::GetBaseNameFromFileName(p) + e) == n || ext.IsEmpty());
}

void CheckExtList(const CString& list, const CString& picks)
{
    int count = GetExtCount(list);
    Chars c(list);
    int bars = c.Count('|');
    FUZZ_CHECK(count == (bars + 1) / 2);

    // Titles and extensions, rejoined with bars, give the list back up to its last pair's
    // extension; after that comes nothing, or a bar and a text without bars. (Each field
    // is found from the start: lists of many pairs are checked at their first pairs.)
    const int kRejoinPairs = 256;
    CString rejoined;
    for (int i = 0; i < count && i < kRejoinPairs; ++i) {
        CString title = GetExtTitle(list, i), ext = GetExt(list, i);
        FUZZ_CHECK(Chars(title).Count('|') == 0 && Chars(ext).Count('|') == 0);
        int titleAt = rejoined.GetLength() + (i > 0 ? 1 : 0);
        rejoined += (i > 0 ? "|" : "") + title;
        FUZZ_CHECK(c.Boundary(titleAt) && c.Boundary(rejoined.GetLength()));
        rejoined += "|" + ext;
        FUZZ_CHECK(c.Boundary(rejoined.GetLength()));
    }
    FUZZ_CHECK(fuzzcheck::StartsWith(list, rejoined));
    CString rest = list.Mid(rejoined.GetLength());
    if (count > kRejoinPairs) {
        FUZZ_CHECK(rest[0] == '|');
    } else if (count == 0) {
        FUZZ_CHECK(bars == 0);
    } else if (!rest.IsEmpty()) {
        FUZZ_CHECK(rest[0] == '|' && Chars(rest).Count('|') == 1);
    }

    std::vector<int> indexes{INT_MIN, -2, -1, count, count + 1, INT_MAX / 2, INT_MAX / 2 + 1, INT_MAX};
    for (int i = 0; i < picks.GetLength() && i < 4; ++i) indexes.push_back(static_cast<signed char>(picks[i]) * 1000003);
    for (int index : indexes) {
        if (index >= 0 && index < count) continue;
        FUZZ_CHECK(GetExt(list, index).IsEmpty());
        FUZZ_CHECK(GetExtTitle(list, index).IsEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > fuzzcheck::kMaxInput) return 0;
    fuzzcheck::Input in(data, size, 3);
    uint32_t n = 0;
    for (size_t i = 0; i < 4 && i < size; ++i) n = n << 8 | data[i];
    CheckExtStr(n);
    CheckExtStr(n & 0x1FFF);

    CheckExtNumber(in.whole);
    CheckExtList(in.whole, in.fields[1]);
    for (const CString& f : in.fields) {
        CheckExtNumber(f);
        CheckExtList(f, in.fields[2]);
    }
    return 0;
}

#include "pathname/freenumber.h"

#include "pathname/listing.h"
#include "pathname/pathops.h"

#include <genbafw/cp932.h>

#include <bitset>

namespace genba {

namespace {

const unsigned long kMaxNumber = 0xFFF;

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

unsigned long ThreeDigitNumber(const CString& name)
{
    const char* s = name;
    const int len = name.GetLength();
    const int dot = cp932::ReverseFindByte(s, len, '.');
    if (dot < 0 || len - dot != 4) return 0;
    unsigned long n = 0;
    for (int p = dot + 1; p < len; ++p) {
        // A lead byte is never a digit: the last three bytes are three characters.
        const int d = HexDigit(s[p]);
        if (d < 0) return 0;
        n = n * 16 + static_cast<unsigned long>(d);
    }
    return n;
}

unsigned long FindFirstFreeNumber(const CString& dir, int nFlags)
{
    std::bitset<kMaxNumber + 1> taken;
    CString pattern(dir);
    path::AddFileName(pattern, "*");
    ForEachListedEntry(pattern, nFlags, [&taken](const CFileFind& ff) {
        taken.set(ThreeDigitNumber(ff.GetFileName()));
        return true;
    });
    for (unsigned long n = 1; n <= kMaxNumber; ++n)
        if (!taken.test(n)) return n;
    return 0;
}

} // namespace genba

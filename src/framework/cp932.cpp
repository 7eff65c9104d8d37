#include <genbafw/cp932.h>

namespace genba {
namespace cp932 {

namespace {
bool IsSingleByteChar(const char* s, int len, int pos) { return NextPos(s, len, pos) - pos == 1; }
} // namespace

int CharStart(const char* s, int len, int pos)
{
    int p = 0;
    while (p < len) {
        int next = NextPos(s, len, p);
        if (next > pos) return p;
        p = next;
    }
    return pos;
}

int FindByte(const char* s, int len, char c, int start)
{
    int p = 0;
    while (p < start && p < len) p = NextPos(s, len, p);
    for (; p < len; p = NextPos(s, len, p))
        if (s[p] == c && IsSingleByteChar(s, len, p)) return p;
    return -1;
}

int ReverseFindByte(const char* s, int len, char c)
{
    int found = -1;
    for (int p = 0; p < len; p = NextPos(s, len, p))
        if (s[p] == c && IsSingleByteChar(s, len, p)) found = p;
    return found;
}

} // namespace cp932
} // namespace genba

#include <genbafw/cp932.h>

namespace genba {
namespace cp932 {

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
    if (start < 0) start = 0;
    // Align to a character boundary: a start inside a double-byte character
    // begins the search at the next character.
    int p = 0;
    while (p < start && p < len) p = NextPos(s, len, p);
    for (; p < len; p = NextPos(s, len, p))
        if (s[p] == c) return p;
    return -1;
}

int ReverseFindByte(const char* s, int len, char c)
{
    int found = -1;
    for (int p = 0; p < len; p = NextPos(s, len, p))
        if (s[p] == c) found = p;
    return found;
}

} // namespace cp932
} // namespace genba

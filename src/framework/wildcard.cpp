// Windows' wildcard rules for long names, applied to CP932 byte strings.
//
// The system first rewrites a pattern into its DOS forms, and so do we:
//   '?'                                   any one character except '.'; at a '.' or at
//                                         the end of the name it matches nothing, but
//                                         the pattern's final run of '?' may take a
//                                         '.' that ends the name (so "?" finds ".")
//   '*' before a '.'                      any run that does not swallow the name's last '.'
//   '.' before '?', '*' or only dots      a '.', or nothing at the end of the name
//   "*.*"                                 "*"
// so "*.???" finds a.12 and x but not b.0001, "*." finds names without a dot, and
// "*.*" finds everything. The match runs as a set of pattern positions advanced one name
// character at a time: time is length of name times length of pattern, whatever the
// number of stars.
#include <genbafw/wildcard.h>

#include <genbafw/cp932.h>

#include <cstring>
#include <new>

namespace genba {

namespace {

enum TokenKind : unsigned char {
    kLiteral,    // one character, one or two bytes
    kStar,       // '*': any run
    kDosStar,    // '*' before '.': any run short of the name's last dot
    kDosQm,      // '?'
    kDosDot,     // '.' that may also match the end of the name
};

struct Token {
    TokenKind kind;
    unsigned char len;       // literal: bytes of the character
    unsigned char bytes[2];  // literal: the character, single bytes upper-cased
};

struct NameChar {
    int pos;
    int len;
};

// The character at position pos of s: its byte length (1 or 2).
int CharLen(const char* s, int len, int pos) { return cp932::NextPos(s, len, pos) - pos; }

bool IsSingle(const char* s, int len, int pos, char c) { return CharLen(s, len, pos) == 1 && s[pos] == c; }

// True when only single-byte dots follow position pos (or nothing).
bool OnlyDotsFrom(const char* s, int len, int pos)
{
    for (int p = pos; p < len; p = cp932::NextPos(s, len, p))
        if (!IsSingle(s, len, p, '.')) return false;
    return true;
}

// Rewrites the pattern into tokens; returns their count. tokens has room for len.
int Tokenize(const char* pat, int len, Token* tokens)
{
    if (len == 3 && std::memcmp(pat, "*.*", 3) == 0) {
        tokens[0] = Token{kStar, 0, {0, 0}};
        return 1;
    }
    int n = 0;
    for (int p = 0; p < len;) {
        int next = cp932::NextPos(pat, len, p);
        Token t{kLiteral, static_cast<unsigned char>(next - p), {0, 0}};
        if (next - p == 1 && pat[p] == '?') {
            t.kind = kDosQm;
        } else if (next - p == 1 && pat[p] == '*') {
            t.kind = (next < len && IsSingle(pat, len, next, '.')) ? kDosStar : kStar;
        } else if (next - p == 1 && pat[p] == '.' &&
                   (next >= len || IsSingle(pat, len, next, '?') || IsSingle(pat, len, next, '*') ||
                    OnlyDotsFrom(pat, len, next))) {
            t.kind = kDosDot;
        } else {
            t.bytes[0] = next - p == 1 ? cp932::UpperByte(static_cast<unsigned char>(pat[p]))
                                       : static_cast<unsigned char>(pat[p]);
            if (next - p == 2) {
                t.bytes[1] = static_cast<unsigned char>(pat[p + 1]);
                cp932::UpperWide(t.bytes[0], t.bytes[1]);
            }
        }
        tokens[n++] = t;
        p = next;
    }
    return n;
}

bool LiteralMatches(const Token& t, const char* name, const NameChar& c)
{
    if (t.len != c.len) return false;
    if (c.len == 1) return t.bytes[0] == cp932::UpperByte(static_cast<unsigned char>(name[c.pos]));
    const unsigned char lead = static_cast<unsigned char>(name[c.pos]);
    unsigned char trail = static_cast<unsigned char>(name[c.pos + 1]);
    cp932::UpperWide(lead, trail);
    return t.bytes[0] == lead && t.bytes[1] == trail;
}

// Follows the moves that consume nothing, given the name character at hand (atEnd: none),
// through the set of live pattern positions. Moves only go forward, so one pass does it.
void Close(const Token* tokens, int n, bool* live, bool atEnd, bool atDot)
{
    for (int i = 0; i < n; ++i) {
        if (!live[i]) continue;
        switch (tokens[i].kind) {
        case kStar:
        case kDosStar:
            live[i + 1] = true;
            break;
        case kDosQm:
        case kDosDot:
            if (atEnd || (atDot && tokens[i].kind == kDosQm)) live[i + 1] = true;
            break;
        case kLiteral:
            break;
        }
    }
}

// The pattern's final run of '?' (trailing dots aside): tokens [begin, end).
struct QmRun {
    int begin, end;
    bool Holds(int i) const { return i >= begin && i < end; }
};

QmRun FinalQmRun(const Token* tokens, int n)
{
    int end = n;
    while (end > 0 && tokens[end - 1].kind == kDosDot) --end;
    int begin = end;
    while (begin > 0 && tokens[begin - 1].kind == kDosQm) --begin;
    return QmRun{begin, end};
}

// Consumes one name character: from the positions in live into next. endsName: the
// character is the name's last.
void Step(const Token* tokens, int n, const bool* live, bool* next, const char* name, const NameChar& c,
          bool isDot, bool isLastDot, bool endsName, const QmRun& finalRun)
{
    for (int i = 0; i <= n; ++i) next[i] = false;
    for (int i = 0; i < n; ++i) {
        if (!live[i]) continue;
        const Token& t = tokens[i];
        switch (t.kind) {
        case kStar:
            next[i] = true;
            break;
        case kDosStar:
            if (!isLastDot) next[i] = true;
            break;
        case kDosQm:
            if (!isDot || (endsName && finalRun.Holds(i))) next[i + 1] = true;
            break;
        case kDosDot:
            if (isDot) next[i + 1] = true;
            break;
        case kLiteral:
            if (LiteralMatches(t, name, c)) next[i + 1] = true;
            break;
        }
    }
}

bool Run(const Token* tokens, int n, const char* name, int len, bool* live, bool* next)
{
    int lastDot = cp932::ReverseFindByte(name, len, '.');
    const QmRun finalRun = FinalQmRun(tokens, n);
    for (int i = 0; i <= n; ++i) live[i] = false;
    live[0] = true;
    for (int p = 0; p < len;) {
        NameChar c{p, CharLen(name, len, p)};
        bool isDot = c.len == 1 && name[p] == '.';
        Close(tokens, n, live, false, isDot);
        Step(tokens, n, live, next, name, c, isDot, isDot && p == lastDot, p + c.len == len, finalRun);
        bool any = false;
        for (int i = 0; i <= n; ++i) {
            live[i] = next[i];
            any = any || next[i];
        }
        if (!any) return false;
        p += c.len;
    }
    Close(tokens, n, live, true, false);
    return live[n];
}

} // namespace

bool MatchWildcard(const char* pattern, const char* name)
{
    if (!pattern) pattern = "";
    if (!name) name = "";
    size_t patLen = std::strlen(pattern), nameLen = std::strlen(name);
    // Longer than any path the system takes; refusing keeps the sizes in int range.
    if (patLen > 0x7FFFFF || nameLen > 0x7FFFFF) return false;
    int plen = static_cast<int>(patLen);

    // Patterns are file names in practice; a stack buffer covers them.
    const int kLocal = 300;
    Token localTokens[kLocal];
    bool localLive[kLocal + 1], localNext[kLocal + 1];
    Token* tokens = localTokens;
    bool* live = localLive;
    bool* next = localNext;
    Token* heapTokens = nullptr;
    bool* heapFlags = nullptr;
    if (plen > kLocal) {
        heapTokens = new (std::nothrow) Token[plen];
        heapFlags = new (std::nothrow) bool[2 * (plen + 1)];
        if (!heapTokens || !heapFlags) {
            delete[] heapTokens;
            delete[] heapFlags;
            return false;   // no memory: nothing is reported as found
        }
        tokens = heapTokens;
        live = heapFlags;
        next = heapFlags + plen + 1;
    }
    int n = Tokenize(pattern, plen, tokens);
    bool matched = Run(tokens, n, name, static_cast<int>(nameLen), live, next);
    delete[] heapTokens;
    delete[] heapFlags;
    return matched;
}

} // namespace genba

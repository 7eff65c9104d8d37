// CString and CP932 stepping. Pure: no Windows header, byte escapes for every
// double-byte case (95 5C is a kanji whose second byte is a backslash, 83 7C one whose
// second byte is a vertical bar, 82 60 / 82 81 the full-width A / a).
#include <genbafw/cp932.h>
#include <genbafw/cstring.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

std::string Bytes(const CString& s) { return std::string(static_cast<const char*>(s), s.GetLength()); }

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// --- CP932 stepping ---------------------------------------------------------------

struct StepRow { const char* s; int len, pos, next, start; };   // start: CharStart(pos)

const StepRow kStepRows[] = {
    {"ab", 2, 0, 1, 0},
    {"\x95\x5C" "a", 3, 0, 2, 0},
    {"\x95\x5C" "a", 3, 1, 2, 0},             // inside the character: its start is 0
    {"\x95\x5C" "a", 3, 2, 3, 2},
    {"a\x95", 2, 1, 2, 1},                    // lone lead byte at the end: one character
    {"a\x95\0z", 4, 1, 2, 1},                 // lead byte before a zero byte: never steps over it
    {"\x95\x95\x5C", 3, 2, 3, 2},             // 95 95 is one character, so 5C stands alone
    {"ab", 2, 2, 2, 2},                       // at the end
    {"ab", 2, 5, 2, 5},
    {"ab", 2, -1, 0, 0},
    {"\xE0\x40\xFC\xFC", 4, 2, 4, 2},         // last lead-byte range
    {"\xB1\x5C", 2, 0, 1, 0},                 // half-width katakana is a single byte
};

TEST(Cp932, NextPosAndCharStart)
{
    for (const StepRow& r : kStepRows) {
        SCOPED_TRACE(&r - kStepRows);
        EXPECT_EQ(r.next, genba::cp932::NextPos(r.s, r.len, r.pos));
        EXPECT_EQ(r.start, genba::cp932::CharStart(r.s, r.len, r.pos));
    }
}

TEST(Cp932, LeadBytes)
{
    for (int b = 0; b < 256; ++b) {
        bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(lead, genba::cp932::IsLeadByte(static_cast<unsigned char>(b))) << b;
    }
}

// --- Construction, assignment, elements ---------------------------------------------

TEST(CString, ConstructionAssignmentAndElements)
{
    EXPECT_STREQ("", static_cast<const char*>(CString(static_cast<const char*>(nullptr))));
    EXPECT_EQ(std::string("a\0b", 3), Bytes(CString("a\0b", 3)));
    EXPECT_EQ("", Bytes(CString("abc", 0)));
    EXPECT_EQ("xxx", Bytes(CString('x', 3)));
    EXPECT_EQ("", Bytes(CString('x', 0)));

    CString a("hello");
    CString b(a);
    b.SetAt(0, 'j');
    EXPECT_EQ("hello", Bytes(a));             // copies do not share bytes
    CString c(std::move(b));
    EXPECT_EQ("jello", Bytes(c));
    EXPECT_TRUE(b.IsEmpty());                 // a moved-from string is empty and usable
    b = "again";
    EXPECT_EQ("again", Bytes(b));

    EXPECT_EQ('o', c.GetAt(4));
    EXPECT_EQ('\0', c.GetAt(5));
    EXPECT_EQ('\0', c.GetAt(-1));
    c.SetAt(5, 'z');                          // outside: ignored
    EXPECT_EQ("jello", Bytes(c));
    c.Empty();
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_STREQ("", static_cast<const char*>(c));

    CString s("abcdef");
    const CString& same = s;
    s = same;
    EXPECT_EQ("abcdef", Bytes(s));
    s = static_cast<const char*>(s) + 2;      // a tail of its own bytes
    EXPECT_EQ("cdef", Bytes(s));
}

// --- Concatenation --------------------------------------------------------------------

TEST(CString, Concatenation)
{
    CString a("ab");
    EXPECT_EQ("abcd", Bytes(a + CString("cd")));
    EXPECT_EQ("cdab", Bytes("cd" + a));
    EXPECT_EQ("ab\\", Bytes(a + '\\'));
    EXPECT_EQ("ab", Bytes(a + static_cast<const char*>(nullptr)));
    a += "c";
    a += 'd';
    a += CString("e");
    EXPECT_EQ("abcde", Bytes(a));

    CString s("abc");
    s += s;
    s += static_cast<const char*>(s) + 3;     // part of itself
    EXPECT_EQ("abcabcabc", Bytes(s));
    // Growing across many appends of itself must not read freed bytes.
    CString t("\x95\x5C");
    for (int i = 0; i < 10; ++i) t += t;
    EXPECT_EQ(2 << 10, t.GetLength());
    EXPECT_EQ("\x95\x5C", Bytes(t.Right(2)));
}

// --- Comparison -----------------------------------------------------------------------

struct CompareRow { const char* a; const char* b; int exact, nocase; };   // signs of Compare, CompareNoCase

const CompareRow kCompareRows[] = {
    {"abc", "abc", 0, 0},
    {"abc", "ABC", 1, 0},
    {"ab", "abc", -1, -1},
    {"", "", 0, 0},
    {"", "a", -1, -1},
    {"a_", "aB", 1, -1},                        // folding goes to lower case: '_' sorts before letters
    {"\x82\x60\x82\x79", "\x82\x81\x82\x9A", -1, 0},   // full-width A..Z and a..z are one letter
    {"\x83\x41", "\x83\x61", -1, -1},           // trail byte 61 is not the letter a
    {"\x95\x5C" "a", "\x95\x5C" "A", 1, 0},
    {"\x95\x5C", "\x95\x7C", -1, -1},
    {"\xB1", "\x81\x40", -1, -1},               // a half-width katakana sorts before any double-byte character
    {"\xDF", "\xE0\x40", -1, -1},
    {"ab\x95", "ab", 1, 1},                     // a lone lead byte at the end is a character
    {"ab\x95", "AB\x95", 1, 0},
    {"ab\x95", "ab\x95\x5C", -1, -1},
};

TEST(CString, CompareAndCompareNoCase)
{
    for (const CompareRow& r : kCompareRows) {
        SCOPED_TRACE(&r - kCompareRows);
        CString a(r.a), b(r.b);
        EXPECT_EQ(r.exact, Sign(a.Compare(r.b)));
        EXPECT_EQ(-r.exact, Sign(b.Compare(r.a)));
        EXPECT_EQ(r.nocase, Sign(a.CompareNoCase(r.b)));
        EXPECT_EQ(-r.nocase, Sign(b.CompareNoCase(r.a)));
        EXPECT_EQ(r.exact == 0, a == b);
        EXPECT_EQ(r.exact != 0, a != r.b);
        EXPECT_EQ(r.exact < 0, a < b);
    }
    EXPECT_FALSE(CString("a\0b", 3) == CString("a"));   // equality counts every byte
    EXPECT_TRUE("a" == CString("a"));
    EXPECT_EQ(0, CString().Compare(nullptr));
}

// --- Extraction -------------------------------------------------------------------------

TEST(CString, LeftMidRight)
{
    CString s("abcdef");
    EXPECT_EQ("abc", Bytes(s.Left(3)));
    EXPECT_EQ("", Bytes(s.Left(-1)));
    EXPECT_EQ("abcdef", Bytes(s.Left(99)));
    EXPECT_EQ("abcdef", Bytes(s.Mid(-3)));
    EXPECT_EQ("", Bytes(s.Mid(6)));
    EXPECT_EQ("", Bytes(s.Mid(60)));
    EXPECT_EQ("cd", Bytes(s.Mid(2, 2)));
    EXPECT_EQ("ef", Bytes(s.Mid(4, 99)));
    EXPECT_EQ("", Bytes(s.Mid(2, -1)));
    EXPECT_EQ("def", Bytes(s.Right(3)));
    EXPECT_EQ("", Bytes(s.Right(-2)));
    EXPECT_EQ("abcdef", Bytes(s.Right(99)));
}

// --- Searching ------------------------------------------------------------------------

// Find(ch, start) and ReverseFind(ch), on the string and on the stepping helper under it.
struct FindRow { const char* s; char ch; int start, find, reverse; };

const FindRow kFindCharRows[] = {
    {"C:\\dir\\f", '\\', 0, 2, 6},
    {"C:\\dir\\f", '\\', 3, 6, 6},
    {"C:\\dir\\f", '\\', 7, -1, 6},
    {"C:\\dir\\f", '\\', 99, -1, 6},
    {"C:\\dir\\f", '\\', -5, 2, 6},
    {"\x95\x5C", '\\', 0, -1, -1},             // 表 holds no backslash
    {"\x95\x5C\\", '\\', 1, 2, 2},            // a start inside a character moves on
    {"\x83\x5C\\\x94\x5C", '\\', 0, 2, 2},
    {"\x95\x95\x5C", '\\', 0, 2, 2},          // 95 95 is one character, so 5C stands alone
    {"\x83\x7C", '|', 0, -1, -1},
    {"\x83\x7C|", '|', 1, 2, 2},
    {"\x95\x5C", '\x95', 0, -1, -1},            // nor is a lead byte a character of its own ...
    {"a\x95", '\x95', 0, 1, 1},                  // ... except alone at the end
    {"abc", 'a', 3, -1, 0},
    {"abc", '\0', 0, -1, -1},
    {"", 'a', 0, -1, -1},
};

TEST(CString, FindAndReverseFindChar)
{
    for (const FindRow& r : kFindCharRows) {
        SCOPED_TRACE(&r - kFindCharRows);
        CString s(r.s);
        EXPECT_EQ(r.find, s.Find(r.ch, r.start));
        EXPECT_EQ(r.reverse, s.ReverseFind(r.ch));
        if (r.start == 0) { EXPECT_EQ(r.find, s.Find(r.ch)); }
        if (r.ch != '\0') {
            EXPECT_EQ(r.find, genba::cp932::FindByte(r.s, s.GetLength(), r.ch, r.start));
            EXPECT_EQ(r.reverse, genba::cp932::ReverseFindByte(r.s, s.GetLength(), r.ch));
        }
    }
}

struct FindSubRow { const char* s; const char* sub; int start, pos; };

const FindSubRow kFindSubRows[] = {
    {"abcabc", "bc", 0, 1},
    {"abcabc", "bc", 2, 4},
    {"abcabc", "bc", 5, -1},
    {"abcabc", "", 0, -1},
    {"abc", "abcd", 0, -1},
    {"abc", "c", 3, -1},
    {"\x95\x5C\\x", "\\", 0, 2},
    {"\x95\x5C\\x", "\x5C\\", 0, -1},          // would start on a trail byte
    {"\x95\x5C", "\x95", 0, -1},                // would take only a lead byte
    {"a\x95\x5C", "\x95\x5C", 0, 1},
    {"\x83\x7C|\x83\x7C|", "\x7C|", 0, -1},
    {"\x83\x7C|\x83\x7C|", "\x83\x7C|", 1, 3},
    {"ab\x95", "\x95", 0, 2},                   // a lone lead byte is a character
};

TEST(CString, FindSubstring)
{
    for (const FindSubRow& r : kFindSubRows) {
        SCOPED_TRACE(&r - kFindSubRows);
        CString s(r.s);
        EXPECT_EQ(r.pos, s.Find(r.sub, r.start));
        if (r.start == 0) { EXPECT_EQ(r.pos, s.Find(r.sub)); }
    }
}

struct FindOneOfRow { const char* s; const char* set; int pos; };

const FindOneOfRow kFindOneOfRows[] = {
    {"abc:d", "\\/:*?\"<>|", 3},
    {"abc", "", -1},
    {"\x95\x5C:", "\\:", 2},                    // 5C inside 表 is not a backslash
    {"\x83\x7C", "|", -1},
    {"a\x83\x7C|", "|", 3},
    {"a\x95\x5C", "\x95\x5C", 1},               // a double-byte member matches the whole character
    {"\x83\x5C", "\x95\x5C", -1},               // ... and only that character
    {"\x95\x5C", "\x5C", -1},
    {"\x95\x5C", "\x95", -1},
    {"ab\x95", "\x95", 2},                      // lone lead byte at the end of both
    {"ab\x95", "x\x95\x5C", -1},
};

TEST(CString, FindOneOf)
{
    for (const FindOneOfRow& r : kFindOneOfRows) EXPECT_EQ(r.pos, CString(r.s).FindOneOf(r.set)) << "row " << (&r - kFindOneOfRows);
    EXPECT_EQ(-1, CString("abc").FindOneOf(nullptr));
}

// --- Case -----------------------------------------------------------------------------

struct CaseRow { const char* s; const char* upper; const char* lower; };

const CaseRow kCaseRows[] = {
    {"abc.Txt", "ABC.TXT", "abc.txt"},
    {"\x83\x61z", "\x83\x61Z", "\x83\x61z"},                         // trail byte 61 stays
    {"\x83\x41Z", "\x83\x41Z", "\x83\x41z"},                         // trail byte 41 stays
    {"\x95\x5Cq\x83\x7Cq", "\x95\x5CQ\x83\x7CQ", "\x95\x5Cq\x83\x7Cq"},
    {"\x82\x81\x82\x9A", "\x82\x60\x82\x79", "\x82\x81\x82\x9A"},    // full-width letters
    {"\x82\x60", "\x82\x60", "\x82\x81"},
    {"\x82\x80\x82\x9B", "\x82\x80\x82\x9B", "\x82\x80\x82\x9B"},    // just outside the letters
    {"\xB1\xDF", "\xB1\xDF", "\xB1\xDF"},                            // half-width katakana
    {"x\x82", "X\x82", "x\x82"},                                     // lone lead byte at the end
    {"", "", ""},
};

TEST(CString, MakeUpperAndMakeLower)
{
    for (const CaseRow& r : kCaseRows) {
        SCOPED_TRACE(&r - kCaseRows);
        CString u(r.s), l(r.s);
        u.MakeUpper();
        l.MakeLower();
        EXPECT_EQ(r.upper, Bytes(u));
        EXPECT_EQ(r.lower, Bytes(l));
        EXPECT_EQ(0, u.CompareNoCase(l));
    }
}

TEST(CString, Trim)
{
    CString s(" \t a b \r\n");
    s.TrimRight();
    EXPECT_EQ(" \t a b", Bytes(s));
    s.TrimLeft();
    EXPECT_EQ("a b", Bytes(s));
    CString t("\x81 ");                         // trailing blank after a lone lead byte
    t.TrimRight();
    EXPECT_EQ("\x81 ", Bytes(t));               // 81 20 is one character: nothing to trim
}

// --- Format ---------------------------------------------------------------------------

TEST(CString, Format)
{
    CString s;
    s.Format("%d-%s-%08lX", 12, "ab", 0x03010000UL);
    EXPECT_EQ("12-ab-03010000", Bytes(s));
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());

    std::string big(5000, 'x');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ("[" + big + "]", Bytes(s));

    // Its own bytes as an argument: read before they are replaced.
    s = "ab";
    s.Format("%s%s", static_cast<const char*>(s), static_cast<const char*>(s));
    EXPECT_EQ("abab", Bytes(s));
}

// --- Buffer access --------------------------------------------------------------------

TEST(CString, GetBufferReleaseBuffer)
{
    CString s;
    std::strcpy(s.GetBuffer(10), "hello");
    s.ReleaseBuffer();
    EXPECT_EQ("hello", Bytes(s));

    char* b = s.GetBuffer(100);               // keeps what was there
    EXPECT_STREQ("hello", b);
    b[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ("he", Bytes(s));

    s.GetBuffer(0);
    s.ReleaseBuffer(1);
    EXPECT_EQ("h", Bytes(s));
    s.GetBuffer(5);
    s.ReleaseBuffer(0);
    EXPECT_TRUE(s.IsEmpty());

    // A caller that fills the whole buffer and its terminator slot gets no overrun.
    CString t;
    std::memcpy(t.GetBuffer(4), "wxyzQ", 5);
    t.ReleaseBuffer();
    EXPECT_EQ("wxyz", Bytes(t));

    // A length beyond the buffer is cut to it.
    CString u;
    std::memcpy(u.GetBuffer(3), "abc", 3);
    u.ReleaseBuffer(50);
    EXPECT_EQ(3, u.GetLength());

    b = u.GetBufferSetLength(5);
    b[3] = 'd';
    b[4] = 'e';
    u.ReleaseBuffer();
    EXPECT_EQ("abcde", Bytes(u));
}

}  // namespace

// CString and CP932 stepping: one row per decision. Pure, so the native build runs it
// under the sanitizers too; fuzz/fuzz_cstring.cpp checks the same operations against
// models on any bytes. 95 5C is a kanji whose second byte is a backslash, 82 60 / 82 81
// the full-width A / a.
#include <genbafw/cp932.h>
#include <genbafw/cstring.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Bytes(const CString& s) { return std::string(static_cast<const char*>(s), s.GetLength()); }
int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

TEST(Cp932, NextPosAndCharStart)
{
    const struct { const char* s; int len, pos, next, start; } rows[] = {
        {"\x95\x5C" "a", 3, 1, 2, 0},        // inside a character: its start is the lead byte
        {"a\x95", 2, 1, 2, 1},               // a lone lead byte at the end is one character
        {"a\x95\0z", 4, 1, 2, 1},            // never steps over a zero byte
        {"\x95\x95\x5C", 3, 2, 3, 2},        // 95 95 is one character, so 5C stands alone
        {"\xB1\x5C", 2, 0, 1, 0},            // half-width katakana is a single byte
        {"ab", 2, 5, 2, 5},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.next, genba::cp932::NextPos(r.s, r.len, r.pos)) << "row " << (&r - rows);
        EXPECT_EQ(r.start, genba::cp932::CharStart(r.s, r.len, r.pos)) << "row " << (&r - rows);
    }
}

TEST(CString, CompareAndCompareNoCase)
{
    const struct { const char* a; const char* b; int exact, nocase; } rows[] = {
        {"abc", "ABC", 1, 0},
        {"a_", "aB", 1, -1},                                // folding goes to lower case
        {"\x82\x60\x82\x79", "\x82\x81\x82\x9A", -1, 0},   // full-width A..Z and a..z are one letter
        {"\x83\x41", "\x83\x61", -1, -1},                   // a trail byte is never folded
        {"\xDF", "\xE0\x40", -1, -1},                       // double-byte after every single byte
        {"ab\x95", "AB\x95", 1, 0},                         // a lone lead byte at the end is a character
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        EXPECT_EQ(r.exact, Sign(CString(r.a).Compare(r.b)));
        EXPECT_EQ(r.nocase, Sign(CString(r.a).CompareNoCase(r.b)));
        EXPECT_EQ(-r.nocase, Sign(CString(r.b).CompareNoCase(r.a)));
    }
    EXPECT_FALSE(CString("a\0b", 3) == CString("a"));   // equality counts every byte
}

TEST(CString, SearchesStepOverTrailBytes)
{
    const struct { const char* s; char ch; int start, find, reverse; } chars[] = {
        {"\x95\x5C", '\\', 0, -1, -1},
        {"\x95\x5C\\", '\\', 1, 2, 2},        // a start inside a character moves on
        {"\x95\x95\x5C", '\\', 0, 2, 2},
        {"a\x95", '\x95', 0, 1, 1},            // a lead byte is a character only alone at the end,
        {"\x95\x5C", '\x95', 0, -1, -1},       // never inside a double-byte one
        {"C:\\dir\\f", '\\', -5, 2, 6},
    };
    for (const auto& r : chars) {
        SCOPED_TRACE(&r - chars);
        EXPECT_EQ(r.find, CString(r.s).Find(r.ch, r.start));
        EXPECT_EQ(r.reverse, CString(r.s).ReverseFind(r.ch));
    }
    const struct { const char* s; const char* sub; int pos; } subs[] = {
        {"\x95\x5C\\x", "\x5C\\", -1},         // would start on a trail byte
        {"\x95\x5C", "\x95", -1},              // would take only a lead byte
        {"a\x95\x5C", "\x95\x5C", 1},
        {"abc", "", -1},
    };
    for (const auto& r : subs) EXPECT_EQ(r.pos, CString(r.s).Find(r.sub)) << "row " << (&r - subs);
    const struct { const char* s; const char* set; int pos; } sets[] = {
        {"\x95\x5C:", "\\:", 2},
        {"\x83\x5C", "\x95\x5C", -1},          // a double-byte member matches only itself
        {"a\x95\x5C", "\x95\x5C", 1},
    };
    for (const auto& r : sets) EXPECT_EQ(r.pos, CString(r.s).FindOneOf(r.set)) << "row " << (&r - sets);
}

TEST(CString, CaseAndTrimKeepDoubleByteCharacters)
{
    const struct { const char* s; const char* upper; const char* lower; } rows[] = {
        {"\x83\x61z", "\x83\x61Z", "\x83\x61z"},                        // trail byte 61 stays
        {"\x82\x81\x82\x9A", "\x82\x60\x82\x79", "\x82\x81\x82\x9A"},   // full-width letters
        {"\x82\x80\x82\x9B", "\x82\x80\x82\x9B", "\x82\x80\x82\x9B"},   // just outside them
        {"x\x82", "X\x82", "x\x82"},
    };
    for (const auto& r : rows) {
        CString u(r.s), l(r.s);
        u.MakeUpper();
        l.MakeLower();
        EXPECT_EQ(r.upper, Bytes(u)) << "row " << (&r - rows);
        EXPECT_EQ(r.lower, Bytes(l)) << "row " << (&r - rows);
    }
    CString t("\x81 ");   // 81 20 is one character: no blank to trim
    t.TrimRight();
    EXPECT_EQ("\x81 ", Bytes(t));
}

TEST(CString, OwnBytesAsArgumentsAndBuffers)
{
    CString s("abc");
    s += s;
    s += static_cast<const char*>(s) + 3;
    EXPECT_EQ("abcabcabc", Bytes(s));
    s = "ab";
    s.Format("%s%s", static_cast<const char*>(s), static_cast<const char*>(s));
    EXPECT_EQ("abab", Bytes(s));
    s = static_cast<const char*>(s) + 2;
    EXPECT_EQ("ab", Bytes(s));

    CString t;
    std::memcpy(t.GetBuffer(4), "wxyzQ", 5);   // the whole buffer and its terminator slot
    t.ReleaseBuffer();
    EXPECT_EQ("wxyz", Bytes(t));
    t.ReleaseBuffer(50);                         // past the room: cut to it
    EXPECT_EQ(4, t.GetLength());
}

} // namespace

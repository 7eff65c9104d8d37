// CString at the byte level: zero bytes inside, lone lead bytes at the end, trail bytes
// that look like separators, integer limits as counts, very long strings.
#include "native_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

struct FindCharRow {
    CString s;
    char ch;
    int start;
    int want;
};

TEST(NativeCString, FindCharStepsByCharacter)
{
    const FindCharRow rows[] = {
        {B("\x95\x5C\\"), '\\', 0, 2},          // trail 5C is not a backslash
        {B("\x83\x7C|"), '|', 0, 2},            // trail 7C is not a bar
        {B("ab\x81"), '\x81', 0, 2},            // a lone lead byte at the end is a character
        {B("\x81\x81"), '\x81', 0, -1},         // a double-byte character is not its lead byte
        {B("\x95\x5C\\"), '\\', 1, 2},          // a start inside a character goes to the next
        {B("a\\"), '\\', INT_MIN, 1},
        {B("a\\"), '\\', INT_MAX, -1},
        {B("a\0\\"), '\\', 0, 2},               // zero bytes are characters like any other
        {B("\x81\0\\"), '\\', 0, 2},            // a lead byte before a zero byte stands alone
        {B("a\0b"), '\0', 0, -1},               // the terminator is never found
        {B(""), '\\', 0, -1},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        const FindCharRow& r = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << Escaped(r.s));
        EXPECT_EQ(r.want, r.s.Find(r.ch, r.start));
    }
}

TEST(NativeCString, ReverseFindSkipsTrailBytes)
{
    EXPECT_EQ(1, B("a\\\x95\x5C").ReverseFind('\\'));
    EXPECT_EQ(3, B("a\\b\\\x81").ReverseFind('\\'));
    EXPECT_EQ(4, B("\x95\x5C\x95\x5C\x81").ReverseFind('\x81'));
    EXPECT_EQ(-1, B("\x95\x5C").ReverseFind('\x5C'));
    EXPECT_EQ(-1, B("abc").ReverseFind('\0'));
}

struct FindSubRow {
    CString s;
    const char* sub;
    int start;
    int want;
};

TEST(NativeCString, FindSubstringOnWholeCharacters)
{
    const FindSubRow rows[] = {
        {B("\x95\x5C\x5C"), "\x5C", 0, 2},
        {B("\x95\x5C"), "\x95", 0, -1},          // only the lead byte of a character
        {B("a\x95\x5C"), "a\x95", 0, -1},
        {B("a\x95\x5C" "b"), "\x95\x5C", 0, 1},
        {B("abc"), "", 0, -1},
        {B("abc"), "c", 3, -1},
        {B("abc"), "c", INT_MIN, 2},
        {B("abc"), "c", INT_MAX, -1},
        {B("a\0bc"), "bc", 0, 2},                // found behind a zero byte
        {B("ab\x81"), "\x81", 0, 2},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        const FindSubRow& r = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << Escaped(r.s));
        EXPECT_EQ(r.want, r.s.Find(r.sub, r.start));
    }
}

TEST(NativeCString, FindOneOfComparesWholeCharacters)
{
    EXPECT_EQ(-1, B("\x95\x5C").FindOneOf("\\"));
    EXPECT_EQ(1, B("a\x95\x5C").FindOneOf("\x95\x5C"));
    EXPECT_EQ(-1, B("a\x95\x5C").FindOneOf("\x95"));
    EXPECT_EQ(1, B("a\x81").FindOneOf("x\x81"));     // lone lead bytes on both sides
    EXPECT_EQ(2, B("a\0|").FindOneOf("|"));
    EXPECT_EQ(-1, B("abc").FindOneOf(""));
    EXPECT_EQ(-1, B("abc").FindOneOf(nullptr));
}

TEST(NativeCString, SlicesClampAtTheLimits)
{
    CString s = B("a\0\x95\x5C");
    const int counts[] = {INT_MIN, -1, 0, 1, 3, 4, 5, INT_MAX};
    for (int n : counts) {
        SCOPED_TRACE(n);
        int k = n < 0 ? 0 : (n > 4 ? 4 : n);
        EXPECT_EQ(k, s.Left(n).GetLength());
        EXPECT_EQ(k, s.Right(n).GetLength());
        EXPECT_EQ(Escaped(s), Escaped(s.Left(n) + s.Mid(n)));
        EXPECT_EQ(4 - k, s.Mid(n, INT_MAX).GetLength());
        EXPECT_EQ(0, s.Mid(n, INT_MIN).GetLength());
    }
    EXPECT_EQ(Escaped(B("\0\x95")), Escaped(s.Mid(1, 2)));
}

TEST(NativeCString, ZeroBytesSurviveCopiesAndJoins)
{
    CString s = B("a\0b");
    CString copy(s);
    copy += s;
    EXPECT_EQ(Escaped(B("a\0ba\0b")), Escaped(copy));
    EXPECT_EQ(Escaped(B("a\0bx")), Escaped(s + 'x'));
    CString assigned;
    assigned = s;
    EXPECT_EQ(3, assigned.GetLength());
    EXPECT_EQ(0, CString(static_cast<const char*>(nullptr)).GetLength());
    EXPECT_EQ(0, CString("abc", -1).GetLength());
}

TEST(NativeCString, CompareInMultibyteOrder)
{
    EXPECT_GT(B("\x81\x40").Compare("\xA1"), 0);    // a double-byte character after every single byte
    EXPECT_LT(B("\xDF").Compare("\x81\x40"), 0);
    EXPECT_EQ(0, B("a\0x").Compare("a"));           // up to the first zero byte
    EXPECT_NE(0, B("a\x83\x61").CompareNoCase("A\x83\x41"));   // trail bytes are not letters
    EXPECT_EQ(0, B("x\x82\x60").CompareNoCase("X\x82\x81"));   // full-width A and a
    EXPECT_EQ(0, B("ab\x81").CompareNoCase("AB\x81"));
}

TEST(NativeCString, CaseChangesLeaveTrailBytes)
{
    CString s = B("a\x83\x61\x95\x5C\x82\x81z\x81");
    s.MakeUpper();
    EXPECT_EQ(Escaped(B("A\x83\x61\x95\x5C\x82\x60Z\x81")), Escaped(s));
    s.MakeLower();
    EXPECT_EQ(Escaped(B("a\x83\x61\x95\x5C\x82\x81z\x81")), Escaped(s));
}

TEST(NativeCString, TrimKeepsADoubleByteCharacterWhole)
{
    CString s = B("\x81 ");       // the space is the trail byte
    s.TrimRight();
    EXPECT_EQ(2, s.GetLength());
    CString t = B(" \t\r\nab\x95\x5C \t\r\n");
    t.TrimRight();
    t.TrimLeft();
    EXPECT_EQ(Escaped(B("ab\x95\x5C")), Escaped(t));
    CString blank = B(" \t ");
    blank.TrimRight();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(NativeCString, ReleaseBufferStopsAtTheRoom)
{
    CString s("abc");
    char* buf = s.GetBuffer(10);
    std::memset(buf, 'x', 10);     // every byte written, no terminator
    s.ReleaseBuffer(-1);
    EXPECT_EQ(10, s.GetLength());
    s.ReleaseBuffer(1000);          // past the room: clamped
    EXPECT_LE(s.GetLength(), 10);

    CString e;
    e.GetBuffer(0)[0] = '\0';
    e.ReleaseBuffer();
    EXPECT_TRUE(e.IsEmpty());
    CString g;
    EXPECT_EQ('\0', g.GetBufferSetLength(5)[5]);
    EXPECT_EQ(5, g.GetLength());
}

TEST(NativeCString, AppendsOfItsOwnBytes)
{
    CString s("0123456789");
    s.Append(static_cast<const char*>(s) + 5, 5);
    EXPECT_STREQ("012345678956789", s);
    s += s;
    EXPECT_EQ(30, s.GetLength());
    s = static_cast<const char*>(s) + 20;
    EXPECT_STREQ("5678956789", s);
}

TEST(NativeCString, LongStrings)
{
    const int kLen = 1 << 20;
    CString s;
    for (int i = 0; i < kLen / 2; ++i) s += "\x95\x5C";
    ASSERT_EQ(kLen, s.GetLength());
    EXPECT_EQ(-1, s.Find('\\'));
    EXPECT_EQ(-1, s.ReverseFind('\x5C'));
    s += '\\';
    EXPECT_EQ(kLen, s.Find('\\'));
    EXPECT_EQ(kLen, s.Find("\\", kLen - 1));   // a start on a trail byte
    CString f;
    f.Format("%s|%d", static_cast<const char*>(s), 7);
    EXPECT_EQ(kLen + 3, f.GetLength());
}

} // namespace

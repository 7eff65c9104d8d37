// CString at the byte level, beyond the shared tests: zero bytes inside, integer limits
// as counts, very long strings.
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

struct FindSubRow {
    CString s;
    const char* sub;
    int start;
    int want;
};

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

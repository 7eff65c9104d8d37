// CP932 stepping at the edges: a lone lead byte at the end or before a zero byte, trail
// bytes equal to separators, positions outside the string.
#include "native_support.h"

#include <genbafw/cp932.h>

#include <gtest/gtest.h>

namespace {

using genba::cp932::CharStart;
using genba::cp932::IsCharBoundary;
using genba::cp932::NextPos;

struct StepRow {
    CString s;
    int pos;
    int next;
};

TEST(NativeCp932, NextPosNeverStepsOverTheEnd)
{
    const StepRow rows[] = {
        {B("\x95\x5C"), 0, 2},
        {B("\x81"), 0, 1},          // lone lead byte at the end
        {B("\x81\0a"), 0, 1},        // lead byte before a zero byte
        {B("\xFC\x40"), 0, 2},       // last lead byte
        {B("\xFD\x40"), 0, 1},       // not a lead byte
        {B("\x80\x40"), 0, 1},
        {B("\xA0\x40"), 0, 1},
        {B("\xE0\x40"), 0, 2},
        {B("ab"), 2, 2},
        {B("ab"), 5, 2},
        {B("ab"), -3, 0},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        const StepRow& r = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << Escaped(r.s) << " at " << r.pos);
        EXPECT_EQ(r.next, NextPos(r.s, r.s.GetLength(), r.pos));
    }
}

TEST(NativeCp932, CharStartFindsTheLeadByte)
{
    CString s = B("a\x95\x5C\x81\x81\x81");   // a, 表, a pair 81 81, a lone 81
    const int starts[] = {0, 1, 1, 3, 3, 5, 6};
    for (int pos = 0; pos <= s.GetLength(); ++pos) {
        SCOPED_TRACE(pos);
        EXPECT_EQ(starts[pos], CharStart(s, s.GetLength(), pos));
        EXPECT_EQ(starts[pos] == pos, IsCharBoundary(s, s.GetLength(), pos));
    }
}

TEST(NativeCp932, ByteSearchesMatchOneByteCharactersOnly)
{
    CString s = B("\x95\x5C\\\x81");
    EXPECT_EQ(2, genba::cp932::FindByte(s, s.GetLength(), '\\'));
    EXPECT_EQ(2, genba::cp932::ReverseFindByte(s, s.GetLength(), '\\'));
    EXPECT_EQ(-1, genba::cp932::FindByte(s, s.GetLength(), '\x95'));
    EXPECT_EQ(3, genba::cp932::FindByte(s, s.GetLength(), '\x81'));
    EXPECT_EQ(-1, genba::cp932::FindByte(s, s.GetLength(), '\\', 3));
    EXPECT_EQ(-1, genba::cp932::FindByte(s, 0, '\\'));
}

} // namespace

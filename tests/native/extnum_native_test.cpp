// Extension numbers and lists at the byte level: double-byte names, strtoul's corners,
// zero bytes inside, bars as trail bytes, indexes at the integer limits.
#include "native_support.h"

#include "pathname/extnum.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace genba::ext;

struct NumberRow {
    CString path;
    uint32_t want;
};

TEST(NativeExtNumber, ReadsTheLastExtensionOfTheFilePart)
{
    const NumberRow rows[] = {
        {B("\x95\x5C.001"), 1},
        {B("a.\x95\x5C"), 0},
        {B("d.001\\\x95\x5C"), 0},            // the dot is in a folder name
        {B("\x95\x5C.001\\a.00a"), 10},
        {B("a\x81.001"), 0},                  // 81 2E is one character: no dot
        {B("a. \t1F"), 31},                   // leading white space
        {B("a.+1"), 1},
        {B("a.0x"), 0},
        {B("a.0xFFF"), 4095},
        {B("a.-1"), 0},                       // negated modulo 2^32: far too large
        {B("a.-FFFFF001"), 4095},             // ... and back into range
        {B("a.FFFFFFFFF"), 0},                // too large for 32 bits
        {B("a.10000000F"), 0},
        {B("a.0\0" "1"), 0},                  // read up to the zero byte
        {B("a.1\0" "\\b"), 0},                // the zero byte does not end the path: file b
        {B("."), 0},
        {B(""), 0},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << Escaped(rows[i].path));
        EXPECT_EQ(rows[i].want, GetExtNumber(rows[i].path));
    }
}

TEST(NativeExtNumber, ExtStrOnlyInRange)
{
    EXPECT_EQ(Escaped(B("")), Escaped(GetExtStr(0)));
    EXPECT_EQ(Escaped(B(".001")), Escaped(GetExtStr(1)));
    EXPECT_EQ(Escaped(B(".FFF")), Escaped(GetExtStr(4095)));
    EXPECT_EQ(Escaped(B("")), Escaped(GetExtStr(4096)));
    EXPECT_EQ(Escaped(B("")), Escaped(GetExtStr(0xFFFFFFFFu)));
    for (uint32_t n = 1; n <= 4095; ++n) ASSERT_EQ(n, GetExtNumber("x" + GetExtStr(n))) << n;
}

struct ListRow {
    CString list;
    int count;
    int index;
    CString title;
    CString ext;
};

TEST(NativeExtList, FieldsSplitAtWholeBars)
{
    const ListRow rows[] = {
        {B("\x83\x7C|x"), 1, 0, B("\x83\x7C"), B("x")},            // trail 7C is not a bar
        {B("\x81|x|"), 1, 0, B("\x81|x"), B("")},                  // nor a bar after a lead byte
        {B("a|\x95\x5C|b|\x81"), 2, 1, B("b"), B("\x81")},         // lone lead byte at the end
        {B("a\0b|c"), 1, 0, B("a\0b"), B("c")},                    // zero bytes inside
        {B("a|b||"), 2, 1, B(""), B("")},
        {B("a|b"), 1, INT_MAX, B(""), B("")},
        {B("a|b"), 1, INT_MIN, B(""), B("")},
        {B("|||||"), 3, INT_MAX / 2 + 1, B(""), B("")},
        {B(""), 0, 0, B(""), B("")},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        const ListRow& r = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << Escaped(r.list) << " index " << r.index);
        EXPECT_EQ(r.count, GetExtCount(r.list));
        EXPECT_EQ(Escaped(r.title), Escaped(GetExtTitle(r.list, r.index)));
        EXPECT_EQ(Escaped(r.ext), Escaped(GetExt(r.list, r.index)));
    }
}

TEST(NativeExtList, LongList)
{
    CString list;
    for (int i = 0; i < 500; ++i) list += "\x83\x7C|*.\x95\x5C|";
    EXPECT_EQ(500, GetExtCount(list));
    EXPECT_EQ(Escaped(B("*.\x95\x5C")), Escaped(GetExt(list, 499)));
    EXPECT_EQ(Escaped(B("")), Escaped(GetExt(list, 500)));
}

} // namespace

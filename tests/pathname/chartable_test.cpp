// The pure code carries its own tables of the system's single-byte letter test, upper-
// casing and lead bytes; under code page 932 they must agree with the system for every byte.
#include <genbafw/cp932.h>

#include "pathname/syschar.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(CharTable, AgreesWithTheSystemForEveryByte)
{
    ASSERT_EQ(932u, GetACP()) << "the tests need the Japanese ANSI code page";
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const unsigned char u = static_cast<unsigned char>(b);
        // A pointer whose high word is zero carries one character.
        const ULONG_PTR upper = reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(u))));
        EXPECT_EQ(IsCharAlphaA(c) != FALSE, genba::cp932::IsAlphaByte(u)) << "byte " << b;
        EXPECT_EQ(IsCharAlphaA(c) != FALSE, genba::SysIsAlpha(c)) << "byte " << b;
        EXPECT_EQ(static_cast<unsigned char>(upper & 0xFF), genba::cp932::UpperByte(u)) << "byte " << b;
        EXPECT_EQ(static_cast<char>(upper & 0xFF), genba::SysUpperChar(c)) << "byte " << b;
        EXPECT_EQ(IsDBCSLeadByteEx(932, u) != FALSE, genba::cp932::IsLeadByte(u)) << "byte " << b;
    }
}

} // namespace

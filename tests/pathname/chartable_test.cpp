// The pure code carries its own table of the system's single-byte letter test and
// upper-casing; under code page 932 it must agree with the system for every byte.
#include <genbafw/cp932.h>

#include "pathname/syschar.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

class CharTable : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(932u, GetACP()) << "the tests need the Japanese ANSI code page"; }
};

TEST_F(CharTable, LetterTestMatchesIsCharAlphaA)
{
    for (int b = 0; b < 256; ++b) {
        char c = static_cast<char>(b);
        bool system = IsCharAlphaA(c) != FALSE;
        EXPECT_EQ(system, genba::cp932::IsAlphaByte(static_cast<unsigned char>(b))) << "byte " << b;
        EXPECT_EQ(system, genba::SysIsAlpha(c)) << "byte " << b;
    }
}

TEST_F(CharTable, UpperCasingMatchesCharUpperA)
{
    for (int b = 0; b < 256; ++b) {
        // A pointer whose high word is zero carries one character.
        ULONG_PTR v = reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(b))));
        unsigned char system = static_cast<unsigned char>(v & 0xFF);
        EXPECT_EQ(system, genba::cp932::UpperByte(static_cast<unsigned char>(b))) << "byte " << b;
        EXPECT_EQ(static_cast<char>(system), genba::SysUpperChar(static_cast<char>(b))) << "byte " << b;
    }
}

TEST_F(CharTable, LeadBytesMatchTheSystem)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(IsDBCSLeadByteEx(932, static_cast<BYTE>(b)) != FALSE, genba::cp932::IsLeadByte(static_cast<unsigned char>(b)))
            << "byte " << b;
}

}  // namespace

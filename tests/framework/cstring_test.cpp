#include <genbafw/cstring.h>
#include <gtest/gtest.h>

TEST(CStringTest, Smoke)
{
    CString s("abc");
    EXPECT_EQ(3, s.GetLength());
}

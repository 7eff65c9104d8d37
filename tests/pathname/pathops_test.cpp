#include <genbaenv/environ.h>
#include <gtest/gtest.h>

TEST(AddFileNameTest, Smoke)
{
    CEnvironObj env;
    CString p("C:\\dir\\\\//");
    env.AddFileName(p, "a.txt");
    EXPECT_STREQ("C:\\dir\\a.txt", p);
}

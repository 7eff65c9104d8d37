// Site paths and the directory operations: GenbaPath, IsExist, CreateDir, RemoveDir.
// Which folder a number finds: tests/pathname (SearchExtDir).
#include "support/testsupport.h"

#include <genbaenv/environ.h>
#include <gtest/gtest.h>

using namespace genbatest;

#define FOLDER1 "\xCC\xAB\xD9\xC0\xDE\xB0" "1.001"   // ﾌｫﾙﾀﾞｰ1.001
#define SITE "\x8C\xBB\x8F\xEA"                      // 現場

TEST(GenbaPath, NamedFoldersOrDefaultNames)
{
    CEnvironObj env;
    const CString d = FreshDir("genba_path"), e = FreshDir("genba_path_named");
    ASSERT_TRUE(MakeDir(e + "\\Tokyo.001") && MakeDir(e + "\\Tokyo.001\\East.002"));
    ASSERT_TRUE(WriteFile(e + "\\Tokyo.001\\file.003"));
    const struct { CString base; unsigned short folderNo, siteNo; CString path; } rows[] = {
        {d, 1, 2, d + "\\" FOLDER1 "\\" SITE "-2.002"},
        {d, 0, 7, d},   // the site number counts only with a folder number
        {d, 4096, 1, ""},
        {d, 5, 4096, ""},
        {e, 1, 2, e + "\\Tokyo.001\\East.002"},
        {e, 1, 3, e + "\\Tokyo.001\\" SITE "-3.003"},   // a file is no site
    };
    for (const auto& r : rows) EXPECT_EQ(env.GenbaPath(r.base, r.folderNo, r.siteNo), r.path) << r.path;
    EXPECT_EQ(env.IsExist(d + "\\" FOLDER1), -1);   // nothing is created
}

// Steps in order; `check` is tested for `exists` (IsExist: -1 none, 0 file, 1 folder)
// after each.
TEST(CreateDir, EveryLevelUpToTheFirstThatCannotBeMade)
{
    CEnvironObj env;
    const CString d = FreshDir("createdir"), share = "\\\\genbasrv\\share";
    ASSERT_TRUE(WriteFile(d + "\\f"));
    env.RemoveDir(share + "\\cd_unc", 1);
    const struct { CString path; int last, result; CString check; int exists; } rows[] = {
        {d + "\\a\\b", 0, 1, d + "\\a\\b", -1},
        {d + "\\a\\b", 1, 1, d + "\\a\\b", 1},
        {d + "\\c\\d\\", 0, 1, d + "\\c\\d", 1},   // a trailing backslash ends the last level
        {d + "\\f\\x\\y", 0, 0, d + "\\f\\x", -1},  // a file in the way
        {d + "\\f", 1, 0, d + "\\f", 0},
        {share + "\\cd_unc\\x", 1, 1, share + "\\cd_unc\\x", 1},
        {share, 1, 0, "", -1},                      // the share itself is never made
        {"\\\\genbasrv\\nosuch\\x", 1, 0, "\\\\genbasrv\\nosuch", -1},
        {"\\\\\\share\\x", 1, 0, "", -1},
        {"\\\\genbasrv\\\\x", 1, 0, "", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(env.CreateDir(row.path, row.last), row.result);
        EXPECT_EQ(env.IsExist(row.check), row.exists);
    }
    EXPECT_EQ(env.RemoveDir(share + "\\cd_unc", 1), 1);
    {
        ScopedCurrentDir cwd(d);
        ASSERT_TRUE(cwd.ok());
        EXPECT_EQ(env.CreateDir("rel\\a", 1), 1);
        EXPECT_EQ(env.CreateDir(d.Left(2) + "drv\\a", 1), 1);
        EXPECT_EQ(env.CreateDir(d.Mid(2) + "\\rooted\\a", 1), 1);
    }
    for (const char* made : {"\\rel\\a", "\\drv\\a", "\\rooted\\a"}) EXPECT_EQ(env.IsExist(d + made), 1) << made;
}

TEST(RemoveDir, ContentsThenTheFolder)
{
    CEnvironObj env;
    const CString d = FreshDir("removedir");
    ASSERT_TRUE(MakeDir(d + "\\a") && MakeDir(d + "\\a\\b") && MakeDir(d + "\\sub"));
    for (const char* f : {"\\a\\b\\deep.txt", "\\top.txt", "\\hid.txt", "\\sub\\ro.txt"}) ASSERT_TRUE(WriteFile(d + f, "x"));
    ASSERT_TRUE(SetFileAttributesA(d + "\\hid.txt", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA(d + "\\sub\\ro.txt", FILE_ATTRIBUTE_READONLY));
    // A read-only file stays and makes the result 0; the walk goes on past it.
    EXPECT_EQ(env.RemoveDir(d, 0), 0);
    EXPECT_EQ(env.IsExist(d + "\\sub\\ro.txt"), 0);
    for (const char* gone : {"\\a", "\\top.txt", "\\hid.txt"}) EXPECT_EQ(env.IsExist(d + gone), -1) << gone;
    SetFileAttributesA(d + "\\sub\\ro.txt", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(env.RemoveDir(d, 0), 1);
    EXPECT_EQ(env.IsExist(d), 1);
    EXPECT_EQ(env.RemoveDir(d, 1), 1);
    EXPECT_EQ(env.IsExist(d), -1);
    EXPECT_EQ(env.RemoveDir(d, 0), 1);   // nothing to empty
    EXPECT_EQ(env.RemoveDir(d, 1), 0);
    EXPECT_EQ(env.RemoveDir("", 0), 0);
}

// A folder link leads outside: it is never descended into. Wine refuses to remove a
// link to a folder that is not empty, Windows removes the link: either way the result
// says whether the link went, and nothing outside is touched.
TEST(RemoveDir, NeverDeletesThroughAFolderLink)
{
    CEnvironObj env;
    const CString outside = FreshDir("removedir_link_target"), d = FreshDir("removedir_link");
    ASSERT_TRUE(WriteFile(outside + "\\keep.txt", "k"));
    ASSERT_TRUE(MakeDir(d + "\\sub") && WriteFile(d + "\\sub\\b.txt"));
    ASSERT_TRUE(MakeSymlink(outside, d + "\\sub\\lnk"));
    const int result = env.RemoveDir(d, 0);
    EXPECT_EQ(env.IsExist(outside + "\\keep.txt"), 0);
    EXPECT_EQ(env.IsExist(d + "\\sub\\b.txt"), -1);
    EXPECT_EQ(result == 1, env.IsExist(d + "\\sub\\lnk") == -1);
}

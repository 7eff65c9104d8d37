#include <genbaenv/environ.h>

#include <gtest/gtest.h>

#include "support/testsupport.h"

namespace {

using genbatest::FreshDir;
using genbatest::WriteFile;

#define FOLDER1 "\xCC\xAB\xD9\xC0\xDE\xB0" "1.001"   // ﾌｫﾙﾀﾞｰ1.001
#define SITE2 "\x8C\xBB\x8F\xEA" "-2.002"             // 現場-2.002

bool Exists(const CString& p) { return GetFileAttributesA(p) != INVALID_FILE_ATTRIBUTES; }

TEST(GenbaPath, DefaultNamesWhenNothingExists)
{
    CEnvironObj env;
    CString d = FreshDir("genba_default");
    struct Row {
        CString base;
        unsigned short folderNo, siteNo;
        CString expected;
    } rows[] = {
        {d, 1, 2, d + "\\" FOLDER1 "\\" SITE2},
        {d, 0, 7, d},   // the site number counts only with a folder number
        {d, 4095, 0, d + "\\\xCC\xAB\xD9\xC0\xDE\xB0" "4095.FFF"},
        {d, 4096, 1, CString()},
        {d, 5, 4096, CString()},
        {"", 1, 2, CString()},   // no data home loaded yet
        {"\\\\genbasrv\\share\\", 1, 0, "\\\\genbasrv\\share\\" FOLDER1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.expected, env.GenbaPath(r.base, r.folderNo, r.siteNo)) << r.folderNo << ',' << r.siteNo;
    EXPECT_FALSE(Exists(d + "\\" FOLDER1));   // nothing is created
}

TEST(GenbaPath, ExistingNamedFolders)
{
    CEnvironObj env;
    for (CString d : {FreshDir("genba_named"), CString("\\\\genbasrv\\share\\genba_unc")}) {
        SCOPED_TRACE(d);
        env.RemoveDir(d, 1);
        ASSERT_EQ(1, env.CreateDir(d + "\\Old.001", 1));
        ASSERT_TRUE(SetFileAttributesA(d + "\\Old.001", FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(CreateDirectoryA(d + "\\Tokyo.0012", nullptr));   // short name TOKYO~1.001
        EXPECT_EQ(d + "\\" FOLDER1 "\\" SITE2, env.GenbaPath(d, 1, 2));   // hidden and long-extension folders pass
        ASSERT_EQ(1, env.CreateDir(d + "\\Tokyo.001\\East.002", 1));
        ASSERT_TRUE(WriteFile(d + "\\Tokyo.001\\file.003"));
        EXPECT_EQ(d + "\\Tokyo.001\\East.002", env.GenbaPath(d, 1, 2));
        EXPECT_EQ(d + "\\Tokyo.001\\\x8C\xBB\x8F\xEA-3.003", env.GenbaPath(d, 1, 3));   // a file is no site
    }
}

TEST(IsExist, Codes)
{
    CEnvironObj env;
    CString d = FreshDir("isexist");
    ASSERT_TRUE(WriteFile(d + "\\f.txt"));
    EXPECT_EQ(1, env.IsExist(d));
    EXPECT_EQ(0, env.IsExist(d + "\\f.txt"));
    EXPECT_EQ(-1, env.IsExist(d + "\\missing"));
    EXPECT_EQ(-1, env.IsExist(""));
}

// Steps in order; `check` is tested for `exists` after the step.
TEST(CreateDir, DriveRootedUncAndInTheWay)
{
    CEnvironObj env;
    CString d = FreshDir("createdir");
    ASSERT_TRUE(WriteFile(d + "\\f"));
    for (const char* p : {"T:\\cd_top", "T:\\cd_rooted", "\\\\genbasrv\\share\\cd_unc"}) env.RemoveDir(p, 1);
    struct Row {
        CString path;
        int last, result;
        CString check;
        int exists;
    } rows[] = {
        {"T:\\cd_top\\Mid\\Leaf", 0, 1, "T:\\cd_top\\Mid\\Leaf", -1},
        {"T:\\cd_top\\Mid\\Leaf", 1, 1, "T:\\cd_top\\Mid\\Leaf", 1},
        {"T:\\cd_top\\Mid\\Leaf", 1, 1, "T:\\cd_top\\Mid", 1},   // all there already
        {"T:\\cd_top\\A\\B\\", 0, 1, "T:\\cd_top\\A\\B", 1},     // a trailing backslash ends the last level
        {"\\\\genbasrv\\share\\cd_unc\\x", 1, 1, "\\\\genbasrv\\share\\cd_unc\\x", 1},
        {"\\\\genbasrv\\share", 1, 0, "", -1},   // no folder level: the share itself is never created
        {"\\\\genbasrv\\nosuch\\x", 1, 0, "\\\\genbasrv\\nosuch", -1},   // nor a share that is not there
        {"\\\\\\share\\x", 1, 0, "", -1},        // empty server
        {"\\\\genbasrv\\\\x", 1, 0, "", -1},     // empty share
        {"\\\\genbasrv", 1, 0, "", -1},
        {d + "\\f\\x\\y", 1, 0, d + "\\f", 0},
        {d + "\\f", 1, 0, d + "\\f", 0},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i << ' ' << rows[i].path);
        EXPECT_EQ(rows[i].result, env.CreateDir(rows[i].path, rows[i].last));
        EXPECT_EQ(rows[i].exists, env.IsExist(rows[i].check));
    }
    ASSERT_EQ(1, env.CreateDir(d + "\\a\\b", 1));
    ASSERT_TRUE(WriteFile(d + "\\a\\b\\g"));
    EXPECT_EQ(0, env.CreateDir(d + "\\a\\b\\g\\h", 0));   // a middle level is the file
    {
        genbatest::ScopedCurrentDir cwd(d);
        ASSERT_TRUE(cwd.ok());
        EXPECT_EQ(1, env.CreateDir("rel\\a", 1));
    }
    EXPECT_EQ(1, env.IsExist(d + "\\rel\\a"));
    {
        genbatest::ScopedCurrentDir cwd("T:\\");
        ASSERT_TRUE(cwd.ok());
        EXPECT_EQ(1, env.CreateDir("\\cd_rooted\\x", 1));
    }
    EXPECT_EQ(1, env.IsExist("T:\\cd_rooted\\x"));
    for (const char* p : {"T:\\cd_top", "T:\\cd_rooted", "\\\\genbasrv\\share\\cd_unc"})
        EXPECT_EQ(1, env.RemoveDir(p, 1)) << p;
}

TEST(RemoveDir, NestedFoldersReadOnlyFileAndMissingFolder)
{
    CEnvironObj env;
    CString d = FreshDir("removedir");
    ASSERT_EQ(1, env.CreateDir(d + "\\a\\b\\c", 1));
    ASSERT_TRUE(CreateDirectoryA(d + "\\empty", nullptr));
    const char* files[] = {"\\a\\b\\c\\deep.txt", "\\top.txt", "\\x.ABCD", "\\hid.txt", "\\noext"};
    for (const char* f : files) ASSERT_TRUE(WriteFile(d + f, "x"));
    ASSERT_TRUE(SetFileAttributesA(d + "\\hid.txt", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(1, env.RemoveDir(d, 0));
    EXPECT_EQ(1, env.IsExist(d));
    for (const char* gone : {"\\a", "\\empty", "\\top.txt", "\\x.ABCD", "\\hid.txt", "\\noext"})
        EXPECT_EQ(-1, env.IsExist(d + gone)) << gone;

    // A read-only file stays and makes the result 0; the rest goes, the walk goes on.
    ASSERT_EQ(1, env.CreateDir(d + "\\sub\\inner", 1));
    ASSERT_EQ(1, env.CreateDir(d + "\\other", 1));
    for (const char* f : {"\\sub\\ro.txt", "\\sub\\w.txt", "\\other\\x.txt", "\\y.txt"}) ASSERT_TRUE(WriteFile(d + f));
    ASSERT_TRUE(SetFileAttributesA(d + "\\sub\\ro.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(0, env.RemoveDir(d, 1));
    EXPECT_EQ(0, env.IsExist(d + "\\sub\\ro.txt"));
    for (const char* gone : {"\\sub\\w.txt", "\\sub\\inner", "\\other", "\\y.txt"})
        EXPECT_EQ(-1, env.IsExist(d + gone)) << gone;
    SetFileAttributesA(d + "\\sub\\ro.txt", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(1, env.RemoveDir(d, 1));
    EXPECT_EQ(-1, env.IsExist(d));

    EXPECT_EQ(1, env.RemoveDir(d + "\\missing", 0));
    EXPECT_EQ(0, env.RemoveDir(d + "\\missing", 1));
    EXPECT_EQ(0, env.RemoveDir("", 0));
}

// A folder link inside the folder leads outside it: it is never descended into. Wine
// refuses to remove a link to a non-empty folder, Windows removes the link: either way
// the result says whether the link went, and nothing outside is touched.
TEST(RemoveDir, NeverDeletesThroughAFolderLink)
{
    CEnvironObj env;
    CString outside = FreshDir("removedir_link_target");
    ASSERT_EQ(1, env.CreateDir(outside + "\\deep", 1));
    ASSERT_TRUE(WriteFile(outside + "\\keep.txt", "k"));
    ASSERT_TRUE(WriteFile(outside + "\\deep\\keep2.txt", "k"));
    CString d = FreshDir("removedir_link");
    ASSERT_EQ(1, env.CreateDir(d + "\\sub", 1));
    ASSERT_TRUE(WriteFile(d + "\\a.txt"));
    ASSERT_TRUE(WriteFile(d + "\\sub\\b.txt"));
    ASSERT_TRUE(genbatest::MakeSymlink(outside, d + "\\lnk"));
    ASSERT_TRUE(genbatest::MakeSymlink(outside + "\\deep", d + "\\sub\\lnk2"));

    int result = env.RemoveDir(d, 0);
    EXPECT_EQ(0, env.IsExist(outside + "\\keep.txt"));
    EXPECT_EQ(0, env.IsExist(outside + "\\deep\\keep2.txt"));
    EXPECT_EQ(-1, env.IsExist(d + "\\a.txt"));
    EXPECT_EQ(-1, env.IsExist(d + "\\sub\\b.txt"));
    bool linksGone = !Exists(d + "\\lnk") && !Exists(d + "\\sub\\lnk2");
    EXPECT_EQ(linksGone, result == 1);
}

} // namespace

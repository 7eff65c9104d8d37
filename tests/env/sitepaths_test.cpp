#include <genbaenv/environ.h>
#include <genbafw/filefind.h>

#include <gtest/gtest.h>

#include "support/testsupport.h"

namespace {

using genbatest::FreshDir;
using genbatest::WriteFile;

#define FOLDER1 "\xCC\xAB\xD9\xC0\xDE\xB0" "1.001"   // ﾌｫﾙﾀﾞｰ1.001
#define SITE2 "\x8C\xBB\x8F\xEA" "-2.002"             // 現場-2.002

bool Exists(const CString& p) { return GetFileAttributesA(p) != INVALID_FILE_ATTRIBUTES; }

// An empty folder of the test's own below `parent` (a UNC share or a drive).
CString FreshFolderIn(const CEnvironObj& env, const CString& parent, const char* name)
{
    CString dir = parent + "\\" + name;
    env.RemoveDir(dir, 1);
    CreateDirectoryA(dir, nullptr);
    return dir;
}

TEST(GenbaPath, DefaultNamesWhenNothingExists)
{
    CEnvironObj env;
    CString d = FreshDir("genba_default");
    struct Row {
        unsigned short folderNo, siteNo;
        CString expected;
    } rows[] = {
        {1, 2, d + "\\" FOLDER1 "\\" SITE2},
        {1, 0, d + "\\" FOLDER1},
        {0, 7, d},   // the site number counts only with a folder number
        {4095, 0, d + "\\\xCC\xAB\xD9\xC0\xDE\xB0" "4095.FFF"},
        {4096, 1, CString()},
        {5, 4096, CString()},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.expected, env.GenbaPath(d, r.folderNo, r.siteNo)) << r.folderNo << ',' << r.siteNo;
    EXPECT_FALSE(Exists(d + "\\" FOLDER1));   // nothing is created
    EXPECT_EQ(CString(), env.GenbaPath("", 1, 2));   // no data home loaded yet
    EXPECT_EQ(CString(), env.GenbaPath("", 0, 0));
}

TEST(GenbaPath, ExistingNamedFolders)
{
    CEnvironObj env;
    CString d = FreshDir("genba_named");
    ASSERT_TRUE(CreateDirectoryA(d + "\\Old.001", nullptr));
    ASSERT_TRUE(SetFileAttributesA(d + "\\Old.001", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(CreateDirectoryA(d + "\\Tokyo.0012", nullptr));   // short name TOKYO~1.001
    EXPECT_EQ(d + "\\" FOLDER1, env.GenbaPath(d, 1, 0));   // hidden and long-extension folders pass
    ASSERT_TRUE(CreateDirectoryA(d + "\\Tokyo.001", nullptr));
    ASSERT_TRUE(CreateDirectoryA(d + "\\Tokyo.001\\East.002", nullptr));
    ASSERT_TRUE(WriteFile(d + "\\Tokyo.001\\file.003"));
    EXPECT_EQ(d + "\\Tokyo.001\\East.002", env.GenbaPath(d, 1, 2));
    EXPECT_EQ(d + "\\Tokyo.001\\\x8C\xBB\x8F\xEA-3.003", env.GenbaPath(d, 1, 3));   // a file is no site
}

TEST(GenbaPath, UncBase)
{
    CEnvironObj env;
    CString base = FreshFolderIn(env, "\\\\genbasrv\\share", "genba_unc");
    ASSERT_TRUE(Exists(base));
    EXPECT_EQ(base + "\\" FOLDER1 "\\" SITE2, env.GenbaPath(base, 1, 2));
    ASSERT_TRUE(CreateDirectoryA(base + "\\Osaka.001", nullptr));
    ASSERT_TRUE(CreateDirectoryA(base + "\\Osaka.001\\Kita.002", nullptr));
    EXPECT_EQ(base + "\\Osaka.001\\Kita.002", env.GenbaPath(base, 1, 2));
    EXPECT_EQ(CString("\\\\genbasrv\\share\\" FOLDER1), env.GenbaPath("\\\\genbasrv\\share\\", 1, 0));
}

TEST(IsExist, Codes)
{
    CEnvironObj env;
    CString d = FreshDir("isexist");
    ASSERT_TRUE(WriteFile(d + "\\f.txt"));
    EXPECT_EQ(1, env.IsExist("C:\\windows"));
    EXPECT_EQ(1, env.IsExist(d));
    EXPECT_EQ(0, env.IsExist(d + "\\f.txt"));
    EXPECT_EQ(-1, env.IsExist(d + "\\missing"));
    EXPECT_EQ(-1, env.IsExist(""));
}

TEST(CreateDir, DrivePaths)
{
    CEnvironObj env;
    env.RemoveDir("T:\\cd_top", 1);
    EXPECT_EQ(1, env.CreateDir("T:\\cd_top\\Mid\\Leaf", 0));
    EXPECT_EQ(1, env.IsExist("T:\\cd_top\\Mid"));
    EXPECT_EQ(-1, env.IsExist("T:\\cd_top\\Mid\\Leaf"));
    EXPECT_EQ(1, env.CreateDir("T:\\cd_top\\Mid\\Leaf", 1));
    EXPECT_EQ(1, env.IsExist("T:\\cd_top\\Mid\\Leaf"));
    EXPECT_EQ(1, env.CreateDir("T:\\cd_top\\Mid\\Leaf", 1));   // all there already
    EXPECT_EQ(1, env.CreateDir("T:\\cd_top\\A\\B\\", 0));       // a trailing backslash ends the last level
    EXPECT_EQ(1, env.IsExist("T:\\cd_top\\A\\B"));
    EXPECT_EQ(1, env.RemoveDir("T:\\cd_top", 1));
}

TEST(CreateDir, RootedAndRelativePaths)
{
    CEnvironObj env;
    CString d = FreshDir("createdir_rel");
    {
        genbatest::ScopedCurrentDir cwd(d);
        ASSERT_TRUE(cwd.ok());
        EXPECT_EQ(1, env.CreateDir("rel\\a", 1));
    }
    EXPECT_EQ(1, env.IsExist(d + "\\rel\\a"));
    env.RemoveDir("T:\\cd_rooted", 1);
    {
        genbatest::ScopedCurrentDir cwd("T:\\");
        ASSERT_TRUE(cwd.ok());
        EXPECT_EQ(1, env.CreateDir("\\cd_rooted\\x", 1));
    }
    EXPECT_EQ(1, env.IsExist("T:\\cd_rooted\\x"));
    env.RemoveDir("T:\\cd_rooted", 1);
}

TEST(CreateDir, FileInTheWay)
{
    CEnvironObj env;
    CString d = FreshDir("createdir_file");
    ASSERT_TRUE(WriteFile(d + "\\f"));
    EXPECT_EQ(0, env.CreateDir(d + "\\f\\x\\y", 1));
    EXPECT_EQ(0, env.CreateDir(d + "\\f", 1));
    ASSERT_EQ(1, env.CreateDir(d + "\\a\\b", 1));
    ASSERT_TRUE(WriteFile(d + "\\a\\b\\g"));
    EXPECT_EQ(0, env.CreateDir(d + "\\a\\b\\g\\h", 0));   // a middle level is the file
}

TEST(CreateDir, UncPaths)
{
    CEnvironObj env;
    env.RemoveDir("\\\\genbasrv\\share\\cd_unc", 1);
    EXPECT_EQ(1, env.CreateDir("\\\\genbasrv\\share\\cd_unc\\x", 1));
    EXPECT_EQ(1, env.IsExist("\\\\genbasrv\\share\\cd_unc\\x"));
    EXPECT_EQ(1, env.RemoveDir("\\\\genbasrv\\share\\cd_unc", 1));
    struct Row {
        const char* path;
    } refused[] = {
        {"\\\\genbasrv\\share"},        // no folder level: the share itself is never created
        {"\\\\genbasrv\\nosuch\\x"},    // nor a share that is not there
        {"\\\\\\share\\x"},             // empty server
        {"\\\\genbasrv\\\\x"},          // empty share
        {"\\\\genbasrv"},
    };
    for (const Row& r : refused) EXPECT_EQ(0, env.CreateDir(r.path, 1)) << r.path;
    EXPECT_EQ(-1, env.IsExist("\\\\genbasrv\\nosuch"));
}

TEST(RemoveDir, NestedFolders)
{
    CEnvironObj env;
    CString d = FreshDir("removedir_nested");
    ASSERT_EQ(1, env.CreateDir(d + "\\a\\b\\c", 1));
    ASSERT_TRUE(CreateDirectoryA(d + "\\empty", nullptr));
    ASSERT_TRUE(WriteFile(d + "\\a\\b\\c\\deep.txt", "x"));
    ASSERT_TRUE(WriteFile(d + "\\top.txt"));
    ASSERT_TRUE(WriteFile(d + "\\x.ABCD"));
    ASSERT_TRUE(WriteFile(d + "\\hid.txt"));
    ASSERT_TRUE(SetFileAttributesA(d + "\\hid.txt", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(1, env.RemoveDir(d, 0));
    EXPECT_EQ(1, env.IsExist(d));
    CFileFind ff;
    EXPECT_TRUE(ff.FindFile(d + "\\*"));   // only "." and ".." left
    int left = 0;
    for (BOOL more = TRUE; more;) {
        more = ff.FindNextFile();
        if (!ff.IsDots()) ++left;
    }
    EXPECT_EQ(0, left);
    ASSERT_TRUE(WriteFile(d + "\\again.txt"));
    EXPECT_EQ(1, env.RemoveDir(d, 1));
    EXPECT_EQ(-1, env.IsExist(d));
}

TEST(RemoveDir, ReadOnlyFileStaysAndTheRestGoes)
{
    CEnvironObj env;
    CString d = FreshDir("removedir_readonly");
    ASSERT_EQ(1, env.CreateDir(d + "\\sub\\inner", 1));
    ASSERT_EQ(1, env.CreateDir(d + "\\other", 1));
    ASSERT_TRUE(WriteFile(d + "\\sub\\ro.txt"));
    ASSERT_TRUE(WriteFile(d + "\\sub\\w.txt"));
    ASSERT_TRUE(WriteFile(d + "\\other\\x.txt"));
    ASSERT_TRUE(WriteFile(d + "\\y.txt"));
    ASSERT_TRUE(SetFileAttributesA(d + "\\sub\\ro.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(0, env.RemoveDir(d, 1));
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY, GetFileAttributesA(d + "\\sub\\ro.txt") & FILE_ATTRIBUTE_READONLY);
    for (const char* gone : {"\\sub\\w.txt", "\\sub\\inner", "\\other", "\\y.txt"})
        EXPECT_EQ(-1, env.IsExist(d + gone)) << gone;
    EXPECT_EQ(1, env.IsExist(d + "\\sub"));
    SetFileAttributesA(d + "\\sub\\ro.txt", FILE_ATTRIBUTE_NORMAL);
}

TEST(RemoveDir, MissingOrEmptyPath)
{
    CEnvironObj env;
    CString d = FreshDir("removedir_missing");
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

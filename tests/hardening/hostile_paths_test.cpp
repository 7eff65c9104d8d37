// Folder names as users and other programs make them: double-byte names whose second
// byte is a backslash, and folders past the 259 bytes the A functions take (made and
// removed here through the wide functions with the \\?\ prefix, which have no limit).
#include "support/testsupport.h"

#include <genbaenv/environ.h>
#include <genbafw/handle.h>
#include <gtest/gtest.h>

using namespace genbatest;

#define HYO "\x95\x5C"   // 表
#define SO "\x83\x5C"    // ソ

// A trail byte 5C is no separator: each level is cut at real backslashes only.
TEST(HostilePaths, DoubleByteLevels)
{
    CEnvironObj env;
    const CString d = FreshDir("hard_dbcs");
    EXPECT_EQ(env.CreateDir(d + "\\" HYO "\\" SO, 1), 1);
    EXPECT_EQ(env.IsExist(d + "\\" HYO "\\" SO), 1);
    ASSERT_TRUE(WriteFile(d + "\\" HYO "x.txt", "keep"));   // shares the first byte of 表
    EXPECT_EQ(env.RemoveDir(d + "\\" HYO, 1), 1);
    EXPECT_EQ(env.IsExist(d + "\\" HYO), -1);
    EXPECT_EQ(env.IsExist(d + "\\" HYO "x.txt"), 0);
}

// A folder too long for the A functions cannot be listed, nor even asked whether it is
// there: it has not been emptied, and its contents stay.
TEST(HostilePaths, FolderTooLongToListIsNotReportedEmptied)
{
    CEnvironObj env;
    const CString outer = FreshDir("hard_unlistable") + "\\" + CString('q', 150), path = outer + "\\" + CString('r', 120);
    const std::wstring wideOuter = L"\\\\?\\" + Wide(outer), widePath = L"\\\\?\\" + Wide(path);
    const std::wstring file = widePath + L"\\x.001";
    ASSERT_TRUE(CreateDirectoryW(wideOuter.c_str(), nullptr) && CreateDirectoryW(widePath.c_str(), nullptr));
    ASSERT_TRUE(genba::UniqueKernelHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
    EXPECT_EQ(env.RemoveDir(path, 0), 0);
    EXPECT_EQ(env.RemoveDir(path, 1), 0);
    EXPECT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(file.c_str());
    RemoveDirectoryW(widePath.c_str());
    RemoveDirectoryW(wideOuter.c_str());
}

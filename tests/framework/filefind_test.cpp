// CFileFind on real folders. Wine makes 8.3 names and matches the system's patterns
// against them (TOKYO~1.001 for Tokyo.0012, X~~~~3YL.ABC for x.ABCD), and its '?' never
// matches an empty position: the search must decide on each entry's own name.
#include <genbafw/filefind.h>
#include <genbafw/handle.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using genbatest::FreshDir;
using genbatest::WriteFile;
using Names = std::set<std::string>;

Names Listed(const CString& pattern)
{
    Names names;
    CFileFind ff;
    for (BOOL more = ff.FindFile(pattern); more;) {
        more = ff.FindNextFile();
        names.insert(static_cast<const char*>(ff.GetFileName()));
    }
    return names;
}

TEST(FileFind, MatchesOwnNamesAsWindowsDoes)
{
    const CString dir = FreshDir("filefind_names");
    ASSERT_TRUE(CreateDirectoryA(dir + "\\Tokyo.0012", nullptr));
    for (const char* f : {"x.ABCD", "a.12", "b.001", "c.html", "noext"}) ASSERT_TRUE(WriteFile(dir + "\\" + f));
    const struct { const char* pattern; Names names; } rows[] = {
        {"*.001", {"b.001"}}, {"*.ABC", {}}, {"*.htm", {}}, {"TOKYO~1.001", {}},
        {"*.???", {".", "..", "a.12", "b.001", "noext"}},
    };
    for (const auto& r : rows) EXPECT_EQ(Listed(dir + "\\" + r.pattern), r.names) << r.pattern;
}

// The attributes are seen through the listings that decide on them: hidden entries, dots
// and folders in tests/fileselect and tests/pathname, folder links in RemoveDir's tests.
TEST(FileFind, Paths)
{
    const CString dir = FreshDir("filefind_paths");
    const CString sub = dir + "\\\x95\x5C";   // 表 ends in byte 5C: split character-wise
    ASSERT_TRUE(CreateDirectoryA(sub, nullptr));
    ASSERT_TRUE(WriteFile(sub + "\\\x83\x5Cx.001"));
    // The last entry is reported; the path joins the pattern's folder as given.
    CFileFind ff;
    ASSERT_TRUE(ff.FindFile(sub + "\\\x83\x5C*"));
    EXPECT_FALSE(ff.FindNextFile());
    EXPECT_EQ(sub + "\\\x83\x5Cx.001", ff.GetFilePath());
    EXPECT_FALSE(ff.FindFile(dir + "\\missing\\*"));
    EXPECT_EQ(CString(), ff.GetFileName());
    ASSERT_TRUE(WriteFile("T:\\filefind_root.txt"));
    ASSERT_TRUE(ff.FindFile("T:\\filefind_root.*"));
    ff.FindNextFile();
    EXPECT_EQ(CString("T:\\filefind_root.txt"), ff.GetFilePath());   // a root keeps its one backslash
    DeleteFileA("T:\\filefind_root.txt");
}

// Cleaning up never hides the error that made a function fail: a close that fails
// itself (here one that only sets an error) leaves GetLastError as it was.
struct FailingCloseTraits {
    using Handle = int;
    static int Empty() { return 0; }
    static bool IsValid(int h) { return h != 0; }
    static void Close(int) { SetLastError(ERROR_INVALID_HANDLE); }
};

TEST(UniqueHandle, ClosingKeepsTheLastError)
{
    genba::UniqueHandle<FailingCloseTraits> handle(1);
    SetLastError(ERROR_PATH_NOT_FOUND);
    handle.reset();
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

} // namespace

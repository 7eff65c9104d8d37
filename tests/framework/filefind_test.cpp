#include <genbafw/filefind.h>
#include <genbafw/handle.h>

#include <gtest/gtest.h>

#include "support/testsupport.h"

#include <map>
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

// Wine makes 8.3 names and matches the system's patterns against them: TOKYO~1.001
// for Tokyo.0012, X~~~~3YL.ABC for x.ABCD. Its '?' also never matches an empty position.
TEST(FileFind, MatchesOwnNamesOnlyAndQuestionMarkMatchesShortExtensions)
{
    CString dir = FreshDir("filefind_names");
    ASSERT_TRUE(CreateDirectoryA(dir + "\\Tokyo.0012", nullptr));
    for (const char* f : {"x.ABCD", "a.12", "b.001", "c.html", "b.0001", "noext"})
        ASSERT_TRUE(WriteFile(dir + "\\" + f));
    const struct {
        const char* pattern;
        Names names;
    } rows[] = {
        {"*.001", {"b.001"}}, {"*.ABC", {}}, {"*.htm", {}}, {"TOKYO~1.001", {}},
        {"*.???", {".", "..", "a.12", "b.001", "noext"}}, {"a.1?", {"a.12"}},
    };
    for (const auto& r : rows) EXPECT_EQ(Listed(dir + "\\" + r.pattern), r.names) << r.pattern;
}

TEST(FileFind, LastEntryIsReportedAndNothingFound)
{
    CString dir = FreshDir("filefind_last");
    ASSERT_TRUE(WriteFile(dir + "\\only.txt"));
    CFileFind ff;
    ASSERT_TRUE(ff.FindFile(dir + "\\*.txt"));
    EXPECT_EQ(CString(), ff.GetFileName());   // nothing current before FindNextFile
    EXPECT_FALSE(ff.FindNextFile());
    EXPECT_EQ(CString("only.txt"), ff.GetFileName());
    EXPECT_EQ(dir + "\\only.txt", ff.GetFilePath());
    EXPECT_EQ(dir, ff.GetRoot());
    EXPECT_FALSE(ff.FindNextFile());
    EXPECT_EQ(CString("only.txt"), ff.GetFileName());
    EXPECT_FALSE(ff.FindFile(dir + "\\*.dat"));
    EXPECT_FALSE(ff.FindFile(dir + "\\missing\\*"));
    EXPECT_FALSE(ff.FindNextFile());
    EXPECT_EQ(CString(), ff.GetFileName());
}

TEST(FileFind, Attributes)
{
    CString dir = FreshDir("filefind_attr");
    ASSERT_TRUE(CreateDirectoryA(dir + "\\sub", nullptr));
    ASSERT_TRUE(WriteFile(dir + "\\hid.txt"));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\hid.txt", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFile(dir + "\\ro.txt"));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\ro.txt", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(genbatest::MakeSymlink(FreshDir("filefind_attr_target"), dir + "\\lnk"));
    // directory, hidden, read-only, reparse point, dots
    std::map<std::string, std::string> seen;
    CFileFind ff;
    for (BOOL more = ff.FindFile(dir + "\\*"); more;) {
        more = ff.FindNextFile();
        for (BOOL b : {ff.IsDirectory(), ff.IsHidden(), ff.IsReadOnly(), ff.IsReparsePoint(), ff.IsDots()})
            seen[static_cast<const char*>(ff.GetFileName())] += b ? '1' : '0';
    }
    EXPECT_EQ(seen, (std::map<std::string, std::string>{{".", "10001"}, {"..", "10001"}, {"sub", "10000"},
                                                         {"hid.txt", "01000"}, {"ro.txt", "00100"}, {"lnk", "10010"}}));
}

// Folder and name split character-wise: 表 ends in byte 5C.
TEST(FileFind, DoubleBytePatternAndFolder)
{
    CString dir = FreshDir("filefind_dbcs");
    CString sub = dir + "\\\x95\x5C";
    ASSERT_TRUE(CreateDirectoryA(sub, nullptr));
    ASSERT_TRUE(WriteFile(sub + "\\\x83\x5Cx.001"));
    ASSERT_TRUE(WriteFile(dir + "\\\x95\x5Cy.001"));
    EXPECT_EQ(Listed(sub + "\\*.001"), Names{"\x83\x5Cx.001"});
    EXPECT_EQ(Listed(dir + "\\\x95\x5C*.001"), Names{"\x95\x5Cy.001"});
    CFileFind ff;
    ASSERT_TRUE(ff.FindFile(sub + "\\\x83\x5C*"));
    ff.FindNextFile();
    EXPECT_EQ(sub + "\\\x83\x5Cx.001", ff.GetFilePath());
}

TEST(FileFind, PatternWithoutFolderMeansCurrentDirectoryAndRootKeepsItsBackslash)
{
    CString dir = FreshDir("filefind_cwd");
    ASSERT_TRUE(WriteFile(dir + "\\a.12"));
    {
        genbatest::ScopedCurrentDir cwd(dir);
        ASSERT_TRUE(cwd.ok());
        EXPECT_EQ(Listed("*.12"), Names{"a.12"});
        EXPECT_EQ(Listed(nullptr), (Names{".", "..", "a.12"}));
        EXPECT_EQ(Listed(""), (Names{".", "..", "a.12"}));
        CFileFind ff;
        ASSERT_TRUE(ff.FindFile("a.12"));
        ff.FindNextFile();
        EXPECT_EQ(CString("a.12"), ff.GetFilePath());
    }
    ASSERT_TRUE(WriteFile("T:\\filefind_root.txt"));
    {
        CFileFind ff;
        ASSERT_TRUE(ff.FindFile("T:\\filefind_root.*"));
        ff.FindNextFile();
        EXPECT_EQ(CString("T:\\"), ff.GetRoot());
        EXPECT_EQ(CString("T:\\filefind_root.txt"), ff.GetFilePath());
    }
    DeleteFileA("T:\\filefind_root.txt");
}

TEST(FileFind, SearchHandlesAreAlwaysClosed)
{
    CString dir = FreshDir("filefind_handles");
    for (const char* f : {"\\a.txt", "\\b.txt", "\\c.txt"}) ASSERT_TRUE(WriteFile(dir + f));
    long before = genbatest::ProcessHandleCount();
    for (int i = 0; i < 50; ++i) {
        CFileFind whole, abandoned, refilled;
        for (BOOL more = whole.FindFile(dir + "\\*"); more;) more = whole.FindNextFile();
        abandoned.FindFile(dir + "\\*");        // dropped mid-listing
        abandoned.FindNextFile();
        refilled.FindFile(dir + "\\*");         // a second search replaces the first
        refilled.FindFile(dir + "\\*.txt");
    }
    EXPECT_EQ(before, genbatest::ProcessHandleCount());
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

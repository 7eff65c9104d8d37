#include <genbafw/filefind.h>

#include <gtest/gtest.h>

#include "support/testsupport.h"

#include <map>
#include <set>
#include <string>

namespace {

using genbatest::FreshDir;
using genbatest::WriteFile;

std::set<std::string> Listed(const CString& pattern)
{
    std::set<std::string> names;
    CFileFind ff;
    for (BOOL more = ff.FindFile(pattern); more;) {
        more = ff.FindNextFile();
        names.insert(static_cast<const char*>(ff.GetFileName()));
    }
    return names;
}

// Wine makes 8.3 names and matches the system's patterns against them: TOKYO~1.001
// for Tokyo.0012, X~~~~3YL.ABC for x.ABCD. Its '?' also never matches an empty position.
class FileFindShortNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = FreshDir("filefind_names");
        ASSERT_TRUE(CreateDirectoryA(dir + "\\Tokyo.0012", nullptr));
        for (const char* f : {"x.ABCD", "a.12", "b.001", "c.html", "b.0001", "noext"})
            ASSERT_TRUE(WriteFile(dir + "\\" + f));
    }
    CString dir;
};

TEST_F(FileFindShortNames, NoEntryIsFoundThroughItsShortName)
{
    EXPECT_EQ(Listed(dir + "\\*.001"), (std::set<std::string>{"b.001"}));
    EXPECT_EQ(Listed(dir + "\\*.ABC"), std::set<std::string>{});
    EXPECT_EQ(Listed(dir + "\\*.htm"), std::set<std::string>{});
    EXPECT_EQ(Listed(dir + "\\TOKYO~1.001"), std::set<std::string>{});
}

TEST_F(FileFindShortNames, QuestionMarkMatchesShortExtensions)
{
    EXPECT_EQ(Listed(dir + "\\*.???"), (std::set<std::string>{".", "..", "a.12", "b.001", "noext"}));
    EXPECT_EQ(Listed(dir + "\\a.1?"), (std::set<std::string>{"a.12"}));
}

TEST(FileFind, LastEntryIsReportedAndValid)
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
}

TEST(FileFind, NothingFound)
{
    CString dir = FreshDir("filefind_none");
    CFileFind ff;
    EXPECT_FALSE(ff.FindFile(dir + "\\*.txt"));
    EXPECT_FALSE(ff.FindFile(dir + "\\missing\\*"));
    EXPECT_FALSE(ff.FindNextFile());
    EXPECT_EQ(CString(), ff.GetFileName());
}

TEST(FileFind, Attributes)
{
    CString dir = FreshDir("filefind_attr");
    CString outside = FreshDir("filefind_attr_target");
    ASSERT_TRUE(CreateDirectoryA(dir + "\\sub", nullptr));
    ASSERT_TRUE(WriteFile(dir + "\\hid.txt"));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\hid.txt", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteFile(dir + "\\ro.txt"));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\ro.txt", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(genbatest::MakeSymlink(outside, dir + "\\lnk"));
    struct Seen {
        BOOL dir, hidden, readOnly, reparse, dots;
    };
    std::map<std::string, Seen> seen;
    CFileFind ff;
    for (BOOL more = ff.FindFile(dir + "\\*"); more;) {
        more = ff.FindNextFile();
        seen[static_cast<const char*>(ff.GetFileName())] =
            Seen{ff.IsDirectory(), ff.IsHidden(), ff.IsReadOnly(), ff.IsReparsePoint(), ff.IsDots()};
    }
    ASSERT_EQ(6u, seen.size());
    EXPECT_TRUE(seen["."].dots && seen[".."].dots && seen["."].dir);
    EXPECT_TRUE(seen["sub"].dir && !seen["sub"].dots && !seen["sub"].reparse);
    EXPECT_TRUE(seen["hid.txt"].hidden && !seen["hid.txt"].dir);
    EXPECT_TRUE(seen["ro.txt"].readOnly && !seen["ro.txt"].hidden);
    EXPECT_TRUE(seen["lnk"].dir && seen["lnk"].reparse);
}

// Folder and name split character-wise: 表 ends in byte 5C.
TEST(FileFind, DoubleBytePatternAndFolder)
{
    CString dir = FreshDir("filefind_dbcs");
    CString sub = dir + "\\\x95\x5C";
    ASSERT_TRUE(CreateDirectoryA(sub, nullptr));
    ASSERT_TRUE(WriteFile(sub + "\\\x83\x5Cx.001"));
    ASSERT_TRUE(WriteFile(dir + "\\\x95\x5Cy.001"));
    EXPECT_EQ(Listed(sub + "\\*.001"), (std::set<std::string>{"\x83\x5Cx.001"}));
    EXPECT_EQ(Listed(dir + "\\\x95\x5C*.001"), (std::set<std::string>{"\x95\x5Cy.001"}));
    CFileFind ff;
    ASSERT_TRUE(ff.FindFile(sub + "\\\x83\x5C*"));
    ff.FindNextFile();
    EXPECT_EQ(sub + "\\\x83\x5Cx.001", ff.GetFilePath());
}

TEST(FileFind, PatternWithoutFolderMeansCurrentDirectory)
{
    CString dir = FreshDir("filefind_cwd");
    ASSERT_TRUE(WriteFile(dir + "\\a.12"));
    genbatest::ScopedCurrentDir cwd(dir);
    ASSERT_TRUE(cwd.ok());
    EXPECT_EQ(Listed("*.12"), (std::set<std::string>{"a.12"}));
    EXPECT_EQ(Listed(nullptr), (std::set<std::string>{".", "..", "a.12"}));
    EXPECT_EQ(Listed(""), (std::set<std::string>{".", "..", "a.12"}));
    CFileFind ff;
    ASSERT_TRUE(ff.FindFile("a.12"));
    ff.FindNextFile();
    EXPECT_EQ(CString("a.12"), ff.GetFilePath());
}

TEST(FileFind, RootKeepsItsBackslash)
{
    ASSERT_TRUE(WriteFile("T:\\filefind_root.txt"));
    CFileFind ff;
    ASSERT_TRUE(ff.FindFile("T:\\filefind_root.*"));
    ff.FindNextFile();
    EXPECT_EQ(CString("T:\\"), ff.GetRoot());
    EXPECT_EQ(CString("T:\\filefind_root.txt"), ff.GetFilePath());
    ff.Close();
    DeleteFileA("T:\\filefind_root.txt");
}

TEST(FileFind, SearchHandlesAreAlwaysClosed)
{
    CString dir = FreshDir("filefind_handles");
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(WriteFile(dir + "\\f" + CString(static_cast<char>('0' + i)) + ".txt"));
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

} // namespace

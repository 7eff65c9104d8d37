#include <genbaenv/environ.h>

#include <gtest/gtest.h>

#include "pathname/extnum.h"
#include "support/testsupport.h"

namespace {

using genbatest::FreshDir;

// strtoul(s, nullptr, 16) on 32 bits, as the rules say, not as a runtime happens to do it.
TEST(ReadHexLikeStrtoul, Rules)
{
    struct Row {
        const char* text;
        uint32_t value;
    } rows[] = {
        {"1a", 0x1A}, {"ffffffff", 0xFFFFFFFF}, {"00000000000000001", 1}, {" \t\n\v\f\r1A", 0x1A},
        {"+1A", 0x1A}, {"0X1f", 0x1F}, {"-0x1", 0xFFFFFFFF}, {"1Ag", 0x1A}, {"", 0}, {"xyz", 0}, {"0x", 0},
        {"0xg", 0}, {"0x0x1", 0}, {"+-1", 0}, {"- 1", 0}, {"-FFFFFFFF", 1}, {"-FFFFF001", 0xFFF},
        {"100000000", 0xFFFFFFFF}, {"-100000001", 0xFFFFFFFF},
        {"\xA0" "1", 0},   // only the C locale's white space is skipped
    };
    for (const Row& r : rows) EXPECT_EQ(r.value, genba::ext::ReadHexLikeStrtoul(r.text)) << '"' << r.text << '"';
    EXPECT_EQ(0u, genba::ext::ReadHexLikeStrtoul(nullptr));
}

TEST(GetExtNumber, Table)
{
    CEnvironObj env;
    struct Row {
        const char* path;
        unsigned long number;
    } rows[] = {
        {"a.001", 1}, {"a.00a", 10}, {"a.000", 0}, {"a.1000", 0}, {"a.12", 18}, {"a.0x1F", 31}, {"a.txt", 0},
        {"a.", 0}, {"a", 0}, {"", 0}, {"a.bak", 186}, {"D:\\x.001\\data", 0}, {"a.b.00C", 12},
        {"\\\\pc\\s\\a.FFF", 4095}, {"a. 1F", 31}, {"a.-FFFFF001", 4095}, {"a.-1", 0},
        {"a.100000FFF", 0}, {"a.-1FFFFF001", 0},   // beyond 32 bits: the largest value, not a wrapped one
        {"a.001\x83\x5C" "b", 1},                  // 5C of ソ is no separator
    };
    for (const Row& r : rows) EXPECT_EQ(r.number, env.GetExtNumber(r.path)) << '"' << r.path << '"';
}

TEST(GetExtStr, Table)
{
    CEnvironObj env;
    struct Row {
        unsigned long number;
        const char* ext;
    } rows[] = {{1, ".001"}, {10, ".00A"}, {26, ".01A"}, {4095, ".FFF"}, {0, ""}, {4096, ""}, {0xFFFFFFFF, ""}};
    for (const Row& r : rows) EXPECT_EQ(CString(r.ext), env.GetExtStr(r.number)) << r.number;
}

TEST(ExtensionList, CountAndFields)
{
    CEnvironObj env;
    struct Row {
        const char* list;
        int count, index;
        const char* title;
        const char* ext;
    } rows[] = {
        {"Data|*.dat|All|*.*|", 2, 1, "All", "*.*"}, {"Data|*.dat|All|*.*|", 2, 2, "", ""},
        {"Data|*.dat|All|*.*|", 2, -1, "", ""},      {"A|B", 1, 0, "A", "B"},
        {"A|B|", 1, 0, "A", "B"},                    {"T1|e1|T2", 1, 1, "", ""},
        {"T1|e1|T2|e2", 2, 1, "T2", "e2"},           {"A|B||", 2, 1, "", ""},
        {"", 0, 0, "", ""},                          {"AB", 0, 0, "", ""},
        {"|", 1, 0, "", ""},                         {"\x83\x7C|a|b", 1, 0, "\x83\x7C", "a"},   // 7C of ポ is no bar
        {"\x83\x7C\x95\x5C|*.001|x|y", 2, 0, "\x83\x7C\x95\x5C", "*.001"},
        {"\x83\x7C\x95\x5C|*.001|x|y", 2, 1, "x", "y"}, {"t|\x83\x7C|u|v", 2, 0, "t", "\x83\x7C"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << '"' << r.list << "\" index " << r.index);
        EXPECT_EQ(r.count, env.GetExtCount(r.list));
        EXPECT_EQ(CString(r.title), env.GetExtTitle(r.list, r.index));
        EXPECT_EQ(CString(r.ext), env.GetExt(r.list, r.index));
    }
}

// Nagoya.0012 may be listed before Tokyo.001, and its short name is NAGOYA~1.001: it must not count.
TEST(SearchExtDir, TableAndDisplayNames)
{
    CEnvironObj env;
    CString dir = FreshDir("numbered_search");
    for (const char* d : {"Nagoya.0012", "Tokyo.001", "Osaka.002", "Old.004", "tokyo.00a", "Tokyo.001\\East.002"})
        ASSERT_TRUE(CreateDirectoryA(dir + "\\" + d, nullptr));
    for (const char* f : {"x.001", "h.005", "v.005", "f.006"}) ASSERT_TRUE(genbatest::WriteFile(dir + "\\" + f));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\Old.004", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\h.005", FILE_ATTRIBUTE_HIDDEN));
    const char* site = "\x8C\xBB\x8F\xEA-%lu";   // 現場-%lu
    struct Row {
        unsigned long number;
        const char* format;
        int flags;
        const char* name;
    } rows[] = {
        {1, nullptr, SELFILE_FOLDER, "Tokyo.001"}, {1, nullptr, 0, "x.001"},
        {1, nullptr, SELFILE_FOLDER | 0x30000, "Tokyo.001"},   // other bits ignored
        {3, site, SELFILE_FOLDER, "\x8C\xBB\x8F\xEA-3.003"}, {3, nullptr, SELFILE_FOLDER, ""},
        {26, "\xCC\xAB\xD9\xC0\xDE\xB0%lu", SELFILE_FOLDER, "\xCC\xAB\xD9\xC0\xDE\xB0" "26.01A"},
        {0, site, SELFILE_FOLDER, ""}, {4096, site, 0, ""},
        {4, nullptr, SELFILE_FOLDER, ""}, {4, nullptr, SELFILE_FOLDER | SELFILE_HIDDEN, "Old.004"},
        {5, nullptr, 0, "v.005"}, {5, nullptr, SELFILE_HIDDEN, "h.005"},
        {6, nullptr, SELFILE_FOLDER, ""}, {2, nullptr, 0, ""},   // a file is no folder, nor the reverse
        {10, nullptr, SELFILE_FOLDER, "tokyo.00a"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "number " << r.number << " flags " << r.flags);
        EXPECT_EQ(CString(r.name), env.SearchExtDir(dir, r.number, r.format, r.flags));
    }
    EXPECT_EQ(CString("Tokyo"), env.GetFolderName(dir, 1));
    EXPECT_EQ(CString(), env.GetFolderName(dir, 4));   // hidden
    EXPECT_EQ(CString(), env.GetFolderName(dir, 0));
    EXPECT_EQ(CString("East"), env.GetGenbaName(dir, 1, 2));
    EXPECT_EQ(CString(), env.GetGenbaName(dir, 1, 3));
    EXPECT_EQ(CString(), env.GetGenbaName(dir, 7, 1));   // folder 7 does not exist
    EXPECT_EQ(CString("Osaka"), env.GetGenbaName(dir, 0, 2));   // sites directly in the data path
    EXPECT_EQ(CString(), env.GetGenbaName(dir, 4096, 1));
    EXPECT_EQ(CString(), env.GetFolderName("", 1));   // no data home loaded
}

// Windows and Wine would find Nagoya.0012 through *.001 by its short name NAGOYA~1.001.
TEST(SearchExtDir, NoFolderBecomesNumberOneByItsShortName)
{
    CEnvironObj env;
    CString only = FreshDir("numbered_shortname");
    ASSERT_TRUE(CreateDirectoryA(only + "\\Nagoya.0012", nullptr));
    EXPECT_EQ(CString(), env.SearchExtDir(only, 1, nullptr, SELFILE_FOLDER));
    EXPECT_EQ(CString(), env.GetFolderName(only, 1));
}

} // namespace

// Numbered extensions, extension lists and the search of a folder for a number.
// fuzz/fuzz_extnum.cpp checks the pure rules against models on any bytes; these rows
// show each decision, and the searches run on real folders.
#include <genbaenv/environ.h>

#include "pathname/extnum.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

namespace {

// strtoul(s, nullptr, 16) on 32 bits, as the rules say, not as a runtime happens to do it.
TEST(ExtNumber, ReadLikeStrtoulWithinOneToFFF)
{
    const struct { const char* text; uint32_t value; } strtoul[] = {
        {" \t\n\v\f\r1A", 0x1A}, {"0X1f", 0x1F}, {"0x", 0}, {"0xg", 0}, {"-0x1", 0xFFFFFFFF},
        {"-FFFFF001", 0xFFF}, {"100000000", 0xFFFFFFFF}, {"\xA0" "1", 0},   // only the C locale's blanks
    };
    for (const auto& r : strtoul) EXPECT_EQ(r.value, genba::ext::ReadHexLikeStrtoul(r.text)) << '"' << r.text << '"';
    CEnvironObj env;
    const struct { const char* path; unsigned long number; } paths[] = {
        {"a.00a", 10}, {"a.000", 0}, {"a.1000", 0}, {"a.10001", 0}, {"a.bak", 186}, {"D:\\x.001\\data", 0},
        {"a.-FFFFF001", 4095}, {"a.100000FFF", 0},   // beyond 32 bits: the largest value, not a wrapped one
        {"a.001\x83\x5C" "b", 1},                    // 5C of ソ is no separator
    };
    for (const auto& r : paths) EXPECT_EQ(r.number, env.GetExtNumber(r.path)) << '"' << r.path << '"';
    EXPECT_EQ(CString(".00A"), env.GetExtStr(10));
    EXPECT_EQ(CString(), env.GetExtStr(4096));
}

TEST(ExtNumber, ExtensionListFields)
{
    CEnvironObj env;
    const struct { const char* list; int count, index; const char* title; const char* ext; } rows[] = {
        {"Data|*.dat|All|*.*|", 2, 1, "All", "*.*"},
        {"T1|e1|T2", 1, 1, "", ""},                  // a title without its extension is no type
        {"A|B||", 2, 1, "", ""},
        {"|", 1, 0, "", ""},
        {"\x83\x7C|a|b", 1, 0, "\x83\x7C", "a"},     // 7C of ポ is no bar
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        EXPECT_EQ(r.count, env.GetExtCount(r.list));
        EXPECT_EQ(CString(r.title), env.GetExtTitle(r.list, r.index));
        EXPECT_EQ(CString(r.ext), env.GetExt(r.list, r.index));
    }
}

// Nagoya.0012's short name is NAGOYA~1.001: it must not count as number 1 (that the
// search decides on each entry's own name: tests/framework).
TEST(ExtNumber, SearchExtDir)
{
    CEnvironObj env;
    const CString dir = genbatest::FreshDir("numbered_search");
    for (const char* d : {"Nagoya.0012", "Tokyo.001", "Old.004", "Tokyo.001\\East.002"})
        ASSERT_TRUE(CreateDirectoryA(dir + "\\" + d, nullptr));
    for (const char* f : {"x.001", "h.005", "v.005", "f.006"}) ASSERT_TRUE(genbatest::WriteFile(dir + "\\" + f));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\Old.004", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\h.005", FILE_ATTRIBUTE_HIDDEN));
    const char* site = "\x8C\xBB\x8F\xEA-%lu";   // 現場-%lu
    const struct { unsigned long number; const char* format; int flags; const char* name; } rows[] = {
        {1, nullptr, SELFILE_FOLDER | 0x30000, "Tokyo.001"}, {1, nullptr, 0, "x.001"},
        {3, site, SELFILE_FOLDER, "\x8C\xBB\x8F\xEA-3.003"}, {3, nullptr, SELFILE_FOLDER, ""}, {4096, site, 0, ""},
        {4, nullptr, SELFILE_FOLDER, ""}, {4, nullptr, SELFILE_FOLDER | SELFILE_HIDDEN, "Old.004"},
        {5, nullptr, 0, "v.005"}, {5, nullptr, SELFILE_HIDDEN, "h.005"}, {6, nullptr, SELFILE_FOLDER, ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(CString(r.name), env.SearchExtDir(dir, r.number, r.format, r.flags)) << "row " << (&r - rows);
    EXPECT_EQ(CString("Tokyo"), env.GetFolderName(dir, 1));
    EXPECT_EQ(CString("East"), env.GetGenbaName(dir, 1, 2));
    EXPECT_EQ(CString(), env.GetGenbaName(dir, 7, 1));   // folder 7 does not exist
}

} // namespace

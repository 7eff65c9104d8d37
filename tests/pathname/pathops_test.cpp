// The pure path and file-name rules: one row per decision, one table per operation.
// fuzz/fuzz_pathops.cpp checks every operation against its rules on any bytes (parts
// that give the path back, the 260-byte limit, every forbidden byte); these rows are the
// cases that show each decision. 95 5C, 83 5C, 94 5C end in a backslash byte, 83 7C in a
// bar; B1 is a half-width katakana, which the system counts as a letter.
#include "pathname/pathops.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace path = genba::path;

std::string Bytes(const CString& s) { return std::string(static_cast<const char*>(s), s.GetLength()); }

TEST(PathOps, FullPathFromTheCurrentDirectory)
{
    const struct { const char* cwd; const char* path; const char* full; } rows[] = {
        {"C:\\work", "c:foo", "C:\\work\\foo"},          // drive-relative on the current drive
        {"D:\\x", "c:Foo", "C:\\Foo"},                    // ... on another drive: its root
        {"\\\\pc1\\share\\w", "C:foo", "C:\\foo"},
        {"C:\\work", "\\foo", "C:\\foo"},                 // rooted: the current drive in front
        {"\\\\pc1\\share\\w", "\\foo", "\\foo"},          // ... none under a UNC directory
        {"C:\\", "a", "C:\\a"},                           // a root already ends in a backslash
        {"C:\\\x95\x5C", "a", "C:\\\x95\x5C\\a"},
        {"C:\\work", "D:\\a\\..\\b", "D:\\a\\..\\b"},     // absolute and UNC pass unchanged
        {"", "foo", ""}, {"", "C:\\foo", "C:\\foo"},      // no current directory: only what needs none
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.full, Bytes(path::FullPathFrom(r.path, r.cwd))) << "row " << (&r - rows);
    EXPECT_EQ("D:\\", Bytes(path::CurrentDirForDrive('d', "C:\\work")));
    EXPECT_EQ("\xB1:\\", Bytes(path::CurrentDirForDrive('\xB1', "C:\\work")));
    EXPECT_EQ("C:\\work", Bytes(path::CurrentDirForDrive('1', "C:\\work")));   // not a letter
}

TEST(PathOps, VolumeShareAndServer)
{
    const struct { const char* path; const char* volume; const char* share; const char* server; } rows[] = {
        {"\\\\pc1\\share\\dir", "\\\\pc1\\share", "\\\\pc1\\share", "pc1"},
        {"\\\\pc1\\", "\\\\pc1\\", "\\\\pc1\\", ""},         // an empty share still ends the volume
        {"\\\\pc1", "", "", ""},
        {"\\\\", "", "", ""},                                 // two bytes: not a UNC path
        {"\\\\\x95\x5C\\share\\x", "\\\\\x95\x5C\\share", "\\\\\x95\x5C\\share", "\x95\x5C"},
        {"\\\\\x95\\x", "", "", ""},                          // 95 5C is one character: no server end
        {"C:dir", "C:", "", ""},
        {"\xB1:x", "\xB1:", "", ""},
        {"1:\\x", "", "", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        EXPECT_EQ(r.volume, Bytes(path::GetVolumePath(r.path)));
        EXPECT_EQ(r.share, Bytes(path::GetShareNameFromUNCPath(r.path)));
        EXPECT_EQ(r.server, Bytes(path::GetServerNameFromShareName(r.path)));
    }
}

TEST(PathOps, SplitsAtTheLastBackslashAndDot)
{
    const struct { const char* path; const char* pathName; const char* dirName; const char* fileName; } rows[] = {
        {"C:\\dir\\f.txt", "C:\\dir\\", "C:\\dir", "f.txt"},
        {"C:f.txt", "", "", "C:f.txt"},
        {"a/b\\c/d", "a/b\\", "a/b", "c/d"},                  // a slash is an ordinary character
        {"\x95\x5C\\\x83\x5C", "\x95\x5C\\", "\x95\x5C", "\x83\x5C"},
        {"\x95\x95\x5C", "\x95\x95\\", "\x95\x95", ""},       // 95 95 is a character, then a backslash
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        EXPECT_EQ(r.pathName, Bytes(path::GetPathNameFromRelativePath(r.path)));
        EXPECT_EQ(r.dirName, Bytes(path::GetDirNameFromRelativePath(r.path)));
        EXPECT_EQ(r.fileName, Bytes(path::GetFileNameFromRelativePath(r.path)));
    }
    EXPECT_EQ("a.b", Bytes(path::GetBaseNameFromFileName("a.b.001")));
    EXPECT_EQ(".001", Bytes(path::GetExtNameFromFileName("a.b.001")));
    EXPECT_EQ(".x\\f", Bytes(path::GetExtNameFromFileName("dir.x\\f")));   // backslashes are not looked at
}

TEST(PathOps, IsValidFileName)
{
    std::string kanji129;
    for (int i = 0; i < 129; ++i) kanji129 += "\x95\x5C";
    const struct { std::string name; int result; } rows[] = {
        {std::string(259, 'a'), -1}, {std::string(260, 'a'), 260}, {std::string(260, '|'), 260},
        {kanji129 + "a", -1}, {kanji129 + "ab", 260},         // 259 and 260 bytes of double-byte text
        {".", 0}, {"..", 1}, {"abc:d", 3}, {"\x95\x5C.txt", -1}, {"\x83\x7C", -1}, {"\x95\x95\x5C", 2},
        {std::string("a\0b", 3), 1},                          // the system would see the name end there
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.result, path::IsValidFileName(CString(r.name.data(), static_cast<int>(r.name.size()))))
            << "row " << (&r - rows);
}

TEST(PathOps, AddFileName)
{
    const struct { const char* path; const char* name; const char* result; } rows[] = {
        {"C:\\dir\\\\//", "a.txt", "C:\\dir\\a.txt"},   // every trailing separator goes
        {"//", "a", "\\a"},
        {"C:", "a", "C:a"},                             // a bare drive takes the name as it is
        {"1:", "a", "1:\\a"},                           // ... and "1:" is no drive
        {"dir", "\\a", "dir\\\\a"},                     // the name is appended unchanged
        {"d\\\x95\x5C", "a", "d\\\x95\x5C\\a"},          // trail byte 5C is not a trailing separator
        {"", "a", "a"}, {"dir", "", "dir"},
    };
    for (const auto& r : rows) {
        CString p(r.path);
        path::AddFileName(p, r.name);
        EXPECT_EQ(r.result, Bytes(p)) << "row " << (&r - rows);
    }
}

} // namespace

// Path and name operations at the byte level: trail bytes 5C and 7C, lone lead bytes at
// the end, zero bytes inside, names at the length limit, fuzzed current directories.
#include "native_support.h"

#include "pathname/pathops.h"

#include <gtest/gtest.h>

namespace {

using namespace genba::path;

struct SplitRow {
    CString path;
    CString dir;
    CString file;
};

TEST(NativePathOps, DirAndFileSplitAtWholeBackslashes)
{
    const SplitRow rows[] = {
        {B("C:\\\x95\x5C"), B("C:"), B("\x95\x5C")},
        {B("\x95\x5C\\a"), B("\x95\x5C"), B("a")},
        {B("dir\\\x81"), B("dir"), B("\x81")},             // lone lead byte at the end
        {B("dir\\\x81\\"), B("dir"), B("\x81\\")},          // the backslash is its trail byte
        {B("a\\\0b\\c"), B("a\\\0b"), B("c")},              // zero byte inside
        {B("\x81\0\\x"), B("\x81\0"), B("x")},              // lead byte before a zero byte
        {B("\x95\x5C\x95\x5C"), B(""), B("\x95\x5C\x95\x5C")},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        const SplitRow& r = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << Escaped(r.path));
        EXPECT_EQ(Escaped(r.dir), Escaped(GetDirNameFromRelativePath(r.path)));
        EXPECT_EQ(Escaped(r.file), Escaped(GetFileNameFromRelativePath(r.path)));
        CString withSep = GetPathNameFromRelativePath(r.path);
        EXPECT_EQ(Escaped(r.dir.IsEmpty() && r.file.GetLength() == r.path.GetLength() ? CString() : r.dir + "\\"),
                  Escaped(withSep));
    }
}

TEST(NativePathOps, BaseAndExtensionSplitAtWholeDots)
{
    EXPECT_EQ(Escaped(B("")), Escaped(GetExtNameFromFileName(B("a\x81.txt"))));   // 81 2E is one character
    EXPECT_EQ(Escaped(B(".\x95\x5C")), Escaped(GetExtNameFromFileName(B("a.b.\x95\x5C"))));
    EXPECT_EQ(Escaped(B("a.b")), Escaped(GetBaseNameFromFileName(B("a.b.\x95\x5C"))));
    EXPECT_EQ(Escaped(B(".\0x")), Escaped(GetExtNameFromFileName(B("a.\0x"))));
}

TEST(NativePathOps, VolumeOfUncWithTrailBytes)
{
    CString p = B("\\\\\x95\x5C\\share\\d");
    EXPECT_EQ(Escaped(B("\\\\\x95\x5C\\share")), Escaped(GetVolumePath(p)));
    EXPECT_EQ(Escaped(B("\\d")), Escaped(GetRelativePath(p)));
    EXPECT_EQ(Escaped(B("\\\\\x95\x5C\\share")), Escaped(GetShareNameFromUNCPath(p)));
    EXPECT_EQ(Escaped(B("\x95\x5C")), Escaped(GetServerNameFromShareName(p)));
    // The server's trail byte 5C is not the end of the server name.
    EXPECT_EQ(Escaped(B("")), Escaped(GetServerNameFromShareName(B("\\\\\x95\x5C"))));
    EXPECT_EQ(Escaped(B("")), Escaped(GetVolumePath(B("\\\\\x95\x5C\x81"))));
    EXPECT_EQ(Escaped(B("")), Escaped(GetVolumePath(B("\\\\\\\x95\x5C"))));
}

struct ValidRow {
    CString name;
    int want;
};

TEST(NativePathOps, IsValidFileNameAtTheByteLevel)
{
    const ValidRow rows[] = {
        {B("\x83\x7C"), -1},           // trail 7C is not a bar
        {B("\x95\x5C"), -1},
        {B("a\x81"), -1},              // lone lead byte at the end
        {B("\x81|"), -1},              // the bar is the trail byte
        {B("a\0b"), 1},                // a zero byte ends the name for the system
        {B("\x7F"), 0},
        {B("ab\x1F"), 2},
        {B("a\x95\x5C:"), 3},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << Escaped(rows[i].name));
        EXPECT_EQ(rows[i].want, IsValidFileName(rows[i].name));
    }
    CString wide;
    for (int i = 0; i < 129; ++i) wide += "\x95\x5C";
    EXPECT_EQ(-1, IsValidFileName(wide + "a"));             // 259 bytes
    EXPECT_EQ(260, IsValidFileName(wide + "\x95\x5C"));     // 260 bytes
    EXPECT_EQ(260, IsValidFileName(wide + "a\x81"));        // 260, ending in a lone lead byte
}

TEST(NativePathOps, AddFileNameKeepsTrailBytes)
{
    CString p = B("C:\\\x95\x5C");
    AddFileName(p, "a");
    EXPECT_EQ(Escaped(B("C:\\\x95\x5C\\a")), Escaped(p));
    CString q = B("C:\\\x95\x5C/\\");
    AddFileName(q, B("\x83\x7C"));
    EXPECT_EQ(Escaped(B("C:\\\x95\x5C\\\x83\x7C")), Escaped(q));
    CString r = B("a\0b\\");
    AddFileName(r, "c");
    EXPECT_EQ(Escaped(B("a\0b\\c")), Escaped(r));
}

struct FullRow {
    CString path;
    CString cwd;
    CString want;
};

TEST(NativePathOps, FullPathFromAnyCurrentDirectory)
{
    const FullRow rows[] = {
        {B("a"), B("C:\\\x95\x5C"), B("C:\\\x95\x5C\\a")},
        {B("\x95\x5C"), B("C:\\"), B("C:\\\x95\x5C")},
        {B("c:\x95\x5C"), B("C:\\w"), B("C:\\w\\\x95\x5C")},
        {B("d:\x95\x5C"), B("C:\\w"), B("D:\\\x95\x5C")},
        {B("\\x"), B("\\\\srv\\s"), B("\\x")},                 // no drive under a UNC directory
        {B("x"), B("\\\\srv\\\x95\x5C"), B("\\\\srv\\\x95\x5C\\x")},
        {B("\\\\srv\\s"), B(""), B("\\\\srv\\s")},
        {B("x"), B(""), B("")},                                // no current directory: nothing
        {B(""), B("C:\\w"), B("C:\\w")},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        const FullRow& r = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << ": " << Escaped(r.path) << " in " << Escaped(r.cwd));
        EXPECT_EQ(Escaped(r.want), Escaped(FullPathFrom(r.path, r.cwd)));
    }
    EXPECT_EQ(Escaped(B("C:\\w")), Escaped(CurrentDirForDrive('c', B("C:\\w"))));
    EXPECT_EQ(Escaped(B("C:\\w")), Escaped(CurrentDirForDrive('\x95', B("C:\\w"))));   // not a letter
    EXPECT_EQ(Escaped(B("\xB1:\\")), Escaped(CurrentDirForDrive('\xB1', B("C:\\w"))));  // half-width katakana counts
}

} // namespace

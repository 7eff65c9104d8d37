// The pure path and file-name rules, one table per operation, then invariants over a
// shared list of paths. No Windows header: byte escapes for every double-byte case
// (95 5C, 83 5C, 94 5C end in a backslash byte, 83 7C in a vertical bar; B1 is a
// half-width katakana, which the system counts as a letter).
#include "pathname/pathops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace path = genba::path;

std::string Bytes(const CString& s) { return std::string(static_cast<const char*>(s), s.GetLength()); }

// --- GetDrive ---------------------------------------------------------------------------

struct DriveRow { const char* path; const char* drive; };

const DriveRow kDriveRows[] = {
    {"C:\\dir", "C:"}, {"c:dir", "c:"}, {"z:", "z:"}, {"\xB1:x", "\xB1:"},
    {"C", ""}, {"", ""}, {":", ""}, {"1:\\x", ""}, {"\xA1:", ""}, {"\x95:", ""},
    {"Cx:", ""}, {"\\\\pc1\\share", ""}, {"\\C:", ""},
};

TEST(GetDrive, Table)
{
    for (const DriveRow& r : kDriveRows) EXPECT_EQ(r.drive, Bytes(path::GetDrive(r.path))) << "row " << (&r - kDriveRows);
}

// --- GetFullPath and GetCurrentDir(drive), given the current directory -------------------

struct FullPathRow { const char* cwd; const char* path; const char* full; };

const FullPathRow kFullPathRows[] = {
    // drive-relative: the current directory when it is on that drive, else the root
    {"C:\\work", "c:foo", "C:\\work\\foo"},
    {"c:\\work", "C:foo", "c:\\work\\foo"},
    {"D:\\x", "c:Foo\\..", "C:\\Foo\\.."},
    {"C:\\work", "C:", "C:\\work\\"},
    {"C:\\", "C:", "C:\\"},
    {"C:\\", "C:foo", "C:\\foo"},
    {"\\\\pc1\\share\\w", "C:foo", "C:\\foo"},
    {"C:\\work", "C:\x95\x5C", "C:\\work\\\x95\x5C"},
    // absolute and UNC pass unchanged
    {"C:\\work", "D:\\a\\..\\b", "D:\\a\\..\\b"},
    {"C:\\work", "\\\\pc1\\share\\x", "\\\\pc1\\share\\x"},
    {"C:\\work", "\\\\pc1", "\\\\pc1"},
    // rooted: the current drive in front, none for a UNC current directory
    {"C:\\work", "\\foo", "C:\\foo"},
    {"C:\\work", "\\\\", "C:\\\\"},
    {"\\\\pc1\\share\\w", "\\foo", "\\foo"},
    // empty and relative
    {"C:\\work", "", "C:\\work"},
    {"C:\\work", "a\\\\.\\b", "C:\\work\\a\\\\.\\b"},
    {"C:\\", "a", "C:\\a"},
    {"\\\\pc1\\share\\w", "a", "\\\\pc1\\share\\w\\a"},
    {"C:\\\x95\x5C", "a", "C:\\\x95\x5C\\a"},
    {"C:\\work", "1:x", "C:\\work\\1:x"},
    {"C:\\work", "a/b", "C:\\work\\a/b"},
    // no current directory: only what needs none is answered
    {"", "foo", ""}, {"", "\\foo", ""}, {"", "C:foo", ""}, {"", "", ""},
    {"", "C:\\foo", "C:\\foo"},
    {"", "\\\\pc1\\s", "\\\\pc1\\s"},
};

TEST(GetFullPath, Table)
{
    for (const FullPathRow& r : kFullPathRows)
        EXPECT_EQ(r.full, Bytes(path::FullPathFrom(r.path, r.cwd))) << "row " << (&r - kFullPathRows) << ": " << r.path;
}

struct DriveDirRow { const char* cwd; char drive; const char* dir; };

const DriveDirRow kDriveDirRows[] = {
    {"C:\\work", 'c', "C:\\work"},
    {"c:\\work", 'C', "c:\\work"},
    {"C:\\work", 'd', "D:\\"},
    {"C:\\work", '1', "C:\\work"},          // not a letter: the current directory
    {"C:\\work", '\xB1', "\xB1:\\"},        // half-width katakana is a letter to the system
    {"\\\\pc1\\share", 'c', "C:\\"},
    {"\\\\pc1\\share", '1', "\\\\pc1\\share"},
    {"", 'c', ""}, {"", '1', ""},
};

TEST(GetCurrentDirOfDrive, Table)
{
    for (const DriveDirRow& r : kDriveDirRows)
        EXPECT_EQ(r.dir, Bytes(path::CurrentDirForDrive(r.drive, r.cwd))) << "row " << (&r - kDriveDirRows);
}

// --- GetVolumePath, GetRelativePath, GetShareNameFromUNCPath, GetServerNameFromShareName ----

struct UncRow { const char* path; const char* volume; const char* relative; const char* share; const char* server; };

const UncRow kUncRows[] = {
    {"\\\\pc1\\share\\dir\\f.txt", "\\\\pc1\\share", "\\dir\\f.txt", "\\\\pc1\\share", "pc1"},
    {"\\\\pc1\\share\\", "\\\\pc1\\share", "\\", "\\\\pc1\\share", "pc1"},
    {"\\\\pc1\\share", "\\\\pc1\\share", "", "\\\\pc1\\share", "pc1"},
    {"\\\\pc1\\", "\\\\pc1\\", "", "\\\\pc1\\", ""},                 // an empty share still ends the volume
    {"\\\\pc1", "", "\\\\pc1", "", ""},
    {"\\\\\\x\\y", "", "\\\\\\x\\y", "", ""},                       // empty server name
    {"\\\\", "", "\\\\", "", ""},                                        // two bytes: not a UNC path
    {"\\\\\x95\x5C\\share\\x", "\\\\\x95\x5C\\share", "\\x", "\\\\\x95\x5C\\share", "\x95\x5C"},
    {"\\\\pc\\\x83\x5C\\d", "\\\\pc\\\x83\x5C", "\\d", "\\\\pc\\\x83\x5C", "pc"},
    {"\\\\pc\\\x94\x5C", "\\\\pc\\\x94\x5C", "", "\\\\pc\\\x94\x5C", "pc"},
    {"\\\\pc\\s\\\x83\x7C", "\\\\pc\\s", "\\\x83\x7C", "\\\\pc\\s", "pc"},
    {"\\\\\x83\x7C\\s", "\\\\\x83\x7C\\s", "", "\\\\\x83\x7C\\s", "\x83\x7C"},
    {"\\\\\x95\\x", "", "\\\\\x95\\x", "", ""},                         // 95 5C is one character: no server end
    {"\\\\pc\\s\x95", "\\\\pc\\s\x95", "", "\\\\pc\\s\x95", "pc"},         // lone lead byte at the end
    {"C:\\dir", "C:", "\\dir", "", ""},
    {"C:dir", "C:", "dir", "", ""},
    {"C:", "C:", "", "", ""},
    {"\xB1:x", "\xB1:", "x", "", ""},
    {"\\dir", "", "\\dir", "", ""},
    {"1:\\x", "", "1:\\x", "", ""},
    {"", "", "", "", ""},
};

TEST(VolumeShareAndServer, Table)
{
    for (const UncRow& r : kUncRows) {
        SCOPED_TRACE(&r - kUncRows);
        EXPECT_EQ(r.volume, Bytes(path::GetVolumePath(r.path)));
        EXPECT_EQ(r.relative, Bytes(path::GetRelativePath(r.path)));
        EXPECT_EQ(r.share, Bytes(path::GetShareNameFromUNCPath(r.path)));
        EXPECT_EQ(r.server, Bytes(path::GetServerNameFromShareName(r.path)));
    }
}

// --- The three splits at the last backslash -------------------------------------------------

// pathName: GetPathNameFromRelativePath, dirName: GetDirNameFromRelativePath, fileName: GetFileNameFromRelativePath
struct SplitRow { const char* path; const char* pathName; const char* dirName; const char* fileName; };

const SplitRow kSplitRows[] = {
    {"C:\\dir\\f.txt", "C:\\dir\\", "C:\\dir", "f.txt"},
    {"C:\\f.txt", "C:\\", "C:", "f.txt"},
    {"\\f.txt", "\\", "", "f.txt"},
    {"C:f.txt", "", "", "C:f.txt"},
    {"dir\\", "dir\\", "dir", ""},
    {"a\\\\b", "a\\\\", "a\\", "b"},
    {"", "", "", ""},
    {"a/b\\c/d", "a/b\\", "a/b", "c/d"},                      // a slash is an ordinary character
    {"\x83\x5C\x94\x5C", "", "", "\x83\x5C\x94\x5C"},
    {"\x95\x5C\\\x83\x5C", "\x95\x5C\\", "\x95\x5C", "\x83\x5C"},
    {"d\\\x83\x7C.txt", "d\\", "d", "\x83\x7C.txt"},
    {"\x95\x95\x5C", "\x95\x95\\", "\x95\x95", ""},           // 95 95 is a character, then a real backslash
    {"dir\\a\x95", "dir\\", "dir", "a\x95"},                  // lone lead byte at the end
};

TEST(RelativePathSplits, Table)
{
    for (const SplitRow& r : kSplitRows) {
        SCOPED_TRACE(&r - kSplitRows);
        EXPECT_EQ(r.pathName, Bytes(path::GetPathNameFromRelativePath(r.path)));
        EXPECT_EQ(r.dirName, Bytes(path::GetDirNameFromRelativePath(r.path)));
        EXPECT_EQ(r.fileName, Bytes(path::GetFileNameFromRelativePath(r.path)));
    }
}

// --- Base name and extension ---------------------------------------------------------------

struct BaseExtRow { const char* name; const char* base; const char* ext; };

const BaseExtRow kBaseExtRows[] = {
    {"a.b.001", "a.b", ".001"},
    {".profile", "", ".profile"},
    {"dir.x\\f", "dir", ".x\\f"},          // backslashes are not looked at
    {"noext", "noext", ""},
    {"a.", "a", "."},
    {".", "", "."},
    {"", "", ""},
    {"\x95\x5C.txt", "\x95\x5C", ".txt"},
    {"\x83\x7C\x83\x5C", "\x83\x7C\x83\x5C", ""},
    {"a.\x83\x5C", "a", ".\x83\x5C"},
    {"a.\x95", "a", ".\x95"},               // lone lead byte at the end
};

TEST(BaseAndExtName, Table)
{
    for (const BaseExtRow& r : kBaseExtRows) {
        SCOPED_TRACE(&r - kBaseExtRows);
        EXPECT_EQ(r.base, Bytes(path::GetBaseNameFromFileName(r.name)));
        EXPECT_EQ(r.ext, Bytes(path::GetExtNameFromFileName(r.name)));
    }
}

// --- IsValidFileName ---------------------------------------------------------------------

TEST(IsValidFileName, Table)
{
    std::string kanji129;
    for (int i = 0; i < 129; ++i) kanji129 += "\x95\x5C";
    const struct { std::string name; int result; } rows[] = {
        {"", 0},
        {std::string(259, 'a'), -1},
        {std::string(260, 'a'), 260},
        {std::string(300, 'a'), 300},
        {std::string(260, '|'), 260},               // the length is judged before the characters
        {std::string(258, 'a') + "|", 258},
        {kanji129 + "a", -1},                       // 259 bytes of double-byte characters
        {kanji129 + "ab", 260},
        {".", 0},
        {"..", 1},
        {"...", -1},
        {"abc:d", 3},
        {"a/b", 1},
        {"\x95\x5C.txt", -1},                       // trail byte 5C is no backslash
        {"\x83\x5C\x94\x5C", -1},
        {"\x83\x7C", -1},                           // trail byte 7C is no vertical bar
        {"a\x83\x5C|", 3},
        {"\x95\x5C\\", 2},
        {"abc\x95", -1},                            // lone lead byte at the end
        {"\x95\x95\x5C", 2},                        // 95 95 is a character; the 5C after it is a backslash
        {"CON", -1}, {"LPT1", -1}, {" a", -1}, {"a.", -1}, {"a b", -1},
        {std::string("a\0b", 3), 1},                 // the system would see the name end there
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.result, path::IsValidFileName(CString(r.name.data(), static_cast<int>(r.name.size()))))
            << "row " << (&r - rows);
}

TEST(IsValidFileName, EveryForbiddenByte)
{
    std::string forbidden("\\/:*?\"<>|\x7F");
    for (int b = 0x01; b <= 0x1F; ++b) forbidden += static_cast<char>(b);
    for (int b = 1; b < 256; ++b) {
        char c = static_cast<char>(b);
        std::string name = std::string("ab") + c + "d";
        EXPECT_EQ(forbidden.find(c) != std::string::npos ? 2 : -1, path::IsValidFileName(name.c_str())) << "byte " << b;
    }
}

// --- AddFileName ---------------------------------------------------------------------------

struct AddRow { const char* path; const char* name; const char* result; };

const AddRow kAddRows[] = {
    {"C:\\dir\\\\//", "a.txt", "C:\\dir\\a.txt"},
    {"C:\\dir", "a.txt", "C:\\dir\\a.txt"},
    {"C:/", "a", "C:\\a"},
    {"C:", "a", "C:a"},
    {"c:", "\\x", "c:\\x"},
    {"\xB1:", "a", "\xB1:a"},
    {"1:", "a", "1:\\a"},                       // not a drive
    {"//", "a", "\\a"},
    {"dir", "", "dir"},
    {"", "a", "a"},
    {"", "", ""},
    {"dir", "\\a", "dir\\\\a"},                 // the name is appended unchanged
    {"dir/", "a/", "dir\\a/"},
    {"\\\\pc\\s", "f", "\\\\pc\\s\\f"},
    {"d\\\x95\x5C", "a", "d\\\x95\x5C\\a"},     // trail byte 5C is not a trailing separator
    {"\x94\x5C\\\\", "a", "\x94\x5C\\a"},
    {"d\\\x83\x7C\\", "\x83\x5C", "d\\\x83\x7C\\\x83\x5C"},
};

TEST(AddFileName, Table)
{
    for (const AddRow& r : kAddRows) {
        CString p(r.path);
        path::AddFileName(p, r.name);
        EXPECT_EQ(r.result, Bytes(p)) << "row " << (&r - kAddRows);
    }
    // The name may be the path itself.
    for (const AddRow& r : {AddRow{"ab", "", "ab\\ab"}, AddRow{"C:", "", "C:C:"}}) {
        CString p(r.path);
        path::AddFileName(p, p);
        EXPECT_EQ(r.result, Bytes(p));
    }
}

// --- Invariants over a shared list ---------------------------------------------------------

TEST(PathInvariants, PartsGiveThePathBack)
{
    std::vector<std::string> all = {
        "C:\\dir\\sub\\f.txt", "C:\\", "c:rel\\f", "\\\\pc1\\share\\d\\f.001", "\\", "rel", "a.b.c", ".x",
        "\\\\\x95\x5C\\\x83\x5C\\\x94\x5C.\x83\x7C", "C:\\\x95\x5C\\\x83\x5C", "x\\y\x95",
    };
    for (const UncRow& r : kUncRows) all.push_back(r.path);
    for (const SplitRow& r : kSplitRows) all.push_back(r.path);
    for (const std::string& s : all) {
        SCOPED_TRACE(s);
        CString p(s.c_str());
        EXPECT_EQ(s, Bytes(path::GetVolumePath(p) + path::GetRelativePath(p)));
        EXPECT_EQ(s, Bytes(path::GetPathNameFromRelativePath(p) + path::GetFileNameFromRelativePath(p)));
        if (p.ReverseFind('\\') >= 0) {
            EXPECT_EQ(s, Bytes(path::GetDirNameFromRelativePath(p) + "\\" + path::GetFileNameFromRelativePath(p)));
        } else {
            EXPECT_TRUE(path::GetDirNameFromRelativePath(p).IsEmpty());
        }
        CString file = path::GetFileNameFromRelativePath(p);
        EXPECT_EQ(Bytes(file), Bytes(path::GetBaseNameFromFileName(file) + path::GetExtNameFromFileName(file)));
        EXPECT_EQ(s, Bytes(path::GetBaseNameFromFileName(p) + path::GetExtNameFromFileName(p)));
        // The share name is the volume part of a UNC path, and nothing otherwise.
        EXPECT_EQ(path::IsUncPath(p) ? Bytes(path::GetVolumePath(p)) : std::string(),
                  Bytes(path::GetShareNameFromUNCPath(p)));
        // Absolute paths need no current directory.
        if (path::IsUncPath(p) || path::IsDriveAbsolute(p)) {
            EXPECT_EQ(s, Bytes(path::FullPathFrom(p, "")));
        }
    }
}

}  // namespace

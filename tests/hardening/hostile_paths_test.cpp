// Folder names as users and other programs make them: double-byte names whose second
// byte is a backslash (表 95 5C, ソ 83 5C, 能 94 5C), and paths at and past the 259 bytes
// the A functions take, for the site paths, the numbered search, the listings and the
// directory operations. Entries past the limit are made and removed through the wide
// functions with the \\?\ prefix, which have no such limit.
#include "support/testsupport.h"

#include <genbaenv/environ.h>
#include <genbaenv/selfile.h>
#include <genbafw/filefind.h>
#include <genbafw/handle.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using genbatest::FreshDir;
using genbatest::Hex;

namespace {

#define HYO "\x95\x5C"   // 表
#define SO "\x83\x5C"    // ソ
#define NO "\x94\x5C"    // 能
#define FOLDER1 "\xCC\xAB\xD9\xC0\xDE\xB0" "1.001"   // ﾌｫﾙﾀﾞｰ1.001
#define SITE2 "\x8C\xBB\x8F\xEA" "-2.002"             // 現場-2.002

std::wstring Wide(const CString& path)
{
    std::wstring w(static_cast<size_t>(path.GetLength()) + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, path, path.GetLength(), &w[0], static_cast<int>(w.size()));
    w.resize(static_cast<size_t>(n));
    return L"\\\\?\\" + w;
}

bool MakeFileW(const CString& path)
{
    genba::UniqueKernelHandle h(
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return h.valid();
}

bool ExistsW(const CString& path) { return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTreeW(const std::wstring& dir)
{
    WIN32_FIND_DATAW fd;
    genba::UniqueFindHandle h(FindFirstFileW((dir + L"\\*").c_str(), &fd));
    for (BOOL more = h.valid(); more; more = FindNextFileW(h.get(), &fd)) {
        std::wstring name = fd.cFileName, full = dir + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTreeW(full);
        else DeleteFileW(full.c_str());
    }
    h.reset();
    RemoveDirectoryW(dir.c_str());
}

// Names in the folder, "." and ".." left out, sorted.
std::vector<CString> NamesIn(const CString& dir)
{
    std::vector<CString> names;
    CFileFind ff;
    for (BOOL more = ff.FindFile(dir + "\\*"); more;) {
        more = ff.FindNextFile();
        if (!ff.IsDots()) names.push_back(ff.GetFileName());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// `start` extended by folder levels of `unit` (a one- or two-byte character, with one
// ASCII byte where the count is odd) to exactly `total` bytes. Levels stay short: Linux
// takes no more than 255 bytes of UTF-8 a name.
CString PathOfLength(const CString& start, int total, const char* unit)
{
    const int unitLen = static_cast<int>(strlen(unit));
    CString path = start;
    while (path.GetLength() < total) {
        int room = total - path.GetLength() - 1;   // after the backslash
        int level = std::min(room, 60);
        if (room - level == 1) level -= 2;         // the next level needs two bytes at least
        path += '\\';
        for (int n = 0; n + unitLen <= level; n += unitLen) path += unit;
        while (path.GetLength() < total - (room - level)) path += 'x';
    }
    return path;
}

} // namespace

// A trail byte 5C is no separator: each level is cut at real backslashes only.
TEST(HostilePaths, DoubleByteLevelsInCreateDirAndRemoveDir)
{
    CEnvironObj env;
    const CString d = FreshDir("hard_dbcs_create");
    EXPECT_EQ(env.CreateDir(d + "\\" HYO "\\" SO "\\" NO, 1), 1);
    EXPECT_EQ(NamesIn(d + "\\" HYO), std::vector<CString>{SO});
    EXPECT_EQ(NamesIn(d + "\\" HYO "\\" SO), std::vector<CString>{NO});
    EXPECT_EQ(env.CreateDir(d + "\\" NO "\\" SO HYO, 0), 1);   // the last level stays
    EXPECT_EQ(NamesIn(d + "\\" NO), std::vector<CString>{});
    EXPECT_EQ(env.CreateDir(d + "\\" SO "\\", 0), 1);          // ended by a real backslash
    EXPECT_EQ(NamesIn(d), (std::vector<CString>{SO, NO, HYO}));
    EXPECT_EQ(env.CreateDir("\\\\genbasrv\\share\\" HYO, 1), 1);   // the share's end found past the trail byte
    EXPECT_EQ(env.IsExist("\\\\genbasrv\\share\\" HYO), 1);
    EXPECT_EQ(env.RemoveDir("\\\\genbasrv\\share\\" HYO, 1), 1);

    const CString top = d + "\\" HYO;
    ASSERT_TRUE(genbatest::WriteFile(top + "\\" HYO ".001", "x"));
    ASSERT_TRUE(genbatest::WriteFile(top + "\\" SO "\\" NO ".txt", "x"));
    ASSERT_TRUE(genbatest::WriteFile(d + "\\" HYO "x.txt", "keep"));   // shares the first byte of 表
    EXPECT_EQ(env.RemoveDir(top, 0), 1);
    EXPECT_EQ(NamesIn(top), std::vector<CString>{});
    ASSERT_TRUE(genbatest::WriteFile(top + "\\" SO ".txt", "x"));
    EXPECT_EQ(env.RemoveDir(top, 1), 1);
    EXPECT_EQ(NamesIn(d), (std::vector<CString>{SO, NO, HYO "x.txt"}));
}

// A base ending in a trail byte 5C still gets its backslash before the numbered folder.
TEST(HostilePaths, DoubleByteNamesInSitePathsAndListings)
{
    CEnvironObj env;
    const CString base = FreshDir("hard_dbcs_sites") + "\\" HYO;
    ASSERT_TRUE(CreateDirectoryA(base, nullptr));
    EXPECT_EQ(env.GenbaPath(base, 1, 2), base + "\\" FOLDER1 "\\" SITE2);
    EXPECT_EQ(env.GenbaPath(base + "\\", 1, 0), base + "\\" FOLDER1);
    const CString files = base + "\\" NO ".001\\" SO ".002";
    ASSERT_EQ(env.CreateDir(files, 1), 1);
    EXPECT_EQ(env.GenbaPath(base, 1, 2), files);
    EXPECT_EQ(env.SearchExtDir(base, 1, nullptr, SELFILE_FOLDER), NO ".001");
    EXPECT_EQ(env.GetGenbaName(base, 1, 2), SO);

    for (const char* f : {HYO ".001", SO NO ".002", NO "." HYO, "x." SO "1"})
        ASSERT_TRUE(genbatest::WriteFile(files + "\\" + f)) << Hex(f);
    CSelFileList numbered;
    EXPECT_EQ(numbered.AddFileList(env, files, "", SO NO ".002", 0, nullptr, nullptr), 2);
    EXPECT_EQ(numbered.GetDispStr(0), HYO);
    EXPECT_EQ(numbered.GetDispStr(1), SO NO);
    EXPECT_EQ(numbered.GetSelect(), 1);
    CSelFileList typed;
    EXPECT_EQ(typed.AddFileList(env, files, NO "|." HYO "|x|.001", nullptr, 0, nullptr, nullptr), 2);
    EXPECT_EQ(typed.GetFileName(0), NO "." HYO);
    EXPECT_EQ(typed.GetFileName(1), HYO ".001");
    EXPECT_EQ(env.SearchExtDir(files, 2, nullptr, 0), SO NO ".002");
}

// Folders whose paths are 258 to 260 bytes, of single- and double-byte levels: whatever
// the system allows, results agree with what is on disk, and a folder that cannot be
// listed lists nothing and gets default names.
TEST(HostilePaths, FoldersAtTheLengthLimit)
{
    CEnvironObj env;
    const CString d = FreshDir("hard_limit");
    for (const char* unit : {"p", HYO}) {
        for (int total : {258, 259, 260}) {
            SCOPED_TRACE(Hex(unit) + ", " + std::to_string(total));
            const CString path = PathOfLength(d + "\\" + (unit[0] == 'p' ? "s" : "d"), total, unit);
            ASSERT_EQ(path.GetLength(), total);
            const int created = env.CreateDir(path, 1);
            EXPECT_EQ(created == 1, env.IsExist(path) == 1);
            EXPECT_EQ(created == 1, ExistsW(path));
            for (int sep = path.Find('\\', d.GetLength() + 1); sep > 0; sep = path.Find('\\', sep + 1))
                EXPECT_EQ(env.IsExist(path.Left(sep)), 1) << sep;   // every level above is made
            EXPECT_EQ(env.GenbaPath(path, 1, 2), path + "\\" FOLDER1 "\\" SITE2);
            EXPECT_EQ(env.SearchExtDir(path, 1, nullptr, SELFILE_FOLDER), "");
            for (int flags : {0, int(SELFILE_FOLDER)}) {
                CSelFileList list;
                EXPECT_EQ(list.AddFileList(env, path, "", nullptr, flags, nullptr, nullptr), 0) << flags;
            }
            const int createdBelow = env.CreateDir(path + "\\x", 1);
            EXPECT_EQ(createdBelow == 1, env.IsExist(path + "\\x") == 1);
            const int removed = env.RemoveDir(path, 1);
            EXPECT_EQ(removed == 1, !ExistsW(path));
        }
    }
    RemoveTreeW(Wide(d));
}

// A folder too long for its listing ("folder\*.*" past 259 bytes) has not been emptied:
// its contents are neither seen nor deleted, and the result says so.
TEST(HostilePaths, FolderTooLongToListIsNotReportedEmptied)
{
    CEnvironObj env;
    const CString d = FreshDir("hard_unlistable");
    for (int total : {256, 257, 259}) {
        SCOPED_TRACE(total);
        const CString path = PathOfLength(d + "\\u", total, "q");
        ASSERT_EQ(env.CreateDir(path, 1), 1);
        const CString file = path + "\\x.001";
        ASSERT_TRUE(MakeFileW(file));
        EXPECT_EQ(env.RemoveDir(path, 0), 0);
        EXPECT_EQ(env.RemoveDir(path, 1), 0);
        EXPECT_TRUE(ExistsW(file));
        // Emptied by other means, the folder itself goes.
        ASSERT_TRUE(DeleteFileW(Wide(file).c_str()));
        EXPECT_EQ(env.RemoveDir(path, 1), 1);
        EXPECT_FALSE(ExistsW(path));
    }
    RemoveTreeW(Wide(d));
}

// A folder that can be listed, holding entries whose full paths are past the limit: the
// listings see them whole; what cannot be deleted is reported.
TEST(HostilePaths, EntriesPastTheLimitInAListableFolder)
{
    CEnvironObj env;
    const CString d = FreshDir("hard_past_limit");
    const CString path = PathOfLength(d + "\\e", 250, "r");
    ASSERT_EQ(env.CreateDir(path, 1), 1);
    ASSERT_TRUE(MakeFileW(path + "\\" HYO "abcdefg.001"));
    ASSERT_TRUE(MakeFileW(path + "\\abcdefghij.003"));
    ASSERT_TRUE(CreateDirectoryW(Wide(path + "\\Tokyo" SO ".002").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Wide(path + "\\Tokyo" SO ".002\\East" NO ".004").c_str(), nullptr));

    std::vector<CString> fullPaths;
    CSelFileList list;
    EXPECT_EQ(list.AddFileList(env, path, "", nullptr, 0,
                               [](const CEnvironObj&, CString&, const CString& full, void* data) {
                                   static_cast<std::vector<CString>*>(data)->push_back(full);
                                   return 1;
                               },
                               &fullPaths),
              2);
    EXPECT_EQ(list.GetFileName(0), HYO "abcdefg.001");
    EXPECT_EQ(list.GetFileNo(1), 3UL);
    EXPECT_EQ(fullPaths, (std::vector<CString>{path + "\\" HYO "abcdefg.001", path + "\\abcdefghij.003"}));
    EXPECT_EQ(env.SearchExtDir(path, 2, nullptr, SELFILE_FOLDER), "Tokyo" SO ".002");
    EXPECT_EQ(env.GenbaPath(path, 2, 0), path + "\\Tokyo" SO ".002");
    // The site folder's own listing is past the limit: it gets the default name.
    EXPECT_EQ(env.GenbaPath(path, 2, 4), path + "\\Tokyo" SO ".002\\\x8C\xBB\x8F\xEA-4.004");

    EXPECT_EQ(env.RemoveDir(path, 0), 0);
    EXPECT_TRUE(ExistsW(path + "\\abcdefghij.003"));
    EXPECT_TRUE(ExistsW(path + "\\Tokyo" SO ".002\\East" NO ".004"));
    RemoveTreeW(Wide(d));
}

// Soak: the registry, listing and directory operations of the library, each round many
// operations, several thousand rounds. After a warm-up the process holds no more
// handles than before and its heap and private memory stay within a small fixed slack
// (footprint.h says how they are counted under Wine).
#include "hardening/footprint.h"
#include "hardening/hostile_values.h"

#include "env/scenario.h"
#include "settings/store_table.h"

#include "support/testsupport.h"

#include <genbaenv/environ.h>
#include <genbaenv/selfile.h>
#include <genbafw/filefind.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace genbatest;

namespace {

#define HYO "\x95\x5C"   // 表
#define SO "\x83\x5C"    // ソ

// The counters see what they should: a leak of blocks, of keys and of committed pages.
void ExpectCountersSeeLeaks()
{
    const Footprint before = TakeFootprint();
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int i = 0; i < 1000; ++i) blocks.emplace_back(new char[64]);
    std::vector<genba::UniqueRegKey> keys(20);
    for (auto& k : keys) ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, k.put()), ERROR_SUCCESS);
    void* pages = VirtualAlloc(nullptr, 4 << 20, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(pages, nullptr);
    std::memset(pages, 1, 4 << 20);   // Wine counts the pages once they are touched
    const Footprint after = TakeFootprint();
    EXPECT_GE(after.heapBytes, before.heapBytes + 64000);
    EXPECT_GE(after.handles, before.handles + 20);
    EXPECT_GE(after.privateBytes, before.privateBytes + (4 << 20));
    VirtualFree(pages, 0, MEM_RELEASE);
}

// --- Registry -----------------------------------------------------------------

const CString kEntry = "T_HardSoak";

// Every kind of registry access of the library once: construction with the homes read
// again, the current work and the overrides of hostile shapes, every store operation
// for both roots, on values that are there, missing and of the wrong type.
void EveryRegistryOperation()
{
    CEnvironObj env;
    unsigned char block[16] = {1, 2, 3, 4, 5, 6, 7, 8};
    unsigned long number = 0;
    CString text;
    env.SetUserDataStr("", "CurrentWork", "Touch", "1");   // the next object reads the homes again
    env.GetAppType();
    env.GetPath(PATHKIND_GENBA_MAIN | PATHAPP_VQA);
    env.GetPath(PATHKIND_SYSTEM_SYSTEM | PATHAPP_VQC);
    env.GetPath(PATHKIND_PROGRAM_PROG);
    env.GetPath(PATHKIND_QMS_SERVER);
    for (const Store& st : kStores) {
        (env.*st.setDWord)("", kEntry, "N", 5);
        (env.*st.getDWord)("", kEntry, "N", number);
        (env.*st.getDWord)("", kEntry, "Long", number);
        (env.*st.setStr)("", kEntry, "T", "\x95\x5C text");
        (env.*st.getStr)("", kEntry, "T", text);
        (env.*st.getStr)("", kEntry, "Long", text);     // too long
        (env.*st.getStr)("", kEntry, "Expand", text);   // expanded past the value
        (env.*st.getStr)("", kEntry, "Missing", text);
        (env.*st.setBuff)("", kEntry, "B", block, 8);
        (env.*st.getBuff)("", kEntry, "B", block, sizeof block);
        (env.*st.getBuff)("", kEntry, "B", block, 2);   // too small
        (env.*st.getBuff)("", kEntry, "T", block, sizeof block);   // not a block
        (env.*st.buffSize)("", kEntry, "B");
        (env.*st.setBuff)("", kEntry, "F", reinterpret_cast<const void*>(1), 4);   // fails after the open
        (env.*st.del)("", kEntry, "T");
        (env.*st.setStr)("S_HardSoak", "E\\F", "V", "x");
        (env.*st.delSection)("S_HardSoak", "");
        (env.*st.delSection)("S_HardSoak", "NoKey");
        (env.*st.del)("S_HardSoak", "NoKey", "V");
    }
}

void PutHostileRegistryValues()
{
    SetHostileVariables();
    const CString work = UserProductKey() + "\\CurrentWork", overrides = UserProductKey() + "\\Environ";
    const std::string expand = std::string("%") + kLongVariable + "%\\" + kDbcsVariable;
    RegPutStr(HKEY_CURRENT_USER, work, "DataPath", "%WINDIR%\\" HYO, REG_EXPAND_SZ);
    RegPut(HKEY_CURRENT_USER, work, "FolderNo", REG_QWORD, "\x01\0\0\0\0\0\0\0", 8);
    RegPutDWord(HKEY_CURRENT_USER, work, "GenbaNo", 2);
    RegPut(HKEY_CURRENT_USER, work, "AppType", REG_BINARY, "\x03\0\0", 3);
    RegPutStr(HKEY_CURRENT_USER, overrides, "02030000", "%WINDIR%\\Sys", REG_EXPAND_SZ);
    RegPut(HKEY_CURRENT_USER, overrides, "01000000", REG_MULTI_SZ, "C:\\P\0C:\\Q", 9);
    RegPutStr(HKEY_CURRENT_USER, overrides, "03000000", CString('e', 3000));
    PutHomes("SetupLocal", Homes{"C:\\Prog", "\\\\genbasrv\\share\\sys", "C:\\Data", "C:\\Help", "C:\\Temp", "?"});
    for (const Store& st : kStores) {
        const CString key = ProductKey(st) + "\\" + kEntry;
        RegPutStr(st.root, key, "Long", CString('l', 5000));
        RegPut(st.root, key, "Expand", REG_EXPAND_SZ, expand);
    }
}

// --- Listings -----------------------------------------------------------------

int KeepEveryOther(const CEnvironObj&, CString& disp, const CString&, void* data)
{
    disp += "\t*";
    return ++*static_cast<int*>(data) % 2;
}

CString MakeListingFolder()
{
    const CString dir = FreshDir("hard_soak_listing");
    CString name;
    for (int i = 1; i <= 12; ++i) {
        name.Format("%s\\file%d.%03X", static_cast<const char*>(dir), i, i);
        WriteFile(name, "x");
    }
    WriteFile(dir + "\\" HYO ".txt", "x");
    WriteFile(dir + "\\hidden.001", "x");
    SetFileAttributesA(dir + "\\hidden.001", FILE_ATTRIBUTE_HIDDEN);
    for (int i = 1; i <= 4; ++i) {
        name.Format("%s\\" SO "%d.%03X", static_cast<const char*>(dir), i, i);
        CreateDirectoryA(name, nullptr);
    }
    CreateDirectoryA(dir + "\\" SO "1.001\\site.002", nullptr);
    return dir;
}

void SelectableFileListings(const CEnvironObj& env, const CString& dir)
{
    int calls = 0;
    CSelFileList list;
    list.AddFileList(env, dir, "", "file7.007", 0, nullptr, nullptr);
    list.AddFileList(env, dir, "t|.txt|n|.00?", nullptr, 0, &KeepEveryOther, &calls);
    list.AddFileList(env, dir, "", nullptr, SELFILE_FOLDER | SELFILE_HIDDEN, &KeepEveryOther, &calls);
    list.AddFileList(env, dir + "\\missing", "", nullptr, 0, nullptr, nullptr);
}

void FileSearches(const CString& dir)
{
    CFileFind whole, abandoned;
    for (BOOL more = whole.FindFile(dir + "\\*"); more;) more = whole.FindNextFile();
    abandoned.FindFile(dir + "\\*.00?");
    abandoned.FindNextFile();
    abandoned.FindFile(dir + "\\" HYO "*");   // a second search replaces the first
    whole.FindFile(dir + "\\missing\\*");
}

void SitePathsAndNumberedSearches(const CEnvironObj& env, const CString& dir)
{
    env.SearchExtDir(dir, 3, nullptr, 0);
    env.SearchExtDir(dir, 0x777, "none%lu", SELFILE_FOLDER);
    env.GenbaPath(dir, 1, 2);
    env.GenbaPath(dir, 9, 9);   // default names at both levels
    env.GenbaPath(dir, 0x1000, 1);
    env.GetGenbaName(dir, 1, 2);
}

// --- Directory operations ---------------------------------------------------------

void DirectoryOperations(const CEnvironObj& env, const CString& dir, int round)
{
    const CString top = dir + "\\" HYO "top";
    env.CreateDir(top + "\\a\\" SO, 1);
    WriteFile(top + "\\a\\f.001", "x");
    env.CreateDir(top + "\\a\\f.001\\x", 1);   // a file in the way
    env.RemoveDir(top + "\\a\\" SO, 0);
    env.RemoveDir(top, 1);
    env.RemoveDir(top, 1);                        // no longer there
    if (round % 10 == 0) {
        env.CreateDir("\\\\genbasrv\\share\\hard_soak\\x", 1);
        env.RemoveDir("\\\\genbasrv\\share\\hard_soak", 1);
        env.CreateDir("\\\\genbasrv\\nosuch\\x", 1);
    }
}

} // namespace

TEST(Footprint, CountsLeaksOfEachKind) { ExpectCountersSeeLeaks(); }

// Construction reads the INI, the setup section and the current work: a process of its
// own, with product keys of its own.
GENBA_SCENARIO(Soak, RegistryOperationsKeepTheFootprintFlat, Isolated())
{
    ResetProductKeys();
    PutHostileRegistryValues();
    ExpectFlatFootprint(&EveryRegistryOperation, 100, 2000);
    ResetProductKeys();
}

TEST(SoakFiles, SelectableFileListings)
{
    const CEnvironObj env;
    const CString dir = MakeListingFolder();
    ExpectFlatFootprint([&] { SelectableFileListings(env, dir); }, 100, 2500);
}

TEST(SoakFiles, FileSearches)
{
    const CString dir = MakeListingFolder();
    ExpectFlatFootprint([&] { FileSearches(dir); }, 100, 3000);
}

TEST(SoakFiles, SitePathsAndNumberedSearches)
{
    const CEnvironObj env;
    const CString dir = MakeListingFolder();
    ExpectFlatFootprint([&] { SitePathsAndNumberedSearches(env, dir); }, 100, 2500);
}

TEST(SoakFiles, DirectoryOperations)
{
    const CEnvironObj env;
    const CString dir = FreshDir("hard_soak_dirs");
    int round = 0;
    ExpectFlatFootprint([&] { DirectoryOperations(env, dir, round++); }, 100, 2000);
}

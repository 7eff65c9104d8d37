// Current work: what construction takes from the user's CurrentWork entry, the setters
// and the site folder kept in line with them, and GetAppType.
#include "env/scenario.h"

#include "support/testsupport.h"

#include <genbaenv/environ.h>
#include <gtest/gtest.h>

#include <functional>

using namespace genbatest;

namespace {

CString CurrentWorkKey() { return UserProductKey() + "\\CurrentWork"; }

// A data path holding folder 1 with sites 2 and 3.
CString MakeDataPath(const char* name)
{
    CString data = FreshDir(name);
    CreateDirectoryA(data + "\\F.001", nullptr);
    CreateDirectoryA(data + "\\F.001\\S.002", nullptr);
    CreateDirectoryA(data + "\\F.001\\S.003", nullptr);
    return data;
}

bool PutQword(const char* name, unsigned long long v)
{
    return RegPut(HKEY_CURRENT_USER, CurrentWorkKey(), name, REG_QWORD, &v, sizeof v);
}

} // namespace

GENBA_SCENARIO(CurrentWork, StoredWorkGivesSiteFolder, Isolated())
{
    ResetProductKeys();
    CString data = MakeDataPath("cw_stored");
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", data);
    RegPutDWord(HKEY_CURRENT_USER, CurrentWorkKey(), "FolderNo", 1);
    RegPutDWord(HKEY_CURRENT_USER, CurrentWorkKey(), "GenbaNo", 2);
    CEnvironObj env;
    EXPECT_EQ(env.GetDataPath(), data);
    EXPECT_EQ(env.GetFNo(), 1);
    EXPECT_EQ(env.GetGNo(), 2);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), data + "\\F.001\\S.002");
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA_USERDATA), data + "\\F.001\\S.002\\USERDATA");
    ResetProductKeys();
}

// Each row stores a current work, then a new object shows what it took from it.
GENBA_SCENARIO(CurrentWork, StoredValuesOfEveryKind, Isolated())
{
    ResetProductKeys();
    const CString data = MakeDataPath("cw_kinds");
    const CString site2 = data + "\\F.001\\S.002";
    const CString key = CurrentWorkKey();
    char drive[MAX_PATH] = {0};
    ASSERT_GT(GetEnvironmentVariableA("SystemDrive", drive, sizeof drive), 0u);
    const CString longest = "C:\\" + CString('d', 2044), tooLong = longest + "x";
    const auto full = [&] {
        RegPutStr(HKEY_CURRENT_USER, key, "DataPath", data);
        RegPutDWord(HKEY_CURRENT_USER, key, "FolderNo", 1);
        RegPutDWord(HKEY_CURRENT_USER, key, "GenbaNo", 2);
    };
    const struct Row {
        const char* what;
        std::function<void()> store;
        CString dataPath;
        unsigned short fno, gno;
        CString site;   // "-": not checked (a data path without these folders)
    } rows[] = {
        {"no CurrentWork key", [] {}, "", 0, 0, ""},
        {"empty CurrentWork key", [&] { RegPutStr(HKEY_CURRENT_USER, key, "Other", "x"); }, "", 0, 0, ""},
        {"all three", full, data, 1, 2, site2},
        {"FolderNo 0x00012345", [&] { full(); RegPutDWord(HKEY_CURRENT_USER, key, "FolderNo", 0x00012345); },
         data, 0x2345, 2, ""},
        {"GenbaNo 0xFFFF0003", [&] { full(); RegPutDWord(HKEY_CURRENT_USER, key, "GenbaNo", 0xFFFF0003); },
         data, 1, 3, data + "\\F.001\\S.003"},
        {"GenbaNo absent", [&] { full(); RegDelValue(HKEY_CURRENT_USER, key, "GenbaNo"); }, data, 1, 0, ""},
        {"FolderNo absent", [&] { full(); RegDelValue(HKEY_CURRENT_USER, key, "FolderNo"); }, data, 0, 2, ""},
        {"FolderNo as text", [&] { full(); RegPutStr(HKEY_CURRENT_USER, key, "FolderNo", "1"); }, data, 0, 2, ""},
        {"FolderNo as 4-byte binary", [&] { full(); RegPut(HKEY_CURRENT_USER, key, "FolderNo", REG_BINARY, "\x01\0\0", 4); },
         data, 0, 2, ""},
        {"FolderNo as big-endian dword", [&] {
             full();
             RegPut(HKEY_CURRENT_USER, key, "FolderNo", REG_DWORD_BIG_ENDIAN, "\0\0\0\x01", 4);
         }, data, 0, 2, ""},
        {"GenbaNo as qword", [&] { full(); PutQword("GenbaNo", 2); }, data, 1, 0, ""},
        {"GenbaNo dword of 8 bytes", [&] {
             full();
             unsigned long long v = 2;
             RegPut(HKEY_CURRENT_USER, key, "GenbaNo", REG_DWORD, &v, sizeof v);
         }, data, 1, 0, ""},
        {"GenbaNo dword of 2 bytes", [&] { full(); RegPut(HKEY_CURRENT_USER, key, "GenbaNo", REG_DWORD, "\x02\0", 2); },
         data, 1, 0, ""},
        {"DataPath as number", [&] { full(); RegPutDWord(HKEY_CURRENT_USER, key, "DataPath", 5); }, "", 1, 2, ""},
        {"DataPath as binary", [&] { full(); RegPut(HKEY_CURRENT_USER, key, "DataPath", REG_BINARY, "C:\\", 4); },
         "", 1, 2, ""},
        {"DataPath of 2047 bytes", [&] { full(); RegPutStr(HKEY_CURRENT_USER, key, "DataPath", longest); },
         longest, 1, 2, "-"},
        {"DataPath of 2048 bytes", [&] { full(); RegPutStr(HKEY_CURRENT_USER, key, "DataPath", tooLong); }, "", 1, 2, ""},
        {"DataPath expandable", [&] {
             full();
             RegPutStr(HKEY_CURRENT_USER, key, "DataPath", "%SystemDrive%\\W", REG_EXPAND_SZ);
         }, CString(drive) + "\\W", 1, 2, "-"},
        {"DataPath multi-string", [&] {
             full();
             const char multi[] = "C:\\One\0C:\\Two\0";
             RegPut(HKEY_CURRENT_USER, key, "DataPath", REG_MULTI_SZ, multi, sizeof multi);
         }, "C:\\One", 1, 2, "-"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        RegDelTree(HKEY_CURRENT_USER, key);
        row.store();
        CEnvironObj env;
        EXPECT_EQ(env.GetDataPath(), row.dataPath);
        EXPECT_EQ(env.GetFNo(), row.fno);
        EXPECT_EQ(env.GetGNo(), row.gno);
        if (row.site != "-") {
            EXPECT_EQ(env.GetPath(PATHKIND_GENBA), row.site);
        }
    }
    ResetProductKeys();
}

GENBA_SCENARIO(CurrentWork, SettersKeepSiteFolderInLine, Isolated())
{
    ResetProductKeys();
    const CString home = FreshDir("cw_home");
    CreateDirectoryA(home + "\\H.001", nullptr);
    CreateDirectoryA(home + "\\H.001\\G.002", nullptr);
    const CString data = MakeDataPath("cw_setters");
    RegPutStr(HKEY_LOCAL_MACHINE, MachineProductKey() + "\\SetupLocal\\CurrentVersion", "HomeData", home);

    CEnvironObj env;
    EXPECT_EQ(env.GetDataPath(), "");
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    env.SetFNo(1);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    // An empty data path: the data home stands in.
    env.SetGNo(2);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), home + "\\H.001\\G.002");
    env.SetGNo(0);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    EXPECT_EQ(env.GetFNo(), 1);
    EXPECT_EQ(env.GetDataPath(), "");
    env.SetDataPath(data);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    env.SetGNo(3);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), data + "\\F.001\\S.003");
    env.SetDataPath(home);   // no site 3 there: the default name 現場-3.003
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), home + "\\H.001\\\x8C\xBB\x8F\xEA-3.003");
    env.SetGNo(2);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), home + "\\H.001\\G.002");
    env.SetFNo(0);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    env.SetFNo(0x1000);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    env.SetFNo(1);
    env.SetGNo(0x1000);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    ResetProductKeys();
}

GENBA_SCENARIO(CurrentWork, SettersWithEmptyDataPathAndHome, Isolated())
{
    ResetProductKeys();
    CEnvironObj env;
    env.SetFNo(1);
    env.SetGNo(2);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA_MAIN), "");
    ResetProductKeys();
}

// The setters change the object only.
GENBA_SCENARIO(CurrentWork, SettersWriteNothing, Isolated())
{
    ResetProductKeys();
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", "C:\\Stored");
    CEnvironObj env;
    env.SetDataPath("C:\\InMemory");
    env.SetFNo(7);
    CEnvironObj other;
    EXPECT_EQ(env.GetDataPath(), "C:\\InMemory");
    EXPECT_EQ(other.GetDataPath(), "C:\\Stored");
    EXPECT_EQ(other.GetFNo(), 0);
    ResetProductKeys();
}

// The server name follows the data path (the QMS_SERVER folder), not the numbers.
GENBA_SCENARIO(CurrentWork, ServerNameFollowsDataPath, Isolated())
{
    ResetProductKeys();
    PutHomes("SetupLocal", Homes{"C:\\P", "C:\\S", "C:\\D", "C:\\H", "C:\\T", "*"});
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", "\\\\genbasrv\\data\\work");
    CEnvironObj env;
    EXPECT_EQ(env.GetServerName(), "genbasrv");
    env.SetServerName("manual");
    env.SetFNo(1);
    env.SetGNo(1);
    EXPECT_EQ(env.GetServerName(), "manual");
    env.SetDataPath("C:\\local");
    EXPECT_EQ(env.GetServerName(), "");
    env.SetDataPath("\\\\genbasrv\\share\\x");
    EXPECT_EQ(env.GetServerName(), "genbasrv");
    ResetProductKeys();
}

GENBA_SCENARIO(CurrentWork, AppTypeReadOnEveryCall, Isolated())
{
    ResetProductKeys();
    CEnvironObj env;
    EXPECT_EQ(env.GetAppType(), 0xFFFFFFFFUL);   // no CurrentWork key
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", "C:\\x");
    EXPECT_EQ(env.GetAppType(), 0xFFFFFFFFUL);   // no value
    RegPutDWord(HKEY_CURRENT_USER, CurrentWorkKey(), "AppType", 3);
    EXPECT_EQ(env.GetAppType(), 3UL);
    RegPutDWord(HKEY_CURRENT_USER, CurrentWorkKey(), "AppType", 0);
    EXPECT_EQ(env.GetAppType(), 0UL);
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "AppType", "3");
    EXPECT_EQ(env.GetAppType(), 0xFFFFFFFFUL);
    RegPut(HKEY_CURRENT_USER, CurrentWorkKey(), "AppType", REG_BINARY, "\x03\0\0", 4);
    EXPECT_EQ(env.GetAppType(), 0xFFFFFFFFUL);
    ResetProductKeys();
}

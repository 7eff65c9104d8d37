// Current work: what construction takes from the user's CurrentWork entry, the setters
// and the site folder kept in line with them, and GetAppType.
#include "env/scenario.h"

#include "support/testsupport.h"

#include <genbaenv/environ.h>
#include <gtest/gtest.h>

#include <functional>

using namespace genbatest;

namespace {

// A data path holding folder 1 with sites 2 and 3.
CString MakeDataPath(const char* name)
{
    CString data = FreshDir(name);
    CreateDirectoryA(data + "\\F.001", nullptr);
    CreateDirectoryA(data + "\\F.001\\S.002", nullptr);
    CreateDirectoryA(data + "\\F.001\\S.003", nullptr);
    return data;
}

} // namespace

// Each row stores a current work, then a new object shows what it took from it. Values
// of every hostile type and size: HostileConfig.CurrentWorkOfEveryShapeAndSize.
GENBA_SCENARIO(CurrentWork, StoredValues, Isolated())
{
    ResetProductKeys();
    const CString data = MakeDataPath("cw_kinds"), key = CurrentWorkKey();
    const auto put = [&](const char* name, unsigned long v) { RegPutDWord(HKEY_CURRENT_USER, key, name, v); };
    const auto full = [&] {
        RegPutStr(HKEY_CURRENT_USER, key, "DataPath", data);
        put("FolderNo", 1);
        put("GenbaNo", 2);
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
        {"all three", full, data, 1, 2, data + "\\F.001\\S.002"},
        {"FolderNo 0x00012345", [&] { full(); put("FolderNo", 0x00012345); }, data, 0x2345, 2, ""},
        {"GenbaNo 0xFFFF0003", [&] { full(); put("GenbaNo", 0xFFFF0003); }, data, 1, 3, data + "\\F.001\\S.003"},
        {"GenbaNo absent", [&] { full(); RegDelValue(HKEY_CURRENT_USER, key, "GenbaNo"); }, data, 1, 0, ""},
        {"FolderNo absent", [&] { full(); RegDelValue(HKEY_CURRENT_USER, key, "FolderNo"); }, data, 0, 2, ""},
        {"FolderNo as text", [&] { full(); RegPutStr(HKEY_CURRENT_USER, key, "FolderNo", "1"); }, data, 0, 2, ""},
        {"GenbaNo as qword", [&] { full(); RegPut(HKEY_CURRENT_USER, key, "GenbaNo", REG_QWORD, std::string("\x02\0\0\0\0\0\0\0", 8)); },
         data, 1, 0, ""},
        {"DataPath as number", [&] { full(); put("DataPath", 5); }, "", 1, 2, ""},
        {"DataPath expandable", [&] {
             full();
             RegPutStr(HKEY_CURRENT_USER, key, "DataPath", "%SystemDrive%\\W", REG_EXPAND_SZ);
         }, SystemDrive() + "\\W", 1, 2, "-"},
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
    RegPutStr(HKEY_LOCAL_MACHINE, SetupKey("SetupLocal"), "HomeData", home);

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

// Neither a data path nor a data home; the setters change the object only.
GENBA_SCENARIO(CurrentWork, SettersWithEmptyDataPathWriteNothing, Isolated())
{
    ResetProductKeys();
    CEnvironObj env;
    env.SetFNo(1);
    env.SetGNo(2);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA_MAIN), "");
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", "C:\\Stored");
    env.SetDataPath("C:\\InMemory");
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

// Wrong types and sizes: HostileConfig.CurrentWorkOfEveryShapeAndSize.
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
    ResetProductKeys();
}

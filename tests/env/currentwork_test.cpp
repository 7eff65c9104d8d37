// Current work: what construction takes from the user's CurrentWork entry, GetAppType,
// and the site folder the setters keep in line. Under product keys of the scenario's
// own; values of other types: tests/hardening.
#include "support/scenario.h"

#include <gtest/gtest.h>

#include <functional>

using namespace genbatest;

GENBA_SCENARIO(CurrentWork, StoredValuesAndSetters, Isolated())
{
    ResetProductKeys();
    const CString home = FreshDir("cw_home"), data = FreshDir("cw_data"), key = CurrentWorkKey();
    ASSERT_TRUE(MakeDir(home + "\\H.001") && MakeDir(home + "\\H.001\\G.002"));
    ASSERT_TRUE(MakeDir(data + "\\F.001") && MakeDir(data + "\\F.001\\S.002") && MakeDir(data + "\\F.001\\S.003"));
    RegPutStr(HKEY_LOCAL_MACHINE, SetupKey("SetupLocal"), "HomeData", home);
    const auto put = [&](DWORD folderNo, DWORD genbaNo) {
        RegPutStr(HKEY_CURRENT_USER, key, "DataPath", data);
        RegPutDWord(HKEY_CURRENT_USER, key, "FolderNo", folderNo);
        RegPutDWord(HKEY_CURRENT_USER, key, "GenbaNo", genbaNo);
    };
    const struct Row { std::function<void()> store; CString dataPath; unsigned short fno, gno; CString site; } rows[] = {
        {[] {}, "", 0, 0, ""},   // no CurrentWork key
        {[&] { put(1, 2); }, data, 1, 2, data + "\\F.001\\S.002"},
        {[&] { put(0x00010001, 0xFFFF0003); }, data, 1, 3, data + "\\F.001\\S.003"},   // 16 bits of each
        {[&] { put(1, 2); RegDelValue(HKEY_CURRENT_USER, key, "GenbaNo"); }, data, 1, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        RegDelTree(HKEY_CURRENT_USER, key);
        row.store();
        CEnvironObj env;
        EXPECT_EQ(env.GetDataPath(), row.dataPath);
        EXPECT_EQ(env.GetFNo(), row.fno);
        EXPECT_EQ(env.GetGNo(), row.gno);
        EXPECT_EQ(env.GetPath(PATHKIND_GENBA), row.site);
    }
    RegDelTree(HKEY_CURRENT_USER, key);
    CEnvironObj env;
    EXPECT_EQ(env.GetAppType(), 0xFFFFFFFFUL);
    RegPutDWord(HKEY_CURRENT_USER, key, "AppType", 3);
    EXPECT_EQ(env.GetAppType(), 3UL);   // read on every call

    // The site folder follows every setter once both numbers are set; an empty data path
    // starts from the data home. The setters change the object only.
    env.SetServerName("manual");
    env.SetFNo(1);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    env.SetGNo(2);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), home + "\\H.001\\G.002");
    EXPECT_EQ(env.GetServerName(), "manual");   // the numbers leave the server name alone
    env.SetDataPath(data);
    EXPECT_EQ(env.GetPath(PATHKIND_GENBA), data + "\\F.001\\S.002");   // default names, limits: GenbaPath
    CEnvironObj other;
    EXPECT_EQ(other.GetDataPath(), "");
    EXPECT_EQ(other.GetFNo(), 0);
    ResetProductKeys();
}

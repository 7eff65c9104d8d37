// The installation configuration: the INI beside the library, the setup section and its
// homes, and when a later object reads them again. All of it is kept per process.
#include "support/fakenet.h"
#include "support/scenario.h"

#include <genbaenv/diagnostics.h>
#include <gtest/gtest.h>

#include <functional>

using namespace genbatest;

namespace {

GenbaInstallDiag Diag(const CEnvironObj& env)
{
    GenbaInstallDiag diag;
    GenbaGetInstallDiag(env, diag);
    return diag;
}

} // namespace

GENBA_SCENARIO(Install, WithoutIniNoSuffixes, NoIni())
{
    const GenbaInstallDiag diag = Diag(CEnvironObj());
    EXPECT_FALSE(diag.bIniFound);
    EXPECT_EQ(diag.strUserKey, "Software\\Velmora\\GenbaOffice");
    EXPECT_EQ(diag.strMachineKey, "Software\\Velmora\\GenbaOffice");
}

// The INI is read once per process: changed later, it is not read again with the homes.
GENBA_SCENARIO(Install, IniPrefixAndSuffixes, Ini("A", "_X", "_Y"))
{
    ResetProductKeys();
    RegPutStr(HKEY_LOCAL_MACHINE, SetupKey("SetupALocal"), "HomeProgram", "C:\\A\\Prog");
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", "C:\\DataY");
    CEnvironObj env;
    EXPECT_EQ(env.GetHomePath(PATHBASE_PROGRAM), "C:\\A\\Prog");
    EXPECT_EQ(env.GetDataPath(), "C:\\DataY");

    ASSERT_TRUE(WriteFile(ScenarioDir() + "\\genbaenv.INI", "[Type]\r\nSetup=B\r\nHKLM=_Q\r\nHKCU=_Z\r\n"));
    RegPutStr(HKEY_LOCAL_MACHINE, SetupKey("SetupALocal"), "HomeProgram", "C:\\A\\Prog2");
    RereadHomes();
    EXPECT_EQ(CEnvironObj().GetHomePath(PATHBASE_PROGRAM), "C:\\A\\Prog2");
    ResetProductKeys();
}

// Loaded from drive T:, the install type is Network while T: is connected to a share.
// (Wine names a module loaded from a UNC path "UNC\server\share\...".)
GENBA_SCENARIO(Install, TypeFollowsWhereTheLibraryIs, IsolatedOnMappedDrive())
{
    ResetProductKeys();
    ASSERT_EQ(Diag(CEnvironObj()).strLibraryFile.Left(3), "T:\\");
    EXPECT_EQ(Diag(CEnvironObj()).strSetupSection, "SetupLocal");
    FakeNet net;
    net.drives = {{"T:", "\\\\genbasrv\\share"}};
    ScopedFakeNet fake(net);
    RereadHomes();
    EXPECT_EQ(Diag(CEnvironObj()).strSetupSection, "SetupNetwork");
}

// The install type under CurrentWork picks the setup section; a home that is not there
// is empty, ServerQMS "?".
GENBA_SCENARIO(Install, SetupSectionHomesAndRereading, Isolated())
{
    ResetProductKeys();
    PutHomes("SetupLocal", Homes{"C:\\P", "C:\\S", "C:\\D", "C:\\H", "C:\\T", nullptr});
    PutHomes("SetupRemote", Homes{"R:\\P", "", "", "", "", ""});
    ExpectHomes(CEnvironObj(), Homes{"C:\\P", "C:\\S", "C:\\D", "C:\\H", "C:\\T", "?"});
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "Type", "Remote");
    RereadHomes();
    ExpectHomes(CEnvironObj(), Homes{"R:\\P", "", "", "", "", ""});
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "Type", "Nowhere");
    RereadHomes();
    ExpectHomes(CEnvironObj(), Homes{"", "", "", "", "", "?"});

    // Only a successful user write or delete in the CurrentWork entry (any case) makes
    // the next object read the homes again; the homes are shared by every object.
    ResetProductKeys();
    const CString setup = SetupKey("SetupLocal");
    RegPutStr(HKEY_LOCAL_MACHINE, setup, "HomeProgram", "C:\\Mark0");
    CEnvironObj first;
    CString text;
    const struct Row { const char* what; std::function<int()> change; int result; bool rereads; } rows[] = {
        {"Str, other case", [&] { return first.SetUserDataStr("", "currentwork", "X", "1"); }, 1, true},
        {"DWord", [&] { return first.SetUserDataDWord("", "CurrentWork", "N", 0); }, 1, true},
        {"Buff", [&] { return first.SetUserDataBuff("", "CurrentWork", "B", "\x01", 1); }, 1, true},
        {"Del, no such value", [&] { return first.DelUserData("", "CurrentWork", "None"); }, 1, true},
        {"section", [&] { return first.SetUserDataStr("S", "CurrentWork", "X", "1"); }, 1, false},
        {"other entry", [&] { return first.SetUserDataStr("", "CurrentWorks", "X", "1"); }, 1, false},
        {"machine", [&] { return first.SetMachineDataStr("", "CurrentWork", "X", "1"); }, 1, false},
        {"read", [&] { return first.GetUserDataStr("", "CurrentWork", "X", text); }, 1, false},
        {"failed write", [&] { return first.SetUserDataBuff("", "CurrentWork", "B", nullptr, 4); }, 0, false},
        {"section delete", [&] { return first.DelUserSection("", "CurrentWork"); }, 1, false},
    };
    CString current = "C:\\Mark0", mark;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        mark.Format("C:\\Mark%d", static_cast<int>(&row - rows) + 1);
        RegPutStr(HKEY_LOCAL_MACHINE, setup, "HomeProgram", mark);
        EXPECT_EQ(row.change(), row.result);
        if (row.rereads) current = mark;
        EXPECT_EQ(CEnvironObj().GetHomePath(PATHBASE_PROGRAM), current);
        EXPECT_EQ(first.GetHomePath(PATHBASE_PROGRAM), current);
    }
    ResetProductKeys();
}

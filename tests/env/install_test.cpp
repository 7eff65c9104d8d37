// The installation configuration: the INI beside the library, the setup section, the
// homes and ServerQMS, and when a second object reads them again.
#include "env/fakenet.h"
#include "env/scenario.h"

#include "support/testsupport.h"

#include <genbaenv/environ.h>
#include <zrapli.h>
#include <gtest/gtest.h>

#include <functional>

using namespace genbatest;

namespace {

const Homes kLocalHomes = {"C:\\Local\\Prog", "C:\\Local\\Sys", "C:\\Local\\Data",
                           "C:\\Local\\Help", "C:\\Local\\Temp", "LOCALQMS"};
const Homes kNetworkHomes = {"\\\\fs\\suite\\Prog", "\\\\fs\\suite\\Sys", "\\\\fs\\suite\\Data",
                             "\\\\fs\\suite\\Help", "\\\\fs\\suite\\Temp", "NETQMS"};
const Homes kRemoteHomes = {"R:\\Prog", "R:\\Sys", "R:\\Data", "R:\\Help", "R:\\Temp", "REMOTEQMS"};

CString LibraryFile()
{
    char buf[MAX_PATH] = {0};
    GetModuleFileNameA(GetModuleHandleA("genbaenv.dll"), buf, MAX_PATH);
    return buf;
}

// Loaded from drive T:, the same homes in both sections; `network` says which it finds.
void ExpectHomesLoadedFromT(bool network)
{
    ASSERT_EQ(LibraryFile().Left(3), "T:\\") << static_cast<const char*>(LibraryFile());
    ResetProductKeys();
    PutHomes("SetupLocal", kLocalHomes);
    PutHomes("SetupNetwork", kNetworkHomes);
    CEnvironObj env;
    ExpectHomes(env, network ? kNetworkHomes : kLocalHomes);
    ResetProductKeys();
}

} // namespace

// Without an INI the product keys carry no suffix: only the setup sections and the
// CurrentWork entry of the bare keys are touched here.
GENBA_SCENARIO(Install, NoIniLoadedLocally, NoIni())
{
    ASSERT_EQ(UserProductKey(), "Software\\Velmora\\GenbaOffice");
    RegDelTree(HKEY_CURRENT_USER, CurrentWorkKey());
    PutHomes("SetupLocal", kLocalHomes);
    PutHomes("SetupNetwork", kNetworkHomes);
    { CEnvironObj env; ExpectHomes(env, kLocalHomes); }
    RegDelTree(HKEY_LOCAL_MACHINE, MachineProductKey() + "\\SetupLocal");
    RegDelTree(HKEY_LOCAL_MACHINE, MachineProductKey() + "\\SetupNetwork");
}

GENBA_SCENARIO(Install, IniPrefixAndSuffixes, Ini("A", "_X", "_Y"))
{
    ResetProductKeys();
    const CString user = "Software\\Velmora\\GenbaOffice_Y", machine = "Software\\Velmora\\GenbaOffice_X";
    ASSERT_EQ(UserProductKey(), user);
    ASSERT_EQ(MachineProductKey(), machine);
    // Decoys where a missing prefix or a swapped suffix would look.
    RegDelTree(HKEY_LOCAL_MACHINE, "Software\\Velmora\\GenbaOffice_Y");
    RegDelTree(HKEY_CURRENT_USER, "Software\\Velmora\\GenbaOffice_X");
    RegPutStr(HKEY_LOCAL_MACHINE, SetupKey("SetupLocal"), "HomeProgram", "C:\\NoPrefix");
    RegPutStr(HKEY_LOCAL_MACHINE, "Software\\Velmora\\GenbaOffice_Y\\SetupALocal\\CurrentVersion", "HomeProgram",
              "C:\\UserSuffix");
    RegPutStr(HKEY_CURRENT_USER, "Software\\Velmora\\GenbaOffice_X\\CurrentWork", "DataPath", "C:\\MachineSuffix");

    RegPutStr(HKEY_LOCAL_MACHINE, SetupKey("SetupALocal"), "HomeProgram", "C:\\A\\Prog");
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", "C:\\DataY");
    RegPutStr(HKEY_CURRENT_USER, EnvironKey(), "01020000", "C:\\Y\\Main");

    CEnvironObj env;
    EXPECT_EQ(env.GetHomePath(PATHBASE_PROGRAM), "C:\\A\\Prog");
    EXPECT_EQ(env.GetDataPath(), "C:\\DataY");
    EXPECT_EQ(env.GetPath(PATHKIND_PROGRAM_MAIN), "C:\\Y\\Main");
    EXPECT_EQ(env.SetUserDataStr("", "E", "V", "u"), 1);
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, user + "\\E"));
    EXPECT_EQ(env.SetMachineDataStr("S", "", "V", "m"), 1);
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, machine + "\\S\\CurrentVersion"));

    // The INI is read once per process: a changed INI and a homes reload later still
    // find prefix A and the suffixes _X and _Y.
    ASSERT_TRUE(WriteFile(ScenarioDir() + "\\genbaenv.INI", "[Type]\r\nSetup=B\r\nHKLM=_Q\r\nHKCU=_Z\r\n"));
    RegPutStr(HKEY_LOCAL_MACHINE, SetupKey("SetupALocal"), "HomeProgram", "C:\\A\\Prog2");
    RereadHomes();
    CEnvironObj second;
    EXPECT_EQ(second.GetHomePath(PATHBASE_PROGRAM), "C:\\A\\Prog2");
    EXPECT_EQ(second.GetDataPath(), "C:\\DataY");

    RegDelTree(HKEY_LOCAL_MACHINE, "Software\\Velmora\\GenbaOffice_Y");
    RegDelTree(HKEY_CURRENT_USER, "Software\\Velmora\\GenbaOffice_X");
    ResetProductKeys();
}

// The three keys are looked up case-insensitively; a section other than "Type" is not.
GENBA_SCENARIO(Install, IniOtherSectionIgnored, RawIni("[Other]\r\nHKLM=_Wrong\r\n[type]\r\nhkcu=_IniCase\r\n"))
{
    RegDelTree(HKEY_CURRENT_USER, "Software\\Velmora\\GenbaOffice_IniCase");
    RegPutStr(HKEY_CURRENT_USER, "Software\\Velmora\\GenbaOffice_IniCase\\CurrentWork", "DataPath", "C:\\Case");
    RegPutStr(HKEY_LOCAL_MACHINE, "Software\\Velmora\\GenbaOffice_Wrong\\SetupLocal\\CurrentVersion", "HomeProgram",
              "C:\\Wrong");
    CEnvironObj env;
    EXPECT_EQ(env.GetDataPath(), "C:\\Case");
    EXPECT_NE(env.GetHomePath(PATHBASE_PROGRAM), "C:\\Wrong");
    RegDelTree(HKEY_CURRENT_USER, "Software\\Velmora\\GenbaOffice_IniCase");
    RegDelTree(HKEY_LOCAL_MACHINE, "Software\\Velmora\\GenbaOffice_Wrong");
}

// Wine gives "UNC\server\share\..." as the file name of a module loaded from a UNC
// path, so the network case loads the library from drive T:, which the stand-in
// provider reports as connected to \\genbasrv\share. Without a connection T: is a
// local disk.
GENBA_SCENARIO(Install, LoadedFromMappedNetworkDrive, Isolated().OnMappedDrive())
{
    UseFakeConnections({{'T', "\\\\genbasrv\\share"}});
    ExpectHomesLoadedFromT(true);
}

GENBA_SCENARIO(Install, LoadedFromUnconnectedDrive, Isolated().OnMappedDrive()) { ExpectHomesLoadedFromT(false); }

// The install type under CurrentWork picks the setup section, stored before the first
// object and written or deleted through the settings store later.
GENBA_SCENARIO(Install, InstallTypeRemote, Isolated())
{
    ResetProductKeys();
    PutHomes("SetupLocal", kLocalHomes);
    PutHomes("SetupRemote", kRemoteHomes);
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "Type", "Remote");
    CEnvironObj first;
    ExpectHomes(first, kRemoteHomes);
    ASSERT_EQ(first.DelUserData("", "CurrentWork", "Type"), 1);
    { CEnvironObj second; ExpectHomes(second, kLocalHomes); }
    ASSERT_EQ(first.SetUserDataStr("", "CurrentWork", "Type", "Remote"), 1);
    { CEnvironObj third; ExpectHomes(third, kRemoteHomes); }
    ResetProductKeys();
}

// Each row stores the setup section afresh; ServerQMS absent is "?". Homes too long or
// of other types: HostileConfig.HomesOfEveryShapeAndSize.
GENBA_SCENARIO(Install, HomesOfEveryKind, Isolated())
{
    ResetProductKeys();
    const CString suite = SystemDrive() + "\\Suite";   // Homes holds pointers: the text lives here
    const CString key = SetupKey("SetupLocal");
    const struct Row {
        const char* what;
        std::function<void()> store;
        Homes homes;
    } rows[] = {
        {"none", [] {}, {"", "", "", "", "", "?"}},
        {"other section only", [] { PutHomes("SetupNetwork", kNetworkHomes); }, {"", "", "", "", "", "?"}},
        {"ServerQMS absent", [] { PutHomes("SetupLocal", {"C:\\P", "C:\\S", "C:\\D", "C:\\H", "C:\\T", nullptr}); },
         {"C:\\P", "C:\\S", "C:\\D", "C:\\H", "C:\\T", "?"}},
        {"ServerQMS empty", [] { PutHomes("SetupLocal", {"C:\\P", "", "", "", "", ""}); }, {"C:\\P", "", "", "", "", ""}},
        {"ServerQMS set", [] { PutHomes("SetupLocal", {"", "", "", "", "", "HOST9"}); }, {"", "", "", "", "", "HOST9"}},
        {"other text types", [&] {
             RegPutStr(HKEY_LOCAL_MACHINE, key, "HomeData", "%SystemDrive%\\Suite", REG_EXPAND_SZ);
             RegPutStr(HKEY_LOCAL_MACHINE, key, "HomeHelp", "%GENBA_NO_SUCH_VARIABLE%\\Help", REG_EXPAND_SZ);
             RegPut(HKEY_LOCAL_MACHINE, key, "HomeTemp", REG_MULTI_SZ, std::string("C:\\First\0C:\\Second\0", 20));
         }, {"", "", suite, "%GENBA_NO_SUCH_VARIABLE%\\Help", "C:\\First", "?"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ResetProductKeys();
        row.store();
        RereadHomes();
        CEnvironObj env;
        ExpectHomes(env, row.homes);
    }
    ResetProductKeys();
}

// Later objects share what the first one read: neither the INI nor the homes are read
// again without a CurrentWork change through the settings store.
GENBA_SCENARIO(Install, SecondObjectKeepsConfiguration, Isolated())
{
    ResetProductKeys();
    PutHomes("SetupLocal", kLocalHomes);
    CEnvironObj first;
    ExpectHomes(first, kLocalHomes);

    PutHomes("SetupLocal", kRemoteHomes);
    ASSERT_TRUE(WriteFile(ScenarioDir() + "\\genbaenv.INI", "[Type]\r\nHKLM=_Other\r\nHKCU=_Other\r\n"));
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "Type", "Remote");
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", "C:\\Work");
    CEnvironObj second;
    ExpectHomes(second, kLocalHomes);
    EXPECT_EQ(second.GetDataPath(), "C:\\Work");   // the current work is read by every object
    ResetProductKeys();
}

// Writes and deletes in the user's CurrentWork entry make the next object read the
// setup section and the homes again; nothing else does.
GENBA_SCENARIO(Install, CurrentWorkChangesRereadHomes, Isolated())
{
    ResetProductKeys();
    const CString setup = SetupKey("SetupLocal");
    RegPutStr(HKEY_LOCAL_MACHINE, setup, "HomeProgram", "C:\\Mark0");
    CEnvironObj first;
    ASSERT_EQ(first.GetHomePath(PATHBASE_PROGRAM), "C:\\Mark0");

    const unsigned char block[3] = {1, 2, 3};
    CString text;
    const struct Row {
        const char* what;
        std::function<int(const CEnvironObj&)> change;
        int result;
        bool rereads;
    } rows[] = {
        {"Str", [](const CEnvironObj& e) { return e.SetUserDataStr("", "CurrentWork", "DataPath", "C:\\W"); }, 1, true},
        {"lower case", [](const CEnvironObj& e) { return e.SetUserDataStr("", "currentwork", "X", "1"); }, 1, true},
        {"DWord", [](const CEnvironObj& e) { return e.SetUserDataDWord("", "CURRENTWORK", "FolderNo", 0); }, 1, true},
        {"Buff", [&](const CEnvironObj& e) { return e.SetUserDataBuff("", "CurrentWork", "B", block, 3); }, 1, true},
        {"Del", [](const CEnvironObj& e) { return e.DelUserData("", "CurrentWork", "B"); }, 1, true},
        {"Del missing value", [](const CEnvironObj& e) { return e.DelUserData("", "cURRENTwORK", "None"); }, 1, true},
        {"section", [](const CEnvironObj& e) { return e.SetUserDataStr("S", "CurrentWork", "X", "1"); }, 1, false},
        {"deeper entry", [](const CEnvironObj& e) { return e.SetUserDataStr("", "CurrentWork\\Sub", "X", "1"); }, 1, false},
        {"other entry", [](const CEnvironObj& e) { return e.SetUserDataStr("", "CurrentWorks", "X", "1"); }, 1, false},
        {"machine Str", [](const CEnvironObj& e) { return e.SetMachineDataStr("", "CurrentWork", "X", "1"); }, 1, false},
        {"machine DWord", [](const CEnvironObj& e) { return e.SetMachineDataDWord("", "CurrentWork", "X", 1); }, 1, false},
        {"machine Buff", [&](const CEnvironObj& e) { return e.SetMachineDataBuff("", "CurrentWork", "X", block, 3); }, 1, false},
        {"machine Del", [](const CEnvironObj& e) { return e.DelMachineData("", "CurrentWork", "X"); }, 1, false},
        {"read", [&](const CEnvironObj& e) { return e.GetUserDataStr("", "CurrentWork", "DataPath", text); }, 1, false},
        {"failed write", [](const CEnvironObj& e) {
             return e.SetUserDataBuff("", "CurrentWork", "B", reinterpret_cast<const void*>(1), 4);
         }, 0, false},
        {"section delete", [](const CEnvironObj& e) { return e.DelUserSection("", "CurrentWork"); }, 1, false},
        {"Del without key", [](const CEnvironObj& e) { return e.DelUserData("", "CurrentWork", "X"); }, 0, false},
        {"Str again", [](const CEnvironObj& e) { return e.SetUserDataStr("", "CurrentWork", "X", "1"); }, 1, true},
    };
    CString current = "C:\\Mark0";
    int i = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CString mark;
        mark.Format("C:\\Mark%d", ++i);
        RegPutStr(HKEY_LOCAL_MACHINE, setup, "HomeProgram", mark);
        EXPECT_EQ(row.change(first), row.result);
        if (row.rereads) current = mark;
        CEnvironObj next;
        EXPECT_EQ(next.GetHomePath(PATHBASE_PROGRAM), current);
        // The homes are shared: the first object sees what the last construction read.
        EXPECT_EQ(first.GetHomePath(PATHBASE_PROGRAM), current);
    }
    ResetProductKeys();
}

// The stand-in's fixed names, reached through its ordinal-only entry points.
TEST(ApplicationSelection, FixedNamesOfTheStandIn)
{
    CEnvironObj env, other;
    const ZRApliChange& apli = env.GetApliChange();
    EXPECT_EQ(apli.GetProductKeyName(), "GenbaOffice");
    EXPECT_EQ(apli.GetProgramFolderName(), "GENBA");
    EXPECT_EQ(apli.GetHelpFolderName(), "GENBAHLP");
    EXPECT_NE(&apli, &other.GetApliChange());
}

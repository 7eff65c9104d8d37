// The installation configuration and the current work read from hostile registry values:
// every row of the hostile table stored in each value the library reads at construction
// and in GetPath and GetAppType, and nothing stored at all. Each scenario runs in a
// process of its own under product keys of its own; the homes are read again for each
// row through a CurrentWork write.
#include "hardening/hostile_values.h"

#include "env/scenario.h"

#include "support/testsupport.h"

#include <genbaenv/environ.h>
#include <gtest/gtest.h>

#include <string>

using namespace genbatest;

namespace {

const unsigned long kBases[] = {PATHBASE_PROGRAM, PATHBASE_SYSTEM, PATHBASE_GENBA,
                                PATHBASE_HELP,    PATHBASE_TEMP,   PATHBASE_SERVER};
const char* const kHomeValues[] = {"HomeProgram", "HomeSystem", "HomeData", "HomeHelp", "HomeTemp", "ServerQMS"};
const Homes kNoHomes = {"", "", "", "", "", "?"};

} // namespace

// Each row goes into all six values of the setup section at once.
GENBA_SCENARIO(HostileConfig, HomesOfEveryShapeAndSize, Isolated())
{
    ResetProductKeys();
    SetHostileVariables();
    const CString setup = SetupKey("SetupLocal");
    for (const HostileText& row : HostileTexts()) {
        SCOPED_TRACE(row.what);
        RegDelTree(HKEY_LOCAL_MACHINE, setup);
        for (const char* name : kHomeValues) ASSERT_TRUE(RegPut(HKEY_LOCAL_MACHINE, setup, name, row.type, row.bytes));
        RereadHomes();
        CEnvironObj env;
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(kHomeValues[i]);
            ExpectHostileText(row, env.GetHomePath(kBases[i]), kBases[i] == PATHBASE_SERVER ? "?" : "");
        }
    }
    for (const HostileNumber& n : HostileNumbers()) {
        SCOPED_TRACE(n.what());
        RegDelTree(HKEY_LOCAL_MACHINE, setup);
        for (const char* name : kHomeValues) ASSERT_TRUE(RegPut(HKEY_LOCAL_MACHINE, setup, name, n.type, n.bytes()));
        RereadHomes();
        CEnvironObj env;
        // A number is no home; texts of 0 to 8 bytes are, up to their first zero.
        const bool text = n.type == REG_SZ || n.type == REG_MULTI_SZ;
        const CString seven = n.size ? CString("\x07") : CString();
        ExpectHomes(env, text ? Homes{seven, seven, seven, seven, seven, seven} : Homes{"", "", "", "", "", "?"});
    }
    ResetProductKeys();
}

// The install type picks the setup section: one that cannot be read counts as none
// (Local here), one that names no key leaves every home empty. (The reader meets every
// shape in HomesOfEveryShapeAndSize: here one row for each outcome and kind of value.)
GENBA_SCENARIO(HostileConfig, InstallTypeOfEveryShape, Isolated())
{
    ResetProductKeys();
    const Homes local = {"C:\\Local\\Prog", "C:\\Local\\Sys", "C:\\Local\\Data", "C:\\Local\\Help", "C:\\Local\\Temp", "LQ"};
    const Homes remote = {"R:\\Prog", "R:\\Sys", "R:\\Data", "R:\\Help", "R:\\Temp", "RQ"};
    PutHomes("SetupLocal", local);
    PutHomes("SetupRemote", remote);
    SetEnvironmentVariableA("GENBA_HARD_TYPE", "Remote");
    const struct {
        const char* what;
        DWORD type;
        std::string bytes;
        const Homes* homes;
    } rows[] = {
        {"REG_SZ without terminator", REG_SZ, "Remote", &remote},
        {"REG_MULTI_SZ without zeros", REG_MULTI_SZ, "Remote", &remote},
        {"REG_EXPAND_SZ", REG_EXPAND_SZ, "%GENBA_HARD_TYPE%", &remote},
        {"REG_SZ empty", REG_SZ, "", &local},
        {"REG_DWORD", REG_DWORD, std::string("\x01\0\0\0", 4), &local},
        {"REG_BINARY", REG_BINARY, "Remote", &local},
        {"2048 bytes", REG_SZ, std::string(2048, 'R'), &local},
        {"too long for a key name", REG_SZ, std::string(300, 'R'), &kNoHomes},
        {"2047 bytes", REG_SZ, std::string(2047, 'R'), &kNoHomes},
        {"double-byte, no such section", REG_SZ, "\x95\x5C\x83\x5C", &kNoHomes},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(RegPut(HKEY_CURRENT_USER, CurrentWorkKey(), "Type", row.type, row.bytes));
        RereadHomes();
        CEnvironObj env;
        ExpectHomes(env, *row.homes);
    }
    ResetProductKeys();
}

GENBA_SCENARIO(HostileConfig, CurrentWorkOfEveryShapeAndSize, Isolated())
{
    ResetProductKeys();
    SetHostileVariables();
    const CString key = CurrentWorkKey();
    for (const HostileText& row : HostileTexts()) {
        SCOPED_TRACE(row.what);
        RegDelTree(HKEY_CURRENT_USER, key);
        ASSERT_TRUE(RegPut(HKEY_CURRENT_USER, key, "DataPath", row.type, row.bytes));
        CEnvironObj env;
        ExpectHostileText(row, env.GetDataPath(), "");
        EXPECT_EQ(env.GetPath(PATHKIND_GENBA), "");
    }
    for (const HostileNumber& n : HostileNumbers()) {
        SCOPED_TRACE(n.what());
        RegDelTree(HKEY_CURRENT_USER, key);
        for (const char* name : {"FolderNo", "GenbaNo", "AppType"})
            ASSERT_TRUE(RegPut(HKEY_CURRENT_USER, key, name, n.type, n.bytes()));
        CEnvironObj env;
        EXPECT_EQ(env.GetFNo(), n.readable ? 7 : 0);
        EXPECT_EQ(env.GetGNo(), n.readable ? 7 : 0);
        EXPECT_EQ(env.GetAppType(), n.readable ? 7UL : 0xFFFFFFFFUL);
        EXPECT_EQ(env.GetDataPath(), "");
    }
    ResetProductKeys();
}

// Each row as the override of the system folder; one that cannot be read is skipped.
// A readable empty text is an override too: at the base level it empties the path.
GENBA_SCENARIO(HostileConfig, EnvironOverridesOfEveryShapeAndSize, Isolated())
{
    ResetProductKeys();
    SetHostileVariables();
    PutHomes("SetupLocal", Homes{"C:\\Prog", "C:\\Sys", "", "", "", nullptr});
    CEnvironObj env;
    for (const HostileText& row : HostileTexts()) {
        SCOPED_TRACE(row.what);
        RegDelTree(HKEY_CURRENT_USER, EnvironKey());
        ASSERT_TRUE(RegPut(HKEY_CURRENT_USER, EnvironKey(), "02030000", row.type, row.bytes));
        ExpectHostileText(row, env.GetPath(0x02030000), "C:\\Sys\\SYSTEM");
        RegDelTree(HKEY_CURRENT_USER, EnvironKey());
        ASSERT_TRUE(RegPut(HKEY_CURRENT_USER, EnvironKey(), "01000000", row.type, row.bytes));
        const CString program = env.GetPath(0x01010000);
        if (row.outcome == Outcome::Refused) {
            EXPECT_EQ(program, "C:\\Prog\\PROG");
        } else if (row.outcome == Outcome::Read) {
            EXPECT_EQ(program, row.text.IsEmpty() ? CString() : row.text + "\\PROG");
        }
    }
    for (const HostileNumber& n : HostileNumbers()) {
        SCOPED_TRACE(n.what());
        RegDelTree(HKEY_CURRENT_USER, EnvironKey());
        ASSERT_TRUE(RegPut(HKEY_CURRENT_USER, EnvironKey(), "02030000", n.type, n.bytes()));
        const bool text = n.type == REG_SZ || n.type == REG_MULTI_SZ;
        EXPECT_EQ(env.GetPath(0x02030000), text ? CString(n.size ? "\x07" : "") : CString("C:\\Sys\\SYSTEM"));
    }
    ResetProductKeys();
}

// No product key at all, then the keys there and empty: every read gives its default,
// and no read creates a key.
GENBA_SCENARIO(HostileConfig, NoProductKeyOrEmptyKeys, Isolated())
{
    ResetProductKeys();
    {
        CEnvironObj env;
        ExpectHomes(env, kNoHomes);
        EXPECT_EQ(env.GetServerName(), "");
        for (unsigned long kind : {0x01010000UL, 0x02030300UL, 0x03010000UL, 0x04010000UL, 0x05010000UL, 0x06010000UL})
            EXPECT_EQ(env.GetPath(kind), "") << kind;
        EXPECT_EQ(env.GenbaPath("", 1, 2), "");
        EXPECT_EQ(env.GetFolderName("", 1), "");
        EXPECT_EQ(env.GetGenbaName("", 1, 2), "");
        CString text = "sentinel";
        unsigned long number = 9;
        unsigned char block[4] = {1, 2, 3, 4};
        EXPECT_EQ(env.GetUserDataStr("", "CurrentWork", "DataPath", text), 0);
        EXPECT_EQ(env.GetMachineDataStr("SetupLocal", "", "HomeData", text), 0);
        EXPECT_EQ(env.GetUserDataDWord("", "", "X", number), 0);
        EXPECT_EQ(env.GetMachineDataBuff("", "", "X", block, sizeof block), 0);
        EXPECT_EQ(env.GetUserDataBuffSize("", "", "X"), 0UL);
        EXPECT_EQ(env.DelUserData("", "", "X"), 0);
        EXPECT_EQ(env.DelMachineData("S", "E", "X"), 0);
        EXPECT_EQ(env.DelUserSection("", ""), 0);
        EXPECT_EQ(env.DelMachineSection("S", ""), 0);
        EXPECT_EQ(text, "sentinel");
        EXPECT_EQ(number, 9UL);
        EXPECT_EQ(block[0], 1);
    }
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, UserProductKey()));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, MachineProductKey()));

    RereadHomes();
    for (const auto& k : {std::make_pair(HKEY_LOCAL_MACHINE, SetupKey("SetupLocal")),
                          std::make_pair(HKEY_CURRENT_USER, CurrentWorkKey()), std::make_pair(HKEY_CURRENT_USER, EnvironKey())}) {
        ASSERT_TRUE(RegPut(k.first, k.second, "Unrelated", REG_SZ, std::string("x", 2)));
        RegDelValue(k.first, k.second, "Unrelated");
    }
    for (int i = 0; i < 2; ++i) {   // as the first object reads them, and the second
        CEnvironObj env;
        ExpectHomes(env, kNoHomes);
        EXPECT_EQ(env.GetDataPath(), "");
        EXPECT_EQ(env.GetFNo(), 0);
        EXPECT_EQ(env.GetGNo(), 0);
        EXPECT_EQ(env.GetAppType(), 0xFFFFFFFFUL);
        EXPECT_EQ(env.GetPath(0x02030000), "");
    }
    ResetProductKeys();
}

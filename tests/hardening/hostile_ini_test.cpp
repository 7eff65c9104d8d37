// The INI beside the library as people and other programs leave it: values longer than
// the 260 characters read, cut inside a double-byte character, no final line end, binary
// junk, an empty file, a folder of that name. The INI is read once per process, so each
// case is a scenario of its own. What the library made of the suffixes is seen from
// where the settings store writes: below which product key a probe entry appears.
#include "env/scenario.h"
#include "hardening/hostile_values.h"

#include "support/testsupport.h"

#include <genbaenv/environ.h>
#include <genbafw/handle.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace genbatest;

namespace {

const char kCompany[] = "Software\\Velmora";

#define HYO "\x95\x5C"   // 表
#define SO "\x83\x5C"    // ソ
#define NO "\x94\x5C"    // 能

std::vector<CString> CompanySubkeys(HKEY root)
{
    std::vector<CString> names;
    genba::UniqueRegKey key;
    if (RegOpenKeyExA(root, kCompany, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
    char name[1024];
    for (DWORD i = 0, len = sizeof name; RegEnumKeyExA(key.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, len = sizeof name)
        names.push_back(CString(name, static_cast<int>(len)));
    return names;
}

bool HasValue(HKEY root, const CString& path, const char* name)
{
    genba::UniqueRegKey key;
    return RegOpenKeyExA(root, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS &&
           RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// Writes the probe through the store (user or machine data) and gives the product key
// it landed in below Software\Velmora, or empty when the write failed. Fails the test
// when the value landed anywhere but in its entry of one product key. The probe is
// deleted again.
CString WhereTheStoreWrites(const CEnvironObj& env, HKEY root, const char* probe)
{
    const int written = root == HKEY_CURRENT_USER ? env.SetUserDataStr("", probe, "V", "x")
                                                  : env.SetMachineDataStr("", probe, "V", "x");
    std::vector<CString> holders;
    for (const CString& name : CompanySubkeys(root)) {
        const CString product = CString(kCompany) + "\\" + name;
        EXPECT_FALSE(HasValue(root, product, "V")) << "written into the product key itself: " << Hex(name);
        if (HasValue(root, product + "\\" + probe, "V")) holders.push_back(name);
        RegDelTree(root, product + "\\" + probe);
    }
    EXPECT_EQ(written ? 1u : 0u, holders.size()) << "result " << written;
    return holders.size() == 1 ? holders[0] : CString();
}

// Product keys below Software\Velmora whose name starts with `start`.
int CompanySubkeysStartingWith(HKEY root, const CString& start)
{
    int n = 0;
    for (const CString& name : CompanySubkeys(root)) n += name.Left(start.GetLength()) == start;
    return n;
}

void RemoveProductKey(HKEY root, const CString& name) { RegDelTree(root, CString(kCompany) + "\\" + name); }

} // namespace

// 260 characters are read, and a product key name that long is more than the registry
// takes: every key stays closed, every read gives its default, nothing is written.
GENBA_SCENARIO(HostileIni, ValuesLongerThan260Characters,
               RawIni(("[Type]\r\nSetup=" + std::string(100000, 's') + "\r\nHKLM=" + std::string(261, 'm') +
                       "\r\nHKCU=" + std::string(300, 'u') + "\r\n").c_str()))
{
    CEnvironObj env;
    for (unsigned long base : {PATHBASE_PROGRAM, PATHBASE_SYSTEM, PATHBASE_GENBA, PATHBASE_HELP, PATHBASE_TEMP})
        EXPECT_EQ(env.GetHomePath(base), "");
    EXPECT_EQ(env.GetHomePath(PATHBASE_SERVER), "?");
    EXPECT_EQ(env.GetDataPath(), "");
    EXPECT_EQ(env.GetPath(0x02030000), "");
    EXPECT_EQ(WhereTheStoreWrites(env, HKEY_CURRENT_USER, "T_HardLongIni"), "");
    EXPECT_EQ(WhereTheStoreWrites(env, HKEY_LOCAL_MACHINE, "T_HardLongIni"), "");
    EXPECT_EQ(CompanySubkeysStartingWith(HKEY_CURRENT_USER, "GenbaOfficeuuu"), 0);
    EXPECT_EQ(CompanySubkeysStartingWith(HKEY_LOCAL_MACHINE, "GenbaOfficemmm"), 0);
}

// A value cut at 260 bytes keeps whole characters: no lone lead byte, no zero byte
// where the cut character was. (Under Wine the key paths must stay within 259
// characters, so the long suffixes and the long setup section go to different
// scenarios.) Setup: 261 bytes, the 260th byte inside a character; HKCU: 262 bytes,
// cut after 130 whole characters.
GENBA_SCENARIO(HostileIni, DoubleByteValuesCutAt260Bytes,
               RawIni(("[Type]\r\nSetup=_" + Repeat(NO, 130) + "\r\nHKLM=_M\r\nHKCU=" + Repeat(HYO, 131) + "\r\n").c_str()))
{
    const CString user = CString("GenbaOffice") + Repeat(HYO, 130).c_str();
    const CString section = CString("Setup_") + Repeat(NO, 129).c_str() + "Local";
    RemoveProductKey(HKEY_CURRENT_USER, user);
    RemoveProductKey(HKEY_LOCAL_MACHINE, "GenbaOffice_M");
    ASSERT_TRUE(RegPutStr(HKEY_LOCAL_MACHINE, CString(kCompany) + "\\GenbaOffice_M\\" + section + "\\CurrentVersion",
                          "HomeProgram", "C:\\Cut"));
    CEnvironObj env;
    EXPECT_EQ(env.GetHomePath(PATHBASE_PROGRAM), "C:\\Cut");
    EXPECT_EQ(WhereTheStoreWrites(env, HKEY_CURRENT_USER, "T_HardCutIni"), user);
    RemoveProductKey(HKEY_CURRENT_USER, user);
    RemoveProductKey(HKEY_LOCAL_MACHINE, "GenbaOffice_M");
}

// HKCU: exactly 260 bytes; HKLM: 261 bytes, the 260th inside a character.
GENBA_SCENARIO(HostileIni, DoubleByteValuesOf260Bytes,
               RawIni(("[Type]\r\nHKLM=_" + Repeat(HYO, 130) + "\r\nHKCU=" + Repeat(SO, 130) + "\r\n").c_str()))
{
    const CString user = CString("GenbaOffice") + Repeat(SO, 130).c_str();
    const CString machine = CString("GenbaOffice_") + Repeat(HYO, 129).c_str();
    RemoveProductKey(HKEY_CURRENT_USER, user);
    RemoveProductKey(HKEY_LOCAL_MACHINE, machine);
    CEnvironObj env;
    EXPECT_EQ(WhereTheStoreWrites(env, HKEY_CURRENT_USER, "T_Hard260Ini"), user);
    EXPECT_EQ(WhereTheStoreWrites(env, HKEY_LOCAL_MACHINE, "T_Hard260Ini"), machine);
    RemoveProductKey(HKEY_CURRENT_USER, user);
    RemoveProductKey(HKEY_LOCAL_MACHINE, machine);
}

GENBA_SCENARIO(HostileIni, NoFinalLineEnd, RawIni("[Type]\nSetup=N\nHKLM=_HardNoEol\r\nHKCU=_HardNoEol"))
{
    RemoveProductKey(HKEY_LOCAL_MACHINE, "GenbaOffice_HardNoEol");
    RegPutStr(HKEY_LOCAL_MACHINE, CString(kCompany) + "\\GenbaOffice_HardNoEol\\SetupNLocal\\CurrentVersion",
              "HomeData", "C:\\NoEol");
    CEnvironObj env;
    EXPECT_EQ(env.GetHomePath(PATHBASE_GENBA), "C:\\NoEol");
    EXPECT_EQ(WhereTheStoreWrites(env, HKEY_CURRENT_USER, "T_HardNoEol"), "GenbaOffice_HardNoEol");
    RemoveProductKey(HKEY_LOCAL_MACHINE, "GenbaOffice_HardNoEol");
    RemoveProductKey(HKEY_CURRENT_USER, "GenbaOffice_HardNoEol");
}

// Zero bytes, lone lead bytes and bytes no character begins with, around and inside the
// values. Whatever the system makes of the bytes after "_HardJunk" and "_Hard", the
// store writes into one product key, below its entry.
GENBA_SCENARIO(HostileIni, BinaryJunk, NoIni())
{
    const std::string junk = std::string("\0\xFF\xFE\x81\r\n", 6) + "[Type]\r\nHKCU=_HardJunk\x81\r\n" +
                             std::string("\0\0\x80\xA0\xFD\r", 6) + "HKLM=_Hard" + std::string("\0Junk\r\n", 7) +
                             std::string(3000, '\x81') + "\r\nSetup=\xFF\xFF\r\n";
    ASSERT_TRUE(WriteFile(ScenarioDir() + "\\genbaenv.INI", junk));
    CEnvironObj env;
    const CString user = WhereTheStoreWrites(env, HKEY_CURRENT_USER, "T_HardJunk");
    const CString machine = WhereTheStoreWrites(env, HKEY_LOCAL_MACHINE, "T_HardJunk");
    EXPECT_EQ(user.Left(20), "GenbaOffice_HardJunk") << Hex(user);
    EXPECT_EQ(machine.Left(16), "GenbaOffice_Hard") << Hex(machine);
    for (const CString& name : {user, machine})
        if (name != "GenbaOffice") {
            RemoveProductKey(HKEY_CURRENT_USER, name);
            RemoveProductKey(HKEY_LOCAL_MACHINE, name);
        }
}

// Without the three values the product keys are the bare ones.
GENBA_SCENARIO(HostileIni, EmptyFile, NoIni())
{
    ASSERT_TRUE(WriteFile(ScenarioDir() + "\\genbaenv.INI", ""));
    CEnvironObj env;
    EXPECT_EQ(WhereTheStoreWrites(env, HKEY_CURRENT_USER, "T_HardEmptyIni"), "GenbaOffice");
    EXPECT_EQ(WhereTheStoreWrites(env, HKEY_LOCAL_MACHINE, "T_HardEmptyIni"), "GenbaOffice");
}

// A folder of the INI's name is no INI.
GENBA_SCENARIO(HostileIni, FolderInsteadOfFile, NoIni())
{
    const CString folder = ScenarioDir() + "\\genbaenv.INI";
    ASSERT_TRUE(CreateDirectoryA(folder, nullptr));
    ASSERT_TRUE(WriteFile(folder + "\\genbaenv.INI", "[Type]\r\nHKCU=_HardInFolder\r\n"));
    CEnvironObj env;
    EXPECT_EQ(WhereTheStoreWrites(env, HKEY_CURRENT_USER, "T_HardIniFolder"), "GenbaOffice");
    EXPECT_EQ(CompanySubkeysStartingWith(HKEY_CURRENT_USER, "GenbaOffice_HardInFolder"), 0);
}

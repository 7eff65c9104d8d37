// The settings store against the real registry: each test works on an entry (T_<test>)
// and a section (S_<test>) of its own below the user's product key and reads back what
// was stored directly. The machine functions share the user ones' code: one scenario
// shows them on their root. Values other programs leave: tests/hardening.
#include "support/scenario.h"

#include <genbaenv/diagnostics.h>
#include <genbaenv/environ.h>
#include <gtest/gtest.h>

using namespace genbatest;

namespace {

using Raw = std::pair<DWORD, std::string>;
Raw Sz(const char* text) { return {REG_SZ, std::string(text) + '\0'}; }

class Store : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDelTree(HKEY_CURRENT_USER, Key(entry));
        RegDelTree(HKEY_CURRENT_USER, Key(section));
    }
    CString Key(const CString& below = CString()) const
    {
        const CString product = GenbaDataKeyPath(env, false, nullptr, nullptr);
        return below.IsEmpty() ? product : product + "\\" + below;
    }
    Raw Stored(const char* name) const { return RegGet(HKEY_CURRENT_USER, Key(entry), name); }

    const CString name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const CString entry = "T_" + name, section = "S_" + name;
    CEnvironObj env;
};

} // namespace

TEST_F(Store, KeyLayoutBelowTheProductKey)
{
    const struct { CString section, entry, key; } rows[] = {   // key: below the product key
        {"", "", ""}, {"", entry, entry}, {section, "", section + "\\CurrentVersion"},
        {section, "E", section + "\\CurrentVersion\\E"},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(env.SetUserDataStr(row.section, row.entry, entry, "x"), 1);
        EXPECT_EQ(RegGet(HKEY_CURRENT_USER, Key(row.key), entry), Sz("x")) << row.key;
    }
    RegDelValue(HKEY_CURRENT_USER, Key(), entry);
}

// What a write stores. Reading back, and failed reads that leave the caller's variable
// alone: the hostile table of tests/hardening.
TEST_F(Store, TextsAndNumbers)
{
    ASSERT_EQ(env.SetUserDataStr("", entry, "T", CString("\x95\x5C\0cd", 5)), 1);
    EXPECT_EQ(Stored("T"), Sz("\x95\x5C"));   // up to the first zero byte
    ASSERT_EQ(env.SetUserDataDWord("", entry, "N", 0xFFFFFFFF), 1);
    EXPECT_EQ(Stored("N"), Raw(REG_DWORD, std::string(4, '\xFF')));
}

// A block is read into the caller's buffer only when it is a block that fits; otherwise
// every byte stays as it was. Only a block has a size (that a block is no text: the
// hostile table).
TEST_F(Store, BlockReads)
{
    const struct { DWORD type; std::string bytes; int result; } rows[] = {
        {REG_BINARY, std::string(16, '\x07'), 1}, {REG_BINARY, std::string(), 1},
        {REG_BINARY, std::string(17, '\x07'), 0}, {REG_BINARY, std::string(100000, '\x07'), 0},
        {REG_SZ, std::string("abcdef", 7), 0},     {REG_DWORD, std::string("\x07\0\0\0", 4), 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.type << ", " << row.bytes.size() << " bytes");
        ASSERT_TRUE(RegPut(HKEY_CURRENT_USER, Key(entry), "B", row.type, row.bytes));
        std::string buf(16, '\xEE');
        EXPECT_EQ(env.GetUserDataBuff("", entry, "B", &buf[0], 16), row.result);
        EXPECT_EQ(buf, row.result ? row.bytes + std::string(16 - row.bytes.size(), '\xEE') : std::string(16, '\xEE'));
        EXPECT_EQ(env.GetUserDataBuffSize("", entry, "B"), row.type == REG_BINARY ? row.bytes.size() : 0u);
    }
    EXPECT_EQ(env.GetUserDataBuff("", entry, "B", nullptr, 16), 0);
}

// A write replaces value and type in one step; one that fails once its key is open
// leaves the old value (never deleted first).
TEST_F(Store, WriteReplacesTheValueInOneStep)
{
    ASSERT_EQ(env.SetUserDataStr("", entry, "V", "text"), 1);
    ASSERT_EQ(env.SetUserDataBuff("", entry, "V", "\x01\x02", 2), 1);
    EXPECT_EQ(Stored("V"), Raw(REG_BINARY, "\x01\x02"));
    ASSERT_EQ(env.SetUserDataStr("", entry, "V", "old"), 1);
    if (!UnderEmulator()) {
        EXPECT_EQ(env.SetUserDataBuff("", entry, "V", reinterpret_cast<const void*>(1), 4), 0);
    }
    EXPECT_EQ(env.SetUserDataBuff("", entry, "V", nullptr, 4), 0);
    EXPECT_EQ(Stored("V"), Sz("old"));
}

TEST_F(Store, DeletingValuesAndKeys)
{
    const CString current = Key(section + "\\CurrentVersion");
    for (const char* e : {"", "E", "F"}) ASSERT_EQ(env.SetUserDataStr(section, e, "V", "x"), 1);
    EXPECT_EQ(env.DelUserData(section, "", "V"), 1);
    EXPECT_EQ(env.DelUserData(section, "", "V"), 1);   // no value: the key is there
    EXPECT_EQ(env.DelUserData(section, "G", "V"), 0);  // no key
    EXPECT_EQ(RegGet(HKEY_CURRENT_USER, current, "V").first, DWORD(REG_NONE));
    EXPECT_EQ(env.DelUserSection(section, "E"), 1);    // that entry only
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, current + "\\E"));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, current + "\\F"));
    EXPECT_EQ(env.DelUserSection(section, ""), 1);     // CurrentVersion and below; the section stays
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, current));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, Key(section)));
}

// Machine data on its own root; whole product keys with nested keys, a default value
// and long double-byte names, whose longest size the system does not give in CP932 bytes.
GENBA_SCENARIO(Settings, MachineDataAndWholeProductKeys, Isolated())
{
    ResetProductKeys();
    CEnvironObj env;
    CString text, longName;
    unsigned long number = 0;
    char block[2];
    ASSERT_EQ(env.SetMachineDataStr("", "E", "T", "x"), 1);
    ASSERT_EQ(env.SetMachineDataDWord("", "E", "N", 5), 1);
    ASSERT_EQ(env.SetMachineDataBuff("", "E", "B", "ab", 2), 1);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, UserProductKey() + "\\E"));
    EXPECT_EQ(env.GetMachineDataStr("", "E", "T", text), 1);
    EXPECT_EQ(env.GetMachineDataDWord("", "E", "N", number), 1);
    EXPECT_EQ(env.GetMachineDataBuff("", "E", "B", block, 2), 1);
    EXPECT_EQ(text + CString(block, 2), "xab");
    EXPECT_EQ(number, 5UL);
    EXPECT_EQ(env.GetMachineDataBuffSize("", "E", "B"), 2UL);
    EXPECT_EQ(env.DelMachineData("", "E", "T"), 1);
    EXPECT_EQ(RegGet(HKEY_LOCAL_MACHINE, MachineProductKey() + "\\E", "T").first, DWORD(REG_NONE));

    const CString top = UserProductKey();
    for (int i = 0; i < 120; ++i) longName += "\x83\x5C";
    for (const char* sub : {"\\k0\\a", "\\k1", "\\CurrentWork\\b\\c"}) RegPutDWord(HKEY_CURRENT_USER, top + sub, "n", 1);
    ASSERT_TRUE(RegPutStr(HKEY_CURRENT_USER, top + "\\" + longName, longName + longName, "x"));
    ASSERT_TRUE(RegPutStr(HKEY_CURRENT_USER, top, "", "default"));
    EXPECT_EQ(env.DelUserSection("", ""), 1);
    EXPECT_EQ(env.DelMachineSection("", ""), 1);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, top));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, MachineProductKey()));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Velmora"));
    EXPECT_EQ(env.DelUserSection("", ""), 0);
}

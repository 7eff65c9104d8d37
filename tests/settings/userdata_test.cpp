// The settings store against the real registry. Every test uses an entry and a section
// named after itself, deleted before and after it, under both product keys; the store's
// results are checked by reading the registry directly.
#include "settings/store_table.h"

#include "env/scenario.h"

#include "support/testsupport.h"

#include <genbafw/handle.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

using namespace genbatest;

namespace {

// A value as stored: its type and bytes; kMissing when it cannot be read.
using Raw = std::pair<DWORD, std::string>;
const DWORD kMissing = 0xFFFFFFFF;

Raw ReadRaw(HKEY root, const CString& path, const char* name)
{
    genba::UniqueRegKey key;
    DWORD type = 0, size = 0;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS ||
        RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {kMissing, ""};
    std::string bytes(size, '\0');
    if (size && RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size) != ERROR_SUCCESS)
        return {kMissing, ""};
    return {type, bytes};
}

Raw Sz(const char* text) { return {REG_SZ, std::string(text, std::strlen(text) + 1)}; }

class SettingsStore : public StoreTest {
protected:
    Raw Stored(const Store& s, const char* name) const { return ReadRaw(s.root, EntryKey(s), name); }
};

} // namespace

TEST_F(SettingsStore, KeyLayoutBelowTheProductKey)
{
    const CString e = m_entry, s = m_section;
    const struct {
        CString section, entry, name, key;   // key below the product key
    } rows[] = {
        {"", e, "V", e},
        {"", e + "\\Deep", "V", e + "\\Deep"},
        {s, "", "V", s + "\\CurrentVersion"},
        {s, "E", "V", s + "\\CurrentVersion\\E"},
        {s + "\\Sub", "", "V", s + "\\Sub\\CurrentVersion"},
        {s, "E\\F", "", s + "\\CurrentVersion\\E\\F"},   // the default value
        {"", "", e, ""},                                 // a value in the product key itself
    };
    for (const Store& st : kStores) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(st.name) + " " + static_cast<const char*>(row.section) + "|" +
                         static_cast<const char*>(row.entry));
            ASSERT_EQ((m_env.*st.setStr)(row.section, row.entry, row.name, "x"), 1);
            const CString key = row.key.IsEmpty() ? ProductKey(st) : ProductKey(st) + "\\" + row.key;
            EXPECT_EQ(ReadRaw(st.root, key, row.name), Sz("x")) << static_cast<const char*>(key);
        }
        EXPECT_EQ(ReadRaw(st.root, ProductKey(st) + "\\" + s, "V").first, kMissing);   // nothing in between
        RegDelValue(st.root, ProductKey(st), e);
    }
}

// Wrong types and sizes of numbers: HostileStore.NumbersOfEveryTypeAndSize.
TEST_F(SettingsStore, NumbersRoundTrip)
{
    for (const Store& st : kStores) {
        SCOPED_TRACE(st.name);
        for (unsigned long v : {0UL, 1UL, 0xFFFFFFFFUL}) {
            ASSERT_EQ((m_env.*st.setDWord)("", m_entry, "N", v), 1);
            unsigned long got = 7;
            EXPECT_EQ((m_env.*st.getDWord)("", m_entry, "N", got), 1);
            EXPECT_EQ(got, v);
        }
        EXPECT_EQ(Stored(st, "N"), Raw(REG_DWORD, std::string(4, '\xFF')));
        unsigned long got = 0xABCDEF;
        EXPECT_EQ((m_env.*st.getDWord)("", m_entry, "Missing", got), 0);
        EXPECT_EQ((m_env.*st.getDWord)(m_section, "NoKey", "N", got), 0);
        EXPECT_EQ(got, 0xABCDEFUL);
    }
}

// Texts of every type and shape, stored by other programs (without terminators too):
// HostileStore.TextsOfEveryShapeAndSize.
TEST_F(SettingsStore, TextsRoundTripUpTo2047Bytes)
{
    const CString longest('a', 2047), tooLong('b', 2048);
    for (const Store& st : kStores) {
        SCOPED_TRACE(st.name);
        for (const CString& t : {CString(), CString("\x95\x5C\x83\x5C\x94\x5C"), CString("C:\\x\\"), longest}) {
            ASSERT_EQ((m_env.*st.setStr)("", m_entry, "T", t), 1);
            CString got = "sentinel";
            EXPECT_EQ((m_env.*st.getStr)("", m_entry, "T", got), 1) << Hex(t.Left(16));
            EXPECT_EQ(got, t);
        }
        // 2048 bytes are written (with the terminator, 2049) but cannot be read back.
        EXPECT_EQ((m_env.*st.setStr)("", m_entry, "T", tooLong), 1);
        EXPECT_EQ(Stored(st, "T").second.size(), 2049u);
        CString got = "sentinel";
        EXPECT_EQ((m_env.*st.getStr)("", m_entry, "T", got), 0);
        EXPECT_EQ(got, "sentinel");
        // A text is stored up to its first zero byte.
        ASSERT_EQ((m_env.*st.setStr)("", m_entry, "Z", CString("ab\0cd", 5)), 1);
        EXPECT_EQ(Stored(st, "Z"), Sz("ab"));
        EXPECT_EQ((m_env.*st.getStr)("", m_entry, "Missing", got), 0);
        EXPECT_EQ((m_env.*st.getStr)(m_section, "", "Z", got), 0);
        EXPECT_EQ(got, "sentinel");
    }
}

// Blocks of other types and reads that fail: HostileStore.BlockReadsThatFailLeaveTheBufferAlone.
TEST_F(SettingsStore, BlocksAndTheirSizes)
{
    const unsigned char ten[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::string tenBytes(reinterpret_cast<const char*>(ten), 10);
    for (const Store& st : kStores) {
        SCOPED_TRACE(st.name);
        ASSERT_EQ((m_env.*st.setBuff)("", m_entry, "B", ten, 10), 1);
        EXPECT_EQ((m_env.*st.buffSize)("", m_entry, "B"), 10UL);
        EXPECT_EQ(Stored(st, "B"), Raw(REG_BINARY, tenBytes));
        // A buffer of the block's size or larger: the rest stays as it was; smaller: refused.
        for (unsigned long size : {100UL, 10UL, 9UL, 0UL}) {
            std::string buf(100, '\xEE');
            EXPECT_EQ((m_env.*st.getBuff)("", m_entry, "B", &buf[0], size), size >= 10 ? 1 : 0) << size;
            EXPECT_EQ(buf, (size >= 10 ? tenBytes : std::string(10, '\xEE')) + std::string(90, '\xEE')) << size;
        }
        EXPECT_EQ((m_env.*st.getBuff)("", m_entry, "B", nullptr, 100), 0);

        // An empty block is stored, reads back into any buffer, and has size 0.
        ASSERT_EQ((m_env.*st.setBuff)("", m_entry, "Empty", ten, 0), 1);
        ASSERT_EQ((m_env.*st.setBuff)("", m_entry, "Null", nullptr, 0), 1);
        EXPECT_EQ(Stored(st, "Null"), Raw(REG_BINARY, ""));
        unsigned char one = 0x5A;
        EXPECT_EQ((m_env.*st.getBuff)("", m_entry, "Empty", &one, 1), 1);
        EXPECT_EQ(one, 0x5A);
        EXPECT_EQ((m_env.*st.getBuff)("", m_entry, "Empty", nullptr, 0), 1);
        EXPECT_EQ((m_env.*st.buffSize)("", m_entry, "Empty"), 0UL);

        // A big block: the size asked first, then read.
        std::vector<unsigned char> big(100000);
        for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<unsigned char>(i * 7);
        ASSERT_EQ((m_env.*st.setBuff)("", m_entry, "Big", big.data(), static_cast<unsigned long>(big.size())), 1);
        const unsigned long size = (m_env.*st.buffSize)("", m_entry, "Big");
        ASSERT_EQ(size, 100000UL);
        std::vector<unsigned char> back(size);
        EXPECT_EQ((m_env.*st.getBuff)("", m_entry, "Big", back.data(), size), 1);
        EXPECT_EQ(back, big);

        unsigned char buf[16];
        EXPECT_EQ((m_env.*st.buffSize)("", m_entry, "Missing"), 0UL);
        EXPECT_EQ((m_env.*st.getBuff)("", m_entry, "Missing", buf, sizeof buf), 0);
        EXPECT_EQ((m_env.*st.buffSize)(m_section, "NoKey", "B"), 0UL);
        EXPECT_EQ((m_env.*st.getBuff)(m_section, "NoKey", "B", buf, sizeof buf), 0);
    }
}

// A write replaces the value and its type in one step; a write that fails once its key
// is open leaves the old value as it was (the old value is never deleted first).
TEST_F(SettingsStore, WriteReplacesTheValueInOneStep)
{
    const unsigned char three[3] = {1, 2, 3};
    for (const Store& st : kStores) {
        SCOPED_TRACE(st.name);
        ASSERT_EQ((m_env.*st.setStr)("", m_entry, "V", "text"), 1);
        ASSERT_EQ((m_env.*st.setDWord)("", m_entry, "V", 9), 1);
        EXPECT_EQ(Stored(st, "V"), Raw(REG_DWORD, std::string("\x09\0\0\0", 4)));
        ASSERT_EQ((m_env.*st.setBuff)("", m_entry, "V", three, 3), 1);
        EXPECT_EQ(Stored(st, "V"), Raw(REG_BINARY, "\x01\x02\x03"));
        ASSERT_EQ((m_env.*st.setStr)("", m_entry, "V", "old"), 1);
        EXPECT_EQ(Stored(st, "V"), Sz("old"));
        // The system refuses data it cannot read; so does the store for a missing block.
        EXPECT_EQ((m_env.*st.setBuff)("", m_entry, "V", reinterpret_cast<const void*>(1), 4), 0);
        EXPECT_EQ((m_env.*st.setBuff)("", m_entry, "V", nullptr, 4), 0);
        EXPECT_EQ(Stored(st, "V"), Sz("old"));
    }
}

TEST_F(SettingsStore, DeletingValues)
{
    for (const Store& st : kStores) {
        SCOPED_TRACE(st.name);
        for (const char* name : {"V", "", "W"}) ASSERT_EQ((m_env.*st.setStr)("", m_entry, name, "x"), 1);
        EXPECT_EQ((m_env.*st.del)("", m_entry, "V"), 1);
        EXPECT_EQ((m_env.*st.del)("", m_entry, "V"), 1);         // no value, the key is there
        EXPECT_EQ((m_env.*st.del)("", m_entry, ""), 1);          // the default value
        EXPECT_EQ((m_env.*st.del)(m_section, "NoKey", "V"), 0);  // no key
        EXPECT_FALSE(RegKeyExists(st.root, ProductKey(st) + "\\" + m_section));
        EXPECT_EQ(Stored(st, "V").first, kMissing);
        EXPECT_EQ(Stored(st, "").first, kMissing);
        EXPECT_EQ(Stored(st, "W"), Sz("x"));
    }
}

TEST_F(SettingsStore, DeletingKeysAtEachLevel)
{
    for (const Store& st : kStores) {
        SCOPED_TRACE(st.name);
        const CString product = ProductKey(st), sec = product + "\\" + m_section;
        for (const char* entry : {"", "E", "F"}) (m_env.*st.setStr)(m_section, entry, "V", "x");
        RegPutStr(st.root, sec, "AtSection", "x");
        RegPutStr(st.root, sec + "\\Other", "V", "x");
        // Section and entry: only that entry.
        EXPECT_EQ((m_env.*st.delSection)(m_section, "E"), 1);
        EXPECT_FALSE(RegKeyExists(st.root, sec + "\\CurrentVersion\\E"));
        EXPECT_TRUE(RegKeyExists(st.root, sec + "\\CurrentVersion\\F"));
        EXPECT_EQ(ReadRaw(st.root, sec + "\\CurrentVersion", "V"), Sz("x"));
        EXPECT_EQ((m_env.*st.delSection)(m_section, "E"), 0);   // gone already
        // Section alone: its CurrentVersion key with everything below; the section key stays.
        EXPECT_EQ((m_env.*st.delSection)(m_section, ""), 1);
        EXPECT_FALSE(RegKeyExists(st.root, sec + "\\CurrentVersion"));
        EXPECT_TRUE(RegKeyExists(st.root, sec + "\\Other"));
        EXPECT_EQ(ReadRaw(st.root, sec, "AtSection"), Sz("x"));
        EXPECT_EQ((m_env.*st.delSection)(m_section, ""), 0);
        // Entry alone: below the product key.
        (m_env.*st.setStr)("", m_entry, "V", "x");
        EXPECT_EQ((m_env.*st.delSection)("", m_entry), 1);
        EXPECT_FALSE(RegKeyExists(st.root, EntryKey(st)));
        EXPECT_TRUE(RegKeyExists(st.root, product));
        EXPECT_EQ((m_env.*st.delSection)("", m_entry), 0);
    }
}

// A tree with many values, nested keys, default values and long double-byte names: the
// size the system reports for the longest name is not in CP932 bytes.
TEST_F(SettingsStore, DeletingADeepTree)
{
    CString longValue, longKey, name;
    for (int i = 0; i < 300; ++i) longValue += "\x95\x5C";   // 600 bytes, 300 characters
    for (int i = 0; i < 120; ++i) longKey += "\x83\x5C";     // 240 bytes, 120 characters
    for (const Store& st : kStores) {
        SCOPED_TRACE(st.name);
        const CString top = EntryKey(st);
        for (int i = 0; i < 40; ++i) {
            name.Format("v%02d", i);
            RegPutStr(st.root, top, name, "x");
            name.Format("\\k%02d\\sub", i);
            RegPutDWord(st.root, top + name, "n", i);
        }
        RegPutStr(st.root, top, "", "default");
        RegPutStr(st.root, top, longValue, "x");
        RegPutStr(st.root, top + "\\" + longKey, longValue, "x");
        ASSERT_TRUE(RegPutStr(st.root, top + "\\" + longKey + "\\L2\\L3\\L4", "", "deep"));
        EXPECT_EQ((m_env.*st.delSection)("", m_entry), 1);
        EXPECT_FALSE(RegKeyExists(st.root, top));
    }
}

// The whole product key, CurrentWork included, in a process and under keys of its own.
GENBA_SCENARIO(Settings, DeletingTheProductKey, Isolated())
{
    ResetProductKeys();
    CEnvironObj env;
    for (const Store& st : kStores) {
        SCOPED_TRACE(st.name);
        ASSERT_EQ((env.*st.setStr)("", "", "AtTop", "x"), 1);
        ASSERT_EQ((env.*st.setStr)("", "CurrentWork", "DataPath", "C:\\x"), 1);
        ASSERT_EQ((env.*st.setDWord)("S", "E", "N", 1), 1);
        ASSERT_TRUE(RegKeyExists(st.root, ProductKey(st) + "\\S\\CurrentVersion\\E"));
        EXPECT_EQ((env.*st.delSection)("", ""), 1);
        EXPECT_FALSE(RegKeyExists(st.root, ProductKey(st)));
        EXPECT_TRUE(RegKeyExists(st.root, "Software\\Velmora"));
        EXPECT_EQ((env.*st.delSection)("", ""), 0);
    }
}

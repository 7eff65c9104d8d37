// The settings store reading values that other programs wrote: every hostile text, every
// wrong type and size where a number or a block is read. A read that fails leaves the
// caller's variable or buffer exactly as it was. Entries of the test's own under both
// product keys, deleted before and after.
#include "hardening/hostile_values.h"

#include "settings/store_table.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace genbatest;

namespace {

class HostileStore : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        SetHostileVariables();
    }
};

} // namespace

TEST_F(HostileStore, TextsOfEveryShapeAndSize)
{
    for (const Store& st : kStores) {
        for (const HostileText& row : HostileTexts()) {
            SCOPED_TRACE(std::string(st.name) + ": " + row.what);
            ASSERT_TRUE(Put(st, "V", row.type, row.bytes));
            CString got = "sentinel";
            const int result = (m_env.*st.getStr)("", m_entry, "V", got);
            ExpectHostileText(row, result, got, "sentinel");
        }
    }
}

TEST_F(HostileStore, NumbersOfEveryTypeAndSize)
{
    for (const Store& st : kStores) {
        for (const HostileNumber& n : HostileNumbers()) {
            SCOPED_TRACE(std::string(st.name) + ": " + n.what());
            ASSERT_TRUE(Put(st, "V", n.type, n.bytes()));
            unsigned long got = 0xABCDEF01UL;
            EXPECT_EQ((m_env.*st.getDWord)("", m_entry, "V", got), n.readable ? 1 : 0);
            EXPECT_EQ(got, n.readable ? 7UL : 0xABCDEF01UL);
        }
    }
}

// The block is read straight into the caller's buffer only when it is a block that fits:
// a text, a number or a block too large for the buffer leaves every byte as it was.
TEST_F(HostileStore, BlockReadsThatFailLeaveTheBufferAlone)
{
    const struct {
        const char* what;
        DWORD type;
        std::string bytes;
        int result;
    } rows[] = {
        {"REG_SZ", REG_SZ, std::string("abcdef", 7), 0},
        {"REG_EXPAND_SZ", REG_EXPAND_SZ, std::string("%WINDIR%", 9), 0},
        {"REG_MULTI_SZ", REG_MULTI_SZ, std::string("ab\0cd\0", 7), 0},
        {"REG_DWORD", REG_DWORD, std::string("\x07\0\0\0", 4), 0},
        {"REG_QWORD", REG_QWORD, std::string(8, '\x07'), 0},
        {"REG_NONE", REG_NONE, std::string(5, '\x07'), 0},
        {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN, std::string(4, '\x07'), 0},
        {"REG_SZ larger than the buffer", REG_SZ, std::string(40, 'x'), 0},
        {"REG_BINARY one byte too large", REG_BINARY, std::string(17, '\x07'), 0},
        {"REG_BINARY far too large", REG_BINARY, std::string(100000, '\x07'), 0},
        {"REG_BINARY exactly the buffer", REG_BINARY, std::string(16, '\x07'), 1},
        {"REG_BINARY empty", REG_BINARY, std::string(), 1},
    };
    for (const Store& st : kStores) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(st.name) + ": " + row.what);
            ASSERT_TRUE(Put(st, "V", row.type, row.bytes));
            unsigned char buf[16];
            std::memset(buf, 0xEE, sizeof buf);
            EXPECT_EQ((m_env.*st.getBuff)("", m_entry, "V", buf, sizeof buf), row.result);
            const size_t written = row.result ? row.bytes.size() : 0;
            EXPECT_EQ(std::memcmp(buf, row.bytes.data(), written), 0);
            for (size_t i = written; i < sizeof buf; ++i) ASSERT_EQ(buf[i], 0xEE) << "byte " << i;
            EXPECT_EQ((m_env.*st.buffSize)("", m_entry, "V"), row.type == REG_BINARY ? row.bytes.size() : 0u);
        }
    }
}

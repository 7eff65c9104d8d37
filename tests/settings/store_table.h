// The nine operations of the settings store for each of its two roots, so that one test
// body covers user and machine data alike.
#pragma once

#include "env/scenario.h"

#include <genbaenv/environ.h>
#include <gtest/gtest.h>

#include <string>

namespace genbatest {

struct Store {
    const char* name;
    HKEY root;
    int (CEnvironObj::*setDWord)(const CString&, const CString&, const CString&, unsigned long) const;
    int (CEnvironObj::*getDWord)(const CString&, const CString&, const CString&, unsigned long&) const;
    int (CEnvironObj::*setStr)(const CString&, const CString&, const CString&, const CString&) const;
    int (CEnvironObj::*getStr)(const CString&, const CString&, const CString&, CString&) const;
    int (CEnvironObj::*setBuff)(const CString&, const CString&, const CString&, const void*, unsigned long) const;
    int (CEnvironObj::*getBuff)(const CString&, const CString&, const CString&, void*, unsigned long) const;
    unsigned long (CEnvironObj::*buffSize)(const CString&, const CString&, const CString&) const;
    int (CEnvironObj::*del)(const CString&, const CString&, const CString&) const;
    int (CEnvironObj::*delSection)(const CString&, const CString&) const;
};

const Store kStores[] = {
    {"user", HKEY_CURRENT_USER, &CEnvironObj::SetUserDataDWord, &CEnvironObj::GetUserDataDWord,
     &CEnvironObj::SetUserDataStr, &CEnvironObj::GetUserDataStr, &CEnvironObj::SetUserDataBuff,
     &CEnvironObj::GetUserDataBuff, &CEnvironObj::GetUserDataBuffSize, &CEnvironObj::DelUserData,
     &CEnvironObj::DelUserSection},
    {"machine", HKEY_LOCAL_MACHINE, &CEnvironObj::SetMachineDataDWord, &CEnvironObj::GetMachineDataDWord,
     &CEnvironObj::SetMachineDataStr, &CEnvironObj::GetMachineDataStr, &CEnvironObj::SetMachineDataBuff,
     &CEnvironObj::GetMachineDataBuff, &CEnvironObj::GetMachineDataBuffSize, &CEnvironObj::DelMachineData,
     &CEnvironObj::DelMachineSection},
};

// The product key of the store's root, as the running test or scenario sees it.
inline CString ProductKey(const Store& s)
{
    return s.root == HKEY_CURRENT_USER ? UserProductKey() : MachineProductKey();
}

// A test on an entry (T_<test>) and a section (S_<test>) of its own under both product
// keys, deleted before and after it.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_entry = CString("T_") + name;
        m_section = CString("S_") + name;
        TearDown();
    }
    void TearDown() override
    {
        for (const Store& s : kStores) {
            RegDelTree(s.root, EntryKey(s));
            RegDelTree(s.root, ProductKey(s) + "\\" + m_section);
        }
    }
    CString EntryKey(const Store& s) const { return ProductKey(s) + "\\" + m_entry; }
    bool Put(const Store& s, const char* name, DWORD type, const std::string& bytes) const
    {
        return RegPut(s.root, EntryKey(s), name, type, bytes);
    }

    CEnvironObj m_env;
    CString m_entry, m_section;
};

} // namespace genbatest

// The nine operations of the settings store for each of its two roots, so that one test
// body covers user and machine data alike.
#pragma once

#include "env/scenario.h"

#include <genbaenv/environ.h>

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

} // namespace genbatest

#include "support/fakenet.h"

#include "pathname/netprovider.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace genbatest {

namespace {

FakeNet* g_net = nullptr;
const HANDLE kEnumHandle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x4711));

DWORD WINAPI FakeOpenEnum(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEA container, LPHANDLE handle)
{
    EXPECT_EQ(static_cast<DWORD>(RESOURCE_CONNECTED), scope);
    EXPECT_EQ(static_cast<DWORD>(RESOURCETYPE_DISK), type);
    EXPECT_EQ(0u, usage);
    EXPECT_EQ(nullptr, container);
    if (g_net->openError != NO_ERROR) {
        *handle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0xBAD));   // garbage that must not be closed
        return g_net->openError;
    }
    ++g_net->successfulOpens;
    g_net->next = 0;
    *handle = kEnumHandle;
    return NO_ERROR;
}

// Records first, their strings behind them, as the system lays them out; more-data with
// the needed size when the batch does not fit.
DWORD WINAPI FakeEnumResource(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD size)
{
    FakeNet& net = *g_net;
    EXPECT_EQ(kEnumHandle, handle);
    EXPECT_EQ(0xFFFFFFFFu, *count);
    net.sizes.push_back(*size);
    std::memset(buffer, 0xCD, *size);   // every byte it was promised must be writable
    if (net.enumError != NO_ERROR) return net.enumError;
    if (net.next >= net.drives.size()) return ERROR_NO_MORE_ITEMS;
    const size_t n = std::min(net.perBatch, net.drives.size() - net.next);
    if (net.NeededBytes(net.next, n) > *size) {
        *size = static_cast<DWORD>(net.NeededBytes(net.next, n));
        return ERROR_MORE_DATA;
    }
    NETRESOURCEA* res = static_cast<NETRESOURCEA*>(buffer);
    char* text = reinterpret_cast<char*>(res + n);
    auto put = [&text](const char* s) { char* at = std::strcpy(text, s); text += std::strlen(s) + 1; return at; };
    for (size_t i = 0; i < n; ++i) {
        const FakeNet::Drive& d = net.drives[net.next + i];
        NETRESOURCEA r = {};
        r.dwScope = RESOURCE_CONNECTED;
        r.dwType = RESOURCETYPE_DISK;
        r.lpLocalName = d.local ? put(d.local) : nullptr;
        r.lpRemoteName = put(d.remote.c_str());
        res[i] = r;
    }
    *count = static_cast<DWORD>(n);
    net.next += n;
    return NO_ERROR;
}

DWORD WINAPI FakeCloseEnum(HANDLE handle)
{
    EXPECT_EQ(kEnumHandle, handle);
    ++g_net->closes;
    return NO_ERROR;
}

const GenbaNetProvider kFakeProvider = {FakeOpenEnum, FakeEnumResource, FakeCloseEnum};

} // namespace

size_t FakeNet::NeededBytes(size_t from, size_t n) const
{
    size_t needed = n * sizeof(NETRESOURCEA);
    for (size_t i = from; i < from + n; ++i)
        needed += (drives[i].local ? std::strlen(drives[i].local) + 1 : 0) + drives[i].remote.size() + 1;
    return needed;
}

ScopedFakeNet::ScopedFakeNet(FakeNet& net)
{
    g_net = &net;
    GenbaSetNetProviderForTest(&kFakeProvider);
}

ScopedFakeNet::~ScopedFakeNet()
{
    GenbaSetNetProviderForTest(nullptr);
    EXPECT_EQ(g_net->successfulOpens, g_net->closes) << "every enumeration opened is closed";
    g_net = nullptr;
}

} // namespace genbatest

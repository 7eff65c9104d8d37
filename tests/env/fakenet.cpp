#include "env/fakenet.h"

#include "pathname/netprovider.h"

#include <cstring>

namespace genbatest {

namespace {

std::vector<std::pair<char, std::string>> g_connections;

struct Enumeration {
    bool done = false;
};

DWORD WINAPI FakeOpenEnum(DWORD, DWORD, DWORD, LPNETRESOURCEA, LPHANDLE handle)
{
    *handle = new Enumeration;
    return NO_ERROR;
}

// All connections in one answer, strings after the records, as the system lays them out.
DWORD WINAPI FakeEnumResource(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD size)
{
    Enumeration* e = static_cast<Enumeration*>(handle);
    if (e->done || g_connections.empty()) return ERROR_NO_MORE_ITEMS;
    DWORD needed = static_cast<DWORD>(g_connections.size() * sizeof(NETRESOURCEA));
    for (const auto& c : g_connections) needed += 3 + static_cast<DWORD>(c.second.size() + 1);
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    NETRESOURCEA* res = static_cast<NETRESOURCEA*>(buffer);
    char* text = reinterpret_cast<char*>(res + g_connections.size());
    for (size_t i = 0; i < g_connections.size(); ++i) {
        std::memset(&res[i], 0, sizeof res[i]);
        res[i].dwScope = RESOURCE_CONNECTED;
        res[i].dwType = RESOURCETYPE_DISK;
        res[i].lpLocalName = text;
        text[0] = g_connections[i].first;
        text[1] = ':';
        text[2] = 0;
        text += 3;
        res[i].lpRemoteName = text;
        std::memcpy(text, g_connections[i].second.c_str(), g_connections[i].second.size() + 1);
        text += g_connections[i].second.size() + 1;
    }
    *count = static_cast<DWORD>(g_connections.size());
    e->done = true;
    return NO_ERROR;
}

DWORD WINAPI FakeCloseEnum(HANDLE handle)
{
    delete static_cast<Enumeration*>(handle);
    return NO_ERROR;
}

const GenbaNetProvider kFake = {FakeOpenEnum, FakeEnumResource, FakeCloseEnum};

} // namespace

void UseFakeConnections(const std::vector<std::pair<char, std::string>>& connections)
{
    g_connections = connections;
    GenbaSetNetProviderForTest(&kFake);
}

void UseSystemConnections()
{
    g_connections.clear();
    GenbaSetNetProviderForTest(nullptr);
}

} // namespace genbatest

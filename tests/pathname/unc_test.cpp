// The operations that ask the system: the current directory (set for real by each
// test, on drive T:, on the UNC share \\genbasrv\share and in double-byte folders) and
// the network provider (a stand-in that reports connected drives, since Wine has none).
#include <genbaenv/environ.h>

#include "pathname/netprovider.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using genbatest::ScopedCurrentDir;

std::string Bytes(const CString& s) { return std::string(static_cast<const char*>(s), s.GetLength()); }

bool EnsureDir(const CString& dir)
{
    return CreateDirectoryA(dir, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Fixture folders: on drive T: and on the share, each with a "work" folder below.
const char kDriveWork[] = "T:\\pathname\\work";
const char kUncWork[] = "\\\\genbasrv\\share\\pathname\\work";

class CurrentDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnsureDir("T:\\pathname") && EnsureDir(kDriveWork));
        ASSERT_TRUE(EnsureDir("\\\\genbasrv\\share\\pathname") && EnsureDir(kUncWork));
    }

    CEnvironObj env;
};

struct FullRow { const char* path; const char* full; };

template <size_t N>
void ExpectFullPaths(const CEnvironObj& env, const FullRow (&rows)[N])
{
    for (const FullRow& r : rows)
        EXPECT_EQ(r.full, Bytes(env.GetFullPath(r.path))) << "row " << (&r - rows) << ": " << r.path;
}

// --- Current directory on a drive and on a share -------------------------------------------

TEST_F(CurrentDirTest, OnADriveFolder)
{
    ScopedCurrentDir cd(kDriveWork);
    ASSERT_TRUE(cd.ok());
    EXPECT_EQ(kDriveWork, Bytes(env.GetCurrentDir()));
    EXPECT_EQ("T:", Bytes(env.GetCurrentDrive()));
    EXPECT_EQ(kDriveWork, Bytes(env.GetCurrentDir('t')));
    EXPECT_EQ("D:\\", Bytes(env.GetCurrentDir('d')));   // another drive: its root, never its own directory
    EXPECT_EQ(kDriveWork, Bytes(env.GetCurrentDir('1')));

    const FullRow rows[] = {
        {"t:foo", "T:\\pathname\\work\\foo"},
        {"c:foo", "C:\\foo"},
        {"t:", "T:\\pathname\\work\\"},
        {"\\foo", "T:\\foo"},
        {"\\\\", "T:\\\\"},
        {"", kDriveWork},
        {"a\\\\.\\b", "T:\\pathname\\work\\a\\\\.\\b"},
        {"t:\x95\x5C", "T:\\pathname\\work\\\x95\x5C"},
        {"c:\\x\\..", "c:\\x\\.."},
        {"\\\\genbasrv\\data", "\\\\genbasrv\\data"},
    };
    ExpectFullPaths(env, rows);
}

TEST_F(CurrentDirTest, AtADriveRoot)
{
    ScopedCurrentDir cd("T:\\");
    ASSERT_TRUE(cd.ok());
    EXPECT_EQ("T:\\", Bytes(env.GetCurrentDir()));
    EXPECT_EQ("T:\\", Bytes(env.GetCurrentDir('t')));
    // A root already ends in a backslash: no second one.
    const FullRow rows[] = {{"a", "T:\\a"}, {"t:", "T:\\"}, {"t:a", "T:\\a"}, {"\\a", "T:\\a"}, {"", "T:\\"}};
    ExpectFullPaths(env, rows);
}

TEST_F(CurrentDirTest, OnAUncShare)
{
    ScopedCurrentDir cd(kUncWork);
    ASSERT_TRUE(cd.ok());
    EXPECT_EQ(kUncWork, Bytes(env.GetCurrentDir()));
    EXPECT_EQ("", Bytes(env.GetCurrentDrive()));
    EXPECT_EQ("T:\\", Bytes(env.GetCurrentDir('t')));
    EXPECT_EQ(kUncWork, Bytes(env.GetCurrentDir('1')));

    const FullRow rows[] = {
        {"f.txt", "\\\\genbasrv\\share\\pathname\\work\\f.txt"},
        {"", kUncWork},
        {"\\foo", "\\foo"},                 // no current drive to put in front
        {"t:foo", "T:\\foo"},
        {"\\\\genbasrv\\data\\x", "\\\\genbasrv\\data\\x"},
    };
    ExpectFullPaths(env, rows);
}

// --- Double-byte current directories -------------------------------------------------------

// "T:\pathname\" followed by double-byte folders until the path has `bytes` bytes (the
// last byte may be a single 'x'); made on disk.
CString MakeDoubleByteDir(int bytes)
{
    CString dir("T:\\pathname");
    while (dir.GetLength() < bytes) {
        // Each folder at most 60 characters: its UTF-8 name on Linux stays below 255 bytes.
        int room = bytes - dir.GetLength() - 1;
        CString name;
        for (int i = 0; i < 60 && room - name.GetLength() >= 2; ++i) name += "\x95\x5C";
        if (room - name.GetLength() == 1) name += 'x';
        dir += '\\';
        dir += name;
        if (!EnsureDir(dir)) return CString();
    }
    return dir;
}

TEST_F(CurrentDirTest, DoubleByteFolderWithTrailByte5C)
{
    CString dir("T:\\pathname\\\x95\x5C\x83\x5C");
    ASSERT_TRUE(EnsureDir(dir));
    ScopedCurrentDir cd(dir);
    ASSERT_TRUE(cd.ok());
    EXPECT_EQ(Bytes(dir), Bytes(env.GetCurrentDir()));
    EXPECT_EQ(Bytes(dir) + "\\a", Bytes(env.GetFullPath("a")));
    EXPECT_EQ("T:\\pathname", Bytes(env.GetDirNameFromRelativePath(env.GetCurrentDir())));
    EXPECT_EQ("\x95\x5C\x83\x5C", Bytes(env.GetFileNameFromRelativePath(env.GetCurrentDir())));
}

TEST_F(CurrentDirTest, LongestDirectoryTheBufferHolds)
{
    CString dir = MakeDoubleByteDir(260);
    ASSERT_EQ(260, dir.GetLength());
    ScopedCurrentDir cd(dir);
    ASSERT_TRUE(cd.ok());
    EXPECT_EQ(Bytes(dir), Bytes(env.GetCurrentDir()));
    EXPECT_EQ(Bytes(dir) + "\\a", Bytes(env.GetFullPath("a")));
}

// Double-byte names make a directory the system accepts (it counts characters) longer
// than 260 bytes. It is not reported at all rather than cut, and nothing is built on it.
TEST_F(CurrentDirTest, DirectoryLongerThanTheBufferIsNotReported)
{
    CString dir = MakeDoubleByteDir(261);
    ASSERT_EQ(261, dir.GetLength());
    ScopedCurrentDir cd(dir);
    ASSERT_TRUE(cd.ok());
    EXPECT_EQ("", Bytes(env.GetCurrentDir()));
    EXPECT_EQ("", Bytes(env.GetCurrentDrive()));
    EXPECT_EQ("", Bytes(env.GetCurrentDir('t')));
    EXPECT_EQ("", Bytes(env.GetUNCPath("a")));
    const FullRow rows[] = {{"a", ""}, {"\\a", ""}, {"t:a", ""}, {"T:\\a", "T:\\a"}};   // absolute needs no current directory
    ExpectFullPaths(env, rows);
    EXPECT_EQ("T:\\a", Bytes(env.GetUNCPath("t:\\a")));
}

// --- The network provider stand-in ----------------------------------------------------------

struct FakeDrive {
    const char* local;   // may be null: a connection without a drive
    const char* remote;
};

struct FakeNet {
    std::vector<FakeDrive> drives;
    DWORD openError = NO_ERROR;
    DWORD enumError = NO_ERROR;     // answered by every enumeration call
    size_t perBatch = 1000;         // entries a call returns at most
    bool askNoMoreRoom = false;     // answer more-data without asking for a larger buffer
    bool emptyBatches = false;      // answer success with no entries
    std::vector<DWORD> sizes;       // buffer size of every enumeration call
    int opens = 0, successfulOpens = 0, closes = 0;
    size_t next = 0;
};

FakeNet* g_net = nullptr;
const HANDLE kEnumHandle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x4711));

size_t NeededBytes(const FakeDrive* d, size_t n)
{
    size_t needed = n * sizeof(NETRESOURCEA);
    for (size_t i = 0; i < n; ++i) needed += (d[i].local ? std::strlen(d[i].local) + 1 : 0) + std::strlen(d[i].remote) + 1;
    return needed;
}

DWORD WINAPI FakeOpenEnum(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEA container, LPHANDLE handle)
{
    EXPECT_EQ(static_cast<DWORD>(RESOURCE_CONNECTED), scope);
    EXPECT_EQ(static_cast<DWORD>(RESOURCETYPE_DISK), type);
    EXPECT_EQ(0u, usage);
    EXPECT_EQ(nullptr, container);
    ++g_net->opens;
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
    if (net.askNoMoreRoom) return ERROR_MORE_DATA;
    if (net.emptyBatches) {
        *count = 0;
        return NO_ERROR;
    }
    if (net.next >= net.drives.size()) return ERROR_NO_MORE_ITEMS;

    size_t n = std::min(net.perBatch, net.drives.size() - net.next);
    const FakeDrive* batch = &net.drives[net.next];
    if (NeededBytes(batch, n) > *size) {
        *size = static_cast<DWORD>(NeededBytes(batch, n));
        return ERROR_MORE_DATA;
    }
    NETRESOURCEA* res = static_cast<NETRESOURCEA*>(buffer);
    char* text = reinterpret_cast<char*>(res + n);
    auto put = [&text](const char* s) { char* at = std::strcpy(text, s); text += std::strlen(s) + 1; return at; };
    for (size_t i = 0; i < n; ++i) {
        NETRESOURCEA r = {};
        r.dwScope = RESOURCE_CONNECTED;
        r.dwType = RESOURCETYPE_DISK;
        r.lpLocalName = batch[i].local ? put(batch[i].local) : nullptr;
        r.lpRemoteName = put(batch[i].remote);
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

class NetTest : public CurrentDirTest {
protected:
    void SetUp() override
    {
        CurrentDirTest::SetUp();
        if (HasFatalFailure()) return;
        net.drives = {{"X:", "\\\\other\\x"}, {"Z:", "\\\\pc1\\data"}, {"t:", "\\\\genbasrv\\share"},
                      {"Y:", "\\\\\x95\x5C\\\x83\x5C"}};
        g_net = &net;
        GenbaSetNetProviderForTest(&kFakeProvider);
    }
    void TearDown() override
    {
        GenbaSetNetProviderForTest(nullptr);
        g_net = nullptr;
        EXPECT_EQ(net.successfulOpens, net.closes) << "every enumeration opened is closed";
    }

    FakeNet net;
};

TEST_F(NetTest, DriveFound)
{
    EXPECT_EQ("\\\\pc1\\data", Bytes(env.GetUNCPath('z')));
    EXPECT_EQ("\\\\genbasrv\\share", Bytes(env.GetUNCPath('T')));   // the provider's local name in lower case
    EXPECT_EQ("\\\\\x95\x5C\\\x83\x5C", Bytes(env.GetUNCPath('y')));
    EXPECT_EQ(std::vector<DWORD>(3, 1600), net.sizes);             // one batch, one 1600-byte buffer, per call
}

TEST_F(NetTest, DriveNotFoundAndNotALetter)
{
    net.perBatch = 1;
    EXPECT_EQ("C:", Bytes(env.GetUNCPath('c')));
    EXPECT_EQ(5u, net.sizes.size());   // every batch, then the end
    EXPECT_EQ("\xB1:", Bytes(env.GetUNCPath('\xB1')));
    const int opens = net.opens;
    for (char c : {'1', ':', '\x95'}) EXPECT_EQ("", Bytes(env.GetUNCPath(c))) << static_cast<int>(c);
    EXPECT_EQ(opens, net.opens);       // not a letter: nothing asked
}

TEST_F(NetTest, FirstMatchEndsTheEnumeration)
{
    net.drives = {{nullptr, "\\\\nodrive\\x"}, {"", "\\\\empty\\x"}, {"W:", "\\\\w\\x"}, {"z:", "\\\\pc1\\data"},
                  {"Z:", "\\\\second\\z"}};
    net.perBatch = 1;
    EXPECT_EQ("\\\\pc1\\data", Bytes(env.GetUNCPath('Z')));
    EXPECT_EQ(4u, net.sizes.size());   // the fifth entry is never asked for
}

TEST_F(NetTest, MoreDataGrowsTheBufferToTheAskedSize)
{
    // More connections than the first buffer holds; the wanted one comes last.
    std::vector<std::string> remotes;
    for (int i = 0; i < 30; ++i) remotes.push_back("\\\\server" + std::to_string(i) + "\\" + std::string(80, 's'));
    net.drives.clear();
    for (const std::string& r : remotes) net.drives.push_back({"Q:", r.c_str()});
    net.drives.push_back({"Z:", "\\\\pc1\\data"});

    EXPECT_EQ("\\\\pc1\\data", Bytes(env.GetUNCPath('z')));
    const DWORD needed = static_cast<DWORD>(NeededBytes(net.drives.data(), net.drives.size()));
    ASSERT_GT(needed, 1600u);
    EXPECT_EQ(std::vector<DWORD>({1600, needed}), net.sizes);   // exactly what the provider asked for
}

TEST_F(NetTest, FailingProviderCountsAsNotConnected)
{
    const struct { DWORD openError, enumError; bool askNoMoreRoom, emptyBatches; size_t calls; } rows[] = {
        {ERROR_NO_NETWORK, NO_ERROR, false, false, 0},   // unavailable: nothing enumerated, nothing closed
        {NO_ERROR, ERROR_NO_NETWORK, false, false, 1},
        {NO_ERROR, NO_ERROR, true, false, 1},            // more-data that never asks for more room
        {NO_ERROR, NO_ERROR, false, true, 1},            // success with no entries: no progress either
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        net.openError = r.openError;
        net.enumError = r.enumError;
        net.askNoMoreRoom = r.askNoMoreRoom;
        net.emptyBatches = r.emptyBatches;
        net.sizes.clear();
        EXPECT_EQ("Z:", Bytes(env.GetUNCPath('z')));
        EXPECT_EQ(r.calls, net.sizes.size());
        EXPECT_EQ("Z:\\dir", Bytes(env.GetUNCPath("z:\\dir")));
    }
}

TEST_F(NetTest, PathOnANetworkDrive)
{
    ScopedCurrentDir cd(kDriveWork);
    ASSERT_TRUE(cd.ok());
    const struct { const char* path; const char* unc; const char* server; } rows[] = {
        {"z:\\dir\\f.txt", "\\\\pc1\\data\\dir\\f.txt", "pc1"},
        {"Z:\\", "\\\\pc1\\data\\", "pc1"},
        {"z:", "\\\\pc1\\data\\", "pc1"},                                       // the root of another drive
        {"z:x", "\\\\pc1\\data\\x", "pc1"},
        {"c:\\dir", "C:\\dir", ""},                                             // a local drive stays, upper-cased
        {"y:\\\x94\x5C", "\\\\\x95\x5C\\\x83\x5C\\\x94\x5C", "\x95\x5C"},
        {"f.txt", "\\\\genbasrv\\share\\pathname\\work\\f.txt", "genbasrv"},    // made absolute first
        {"\\x", "\\\\genbasrv\\share\\x", "genbasrv"},
        {"\\\\pc1\\data\\x", "\\\\pc1\\data\\x", "pc1"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.path);
        CString unc = env.GetUNCPath(r.path);
        EXPECT_EQ(r.unc, Bytes(unc));
        EXPECT_EQ(r.server, Bytes(env.GetServerNameFromShareName(env.GetShareNameFromUNCPath(unc))));
    }
}

TEST_F(NetTest, RootedPathUnderAUncCurrentDirectoryHasNoUncForm)
{
    ScopedCurrentDir cd(kUncWork);
    ASSERT_TRUE(cd.ok());
    EXPECT_EQ("", Bytes(env.GetUNCPath("\\x")));
    EXPECT_EQ(Bytes(kUncWork) + "\\f", Bytes(env.GetUNCPath("f")));
}

// --- The system's provider: under Wine nothing is connected, real shares still work ---------

TEST_F(CurrentDirTest, SystemProviderAndRealShares)
{
    EXPECT_EQ("T:", Bytes(env.GetUNCPath('t')));
    EXPECT_EQ("T:\\pathname", Bytes(env.GetUNCPath("t:\\pathname")));
    EXPECT_EQ("", Bytes(env.GetUNCPath('1')));
    ScopedCurrentDir cd(kUncWork);
    ASSERT_TRUE(cd.ok());
    EXPECT_EQ(Bytes(kUncWork) + "\\a.txt", Bytes(env.GetUNCPath("a.txt")));
    EXPECT_EQ("\\\\genbasrv\\data\\x", Bytes(env.GetUNCPath("\\\\genbasrv\\data\\x")));
    EXPECT_EQ("genbasrv", Bytes(env.GetServerNameFromShareName(env.GetShareNameFromUNCPath(env.GetUNCPath("a")))));
}

// --- The object's members give the pure answers ----------------------------------------------

TEST(EnvironPathMembers, ForwardToThePathRules)
{
    CEnvironObj env;
    EXPECT_EQ("C:", Bytes(env.GetDrive("C:\\x")));
    EXPECT_EQ("\\\\pc1\\share", Bytes(env.GetVolumePath("\\\\pc1\\share\\dir\\f.txt")));
    EXPECT_EQ("\\dir\\f.txt", Bytes(env.GetRelativePath("\\\\pc1\\share\\dir\\f.txt")));
    EXPECT_EQ("C:\\", Bytes(env.GetPathNameFromRelativePath("C:\\f.txt")));
    EXPECT_EQ("C:", Bytes(env.GetDirNameFromRelativePath("C:\\f.txt")));
    EXPECT_EQ("f.txt", Bytes(env.GetFileNameFromRelativePath("C:\\f.txt")));
    EXPECT_EQ("a.b", Bytes(env.GetBaseNameFromFileName("a.b.001")));
    EXPECT_EQ(".001", Bytes(env.GetExtNameFromFileName("a.b.001")));
    EXPECT_EQ(3, env.IsValidFileName("abc:d"));
    CString p("C:\\dir\\\\//");
    env.AddFileName(p, "a.txt");
    EXPECT_EQ("C:\\dir\\a.txt", Bytes(p));
    EXPECT_EQ("\\\\pc1\\data", Bytes(env.GetShareNameFromUNCPath("\\\\pc1\\data\\dir")));
    EXPECT_EQ("pc1", Bytes(env.GetServerNameFromShareName("\\\\pc1\\data")));
    for (const char* name : {"\x95\x5C", ""}) {
        env.SetServerName(name);
        EXPECT_EQ(name, Bytes(env.GetServerName()));
    }
}

}  // namespace

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

// --- Current directory on a drive folder, a drive root and a share ----------------------------

TEST_F(CurrentDirTest, CurrentDirectoryOfEachDrive)
{
    const struct { const char* cwd; const char* drive; char letter; const char* dirOfLetter; } rows[] = {
        {kDriveWork, "T:", 't', kDriveWork},
        {kDriveWork, "T:", 'd', "D:\\"},        // another drive: its root, never its own directory
        {kDriveWork, "T:", '1', kDriveWork},
        {"T:\\", "T:", 't', "T:\\"},
        {kUncWork, "", 't', "T:\\"},
        {kUncWork, "", '1', kUncWork},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        ScopedCurrentDir cd(r.cwd);
        ASSERT_TRUE(cd.ok());
        EXPECT_EQ(r.cwd, Bytes(env.GetCurrentDir()));
        EXPECT_EQ(r.drive, Bytes(env.GetCurrentDrive()));
        EXPECT_EQ(r.dirOfLetter, Bytes(env.GetCurrentDir(r.letter)));
    }
}

TEST_F(CurrentDirTest, FullPathFromTheCurrentDirectory)
{
    const struct { const char* cwd; const char* path; const char* full; } rows[] = {
        {kDriveWork, "t:foo", "T:\\pathname\\work\\foo"},
        {kDriveWork, "c:foo", "C:\\foo"},
        {kDriveWork, "t:", "T:\\pathname\\work\\"},
        {kDriveWork, "\\foo", "T:\\foo"},
        {kDriveWork, "", kDriveWork},
        {kDriveWork, "t:\x95\x5C", "T:\\pathname\\work\\\x95\x5C"},
        {"T:\\", "a", "T:\\a"},                 // a root already ends in a backslash: no second one
        {"T:\\", "t:", "T:\\"},
        {"T:\\", "\\a", "T:\\a"},
        {kUncWork, "f.txt", "\\\\genbasrv\\share\\pathname\\work\\f.txt"},
        {kUncWork, "", kUncWork},
        {kUncWork, "\\foo", "\\foo"},           // no current drive to put in front
        {kUncWork, "t:foo", "T:\\foo"},
        {kUncWork, "\\\\genbasrv\\data\\x", "\\\\genbasrv\\data\\x"},
    };
    for (const auto& r : rows) {
        ScopedCurrentDir cd(r.cwd);
        ASSERT_TRUE(cd.ok());
        EXPECT_EQ(r.full, Bytes(env.GetFullPath(r.path))) << "row " << (&r - rows) << ": " << r.path;
    }
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

// A folder whose name ends in trail byte 5C, and the longest directory the buffer holds.
// Double-byte names make a directory the system accepts (it counts characters) longer
// than 260 bytes: that one is not reported at all rather than cut, and nothing is built on it.
TEST_F(CurrentDirTest, DoubleByteFolders)
{
    CString trail5C("T:\\pathname\\\x95\x5C\x83\x5C");
    ASSERT_TRUE(EnsureDir(trail5C));
    CString longest = MakeDoubleByteDir(260), tooLong = MakeDoubleByteDir(261);
    ASSERT_TRUE(longest.GetLength() == 260 && tooLong.GetLength() == 261);
    for (const CString& dir : {trail5C, longest, tooLong}) {
        SCOPED_TRACE(dir.GetLength());
        ScopedCurrentDir cd(dir);
        ASSERT_TRUE(cd.ok());
        const bool reported = dir.GetLength() <= 260;
        const std::string a = reported ? Bytes(dir) + "\\a" : "";
        EXPECT_EQ(reported ? Bytes(dir) : "", Bytes(env.GetCurrentDir()));
        EXPECT_EQ(reported ? Bytes(dir) : "", Bytes(env.GetCurrentDir('t')));
        EXPECT_EQ(reported ? "T:" : "", Bytes(env.GetCurrentDrive()));
        EXPECT_EQ(a, Bytes(env.GetFullPath("a")));
        EXPECT_EQ(a, Bytes(env.GetFullPath("t:a")));
        EXPECT_EQ(a, Bytes(env.GetUNCPath("a")));
        EXPECT_EQ(reported ? "T:\\a" : "", Bytes(env.GetFullPath("\\a")));
        EXPECT_EQ("T:\\a", Bytes(env.GetFullPath("T:\\a")));   // absolute: no current directory needed
        EXPECT_EQ("T:\\a", Bytes(env.GetUNCPath("t:\\a")));
        if (reported) {
            EXPECT_EQ(Bytes(dir.Left(dir.ReverseFind('\\'))), Bytes(env.GetDirNameFromRelativePath(env.GetCurrentDir())));
        }
    }
}

// --- The network provider stand-in ----------------------------------------------------------

struct FakeDrive {
    const char* local;   // may be null: a connection without a drive
    const char* remote;
};

struct FakeNet {
    std::vector<FakeDrive> drives;
    DWORD openError = NO_ERROR;
    DWORD enumError = NO_ERROR;     // answered by every enumeration call (more-data: without a larger size)
    size_t perBatch = 1000;         // entries a call returns at most (0: success with none)
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

TEST_F(NetTest, UNCPathOfADrive)
{
    const struct { char drive; const char* unc; int calls; } rows[] = {
        {'z', "\\\\pc1\\data", 1},              // one batch in one 1600-byte buffer
        {'T', "\\\\genbasrv\\share", 1},        // the provider's local name in lower case
        {'y', "\\\\\x95\x5C\\\x83\x5C", 1},
        {'c', "C:", 2},                         // every batch, then the end
        {'\xB1', "\xB1:", 2},
        {'1', "", 0}, {':', "", 0}, {'\x95', "", 0},   // not a letter: nothing asked
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        net.sizes.clear();
        net.opens = 0;
        EXPECT_EQ(r.unc, Bytes(env.GetUNCPath(r.drive)));
        EXPECT_EQ(std::vector<DWORD>(r.calls, 1600), net.sizes);
        EXPECT_EQ(r.calls ? 1 : 0, net.opens);
    }
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
    const struct { DWORD openError, enumError; size_t perBatch, calls; } rows[] = {
        {ERROR_NO_NETWORK, NO_ERROR, 1000, 0},   // unavailable: nothing enumerated, nothing closed
        {NO_ERROR, ERROR_NO_NETWORK, 1000, 1},
        {NO_ERROR, ERROR_MORE_DATA, 1000, 1},    // more-data that never asks for more room
        {NO_ERROR, NO_ERROR, 0, 1},              // success with no entries: no progress either
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        net.openError = r.openError;
        net.enumError = r.enumError;
        net.perBatch = r.perBatch;
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

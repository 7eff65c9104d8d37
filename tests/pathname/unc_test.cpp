// The operations that ask the system: the current directory (set for real, on drive T:,
// on the share \\genbasrv\share and in double-byte folders) and the network provider (a
// stand-in that reports connected drives, since Wine has none).
#include <genbaenv/environ.h>

#include "support/fakenet.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using genbatest::Bytes;
using genbatest::MakeDir;
using genbatest::ScopedCurrentDir;

const char kDriveWork[] = "T:\\pathname\\work";
const char kUncWork[] = "\\\\genbasrv\\share\\pathname\\work";

class CurrentDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeDir("T:\\pathname") && MakeDir(kDriveWork));
        ASSERT_TRUE(MakeDir("\\\\genbasrv\\share\\pathname") && MakeDir(kUncWork));
    }
    CEnvironObj env;
};

// The answers themselves are the pure rules' (pathops_test.cpp); here they come from the
// directory the system reports.
TEST_F(CurrentDirTest, AnswersFromTheCurrentDirectory)
{
    const struct { const char* cwd; const char* drive; char letter; const char* dirOfLetter; const char* path; const char* full; } rows[] = {
        {kDriveWork, "T:", 'd', "D:\\", "t:foo", "T:\\pathname\\work\\foo"},   // another drive: its root
        {kUncWork, "", '1', kUncWork, "f", "\\\\genbasrv\\share\\pathname\\work\\f"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        ScopedCurrentDir cd(r.cwd);
        ASSERT_TRUE(cd.ok());
        EXPECT_EQ(r.cwd, Bytes(env.GetCurrentDir()));
        EXPECT_EQ(r.drive, Bytes(env.GetCurrentDrive()));
        EXPECT_EQ(r.dirOfLetter, Bytes(env.GetCurrentDir(r.letter)));
        EXPECT_EQ(r.full, Bytes(env.GetFullPath(r.path)));
    }
}

// "T:\pathname\" and double-byte folders of at most 60 characters (their UTF-8 names
// stay below 255 bytes on Linux) until the path has `bytes` bytes.
CString MakeDoubleByteDir(int bytes)
{
    CString dir("T:\\pathname");
    while (dir.GetLength() < bytes) {
        const int room = bytes - dir.GetLength() - 1;
        CString name;
        for (int i = 0; i < 60 && room - name.GetLength() >= 2; ++i) name += "\x95\x5C";
        if (room - name.GetLength() == 1) name += 'x';
        dir += "\\" + name;
        if (!MakeDir(dir)) return CString();
    }
    return dir;
}

// Double-byte names make a directory the system accepts (it counts characters) longer
// than 260 bytes: that one is not reported at all rather than cut.
TEST_F(CurrentDirTest, DoubleByteFoldersUpToTheLimit)
{
    for (const CString& dir : {MakeDoubleByteDir(260), MakeDoubleByteDir(261)}) {
        SCOPED_TRACE(dir.GetLength());
        ScopedCurrentDir cd(dir);
        ASSERT_TRUE(cd.ok());
        const bool reported = dir.GetLength() <= 260;
        EXPECT_EQ(reported ? Bytes(dir) : "", Bytes(env.GetCurrentDir()));
        EXPECT_EQ(reported ? Bytes(dir) + "\\a" : "", Bytes(env.GetFullPath("a")));
        EXPECT_EQ("T:\\a", Bytes(env.GetFullPath("T:\\a")));   // absolute: no current directory needed
    }
}

class NetTest : public CurrentDirTest {
protected:
    void SetUp() override
    {
        CurrentDirTest::SetUp();
        net.drives = {{"X:", "\\\\other\\x"}, {"Z:", "\\\\pc1\\data"}, {"t:", "\\\\genbasrv\\share"},
                      {"Y:", "\\\\\x95\x5C\\\x83\x5C"}};
    }
    genbatest::FakeNet net;
    genbatest::ScopedFakeNet scope{net};
};

TEST_F(NetTest, UNCPathsOfConnectedDrives)
{
    ScopedCurrentDir cd(kDriveWork);
    ASSERT_TRUE(cd.ok());
    const struct { const char* path; const char* unc; } rows[] = {
        {"z:x", "\\\\pc1\\data\\x"},
        {"c:\\dir", "C:\\dir"},                                             // a local drive stays, upper-cased
        {"y:\\\x94\x5C", "\\\\\x95\x5C\\\x83\x5C\\\x94\x5C"},
        {"f.txt", "\\\\genbasrv\\share\\pathname\\work\\f.txt"},            // made absolute first; listed as t:
        {"\\\\pc1\\data\\x", "\\\\pc1\\data\\x"},
    };
    for (const auto& r : rows) EXPECT_EQ(r.unc, Bytes(env.GetUNCPath(r.path))) << r.path;
    EXPECT_EQ("", Bytes(env.GetUNCPath('1')));   // not a letter: nothing asked
    EXPECT_EQ(std::vector<DWORD>(5, 1600), net.sizes);   // one batch each, the local one to the end
}

TEST_F(NetTest, TheBufferGrowsToTheAskedSizeAndTheFirstMatchEnds)
{
    net.drives.clear();
    for (int i = 0; i < 30; ++i) net.drives.push_back({"Q:", "\\\\server" + std::to_string(i) + "\\" + std::string(80, 's')});
    net.drives.push_back({"z:", "\\\\pc1\\data"});
    net.drives.push_back({"Z:", "\\\\second\\z"});
    net.perBatch = 31;   // the second Z: is never asked for
    EXPECT_EQ("\\\\pc1\\data", Bytes(env.GetUNCPath('z')));
    EXPECT_EQ(std::vector<DWORD>({1600, static_cast<DWORD>(net.NeededBytes(0, 31))}), net.sizes);
}

TEST_F(NetTest, AFailingProviderCountsAsNotConnected)
{
    const struct { DWORD openError, enumError; size_t perBatch, calls; } rows[] = {
        {ERROR_NO_NETWORK, NO_ERROR, 1000, 0},   // unavailable: nothing enumerated, nothing closed
        {NO_ERROR, ERROR_MORE_DATA, 1000, 1},    // more-data that never asks for more room
        {NO_ERROR, NO_ERROR, 0, 1},              // success with no entries: no progress either
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        net.openError = r.openError;
        net.enumError = r.enumError;
        net.perBatch = r.perBatch;
        net.sizes.clear();
        EXPECT_EQ("Z:\\dir", Bytes(env.GetUNCPath("z:\\dir")));
        EXPECT_EQ(r.calls, net.sizes.size());
    }
}

} // namespace

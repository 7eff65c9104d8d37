// Registry values other programs may leave where the library reads: texts at and past
// the 2048-byte limit, without terminators, expansions far longer than the value or cut
// by the system, and values of the wrong type or size. The whole table runs through
// one reader (GetUserDataStr, GetUserDataDWord for numbers); every other reader shows
// with one value that it goes through the same read. Then the INI, and folder names as
// users and other programs make them.
#include "support/scenario.h"

#include <genbaenv/diagnostics.h>
#include <genbafw/handle.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace genbatest;

namespace {

#define DBCS "\x95\x5C\x83\x5C"   // 表ソ
#define NO "\x94\x5C"              // 能

enum class Outcome { Read, Refused, WholeOrRefused };

class Hostile : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDelTree(HKEY_CURRENT_USER, key);
        SetEnvironmentVariableA("GENBA_HARD_LONG", std::string(30000, 'L').c_str());
        SetEnvironmentVariableA("GENBA_HARD_DBCS", DBCS);
    }
    CEnvironObj env;
    const CString key = GenbaDataKeyPath(env, false, "", "T_Hostile");
};

} // namespace

TEST_F(Hostile, Texts)
{
    const std::string a2047(2047, 'a'), a2048(2048, 'a'), longRef = "%GENBA_HARD_LONG%";
    // The bytes are stored as they are, no terminator added.
    const struct { const char* what; DWORD type; std::string bytes; Outcome outcome; CString text; } rows[] = {
        {"zero inside", REG_SZ, std::string("ab\0cd", 5), Outcome::Read, "ab"},
        {"2047 bytes, no zero", REG_SZ, a2047, Outcome::Read, a2047.c_str()},
        {"2048 bytes, no zero", REG_SZ, a2048, Outcome::Refused, ""},
        {"2049 bytes", REG_SZ, a2048 + "a", Outcome::Refused, ""},
        {"multi-string: the first", REG_MULTI_SZ, std::string("C:\\M\0C:\\N\0", 11), Outcome::Read, "C:\\M"},
        {"expansion past the limit", REG_EXPAND_SZ, longRef, Outcome::Read, CString('L', 30000)},
        {"double-byte expansion", REG_EXPAND_SZ, "a%GENBA_HARD_DBCS%b", Outcome::Read, "a" DBCS "b"},
        {"expansion the system cuts", REG_EXPAND_SZ, longRef + longRef, Outcome::WholeOrRefused, CString('L', 60000)},
        // Every type but the three text types is refused.
        {"REG_DWORD", REG_DWORD, std::string("abc", 4), Outcome::Refused, ""},
        {"REG_BINARY", REG_BINARY, std::string("abc", 4), Outcome::Refused, ""},
        {"type 0x1234", 0x1234, std::string("abc", 4), Outcome::Refused, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(RegPut(HKEY_CURRENT_USER, key, "V", row.type, row.bytes));
        CString got = "sentinel";
        const int result = env.GetUserDataStr("", "T_Hostile", "V", got);
        const bool whole = result == 1 && got == row.text, untouched = result == 0 && got == "sentinel";
        const bool expected = row.outcome == Outcome::Read      ? whole
                              : row.outcome == Outcome::Refused ? untouched
                                                                : whole || untouched;
        EXPECT_TRUE(expected) << "result " << result << ", length " << got.GetLength();
    }
}

// Only a REG_DWORD of four bytes is a number.
TEST_F(Hostile, Numbers)
{
    const struct { DWORD type, size; } rows[] = {{REG_DWORD, 4}, {REG_DWORD, 3}, {REG_DWORD, 8}, {REG_BINARY, 4}};
    for (const auto& row : rows) {
        ASSERT_TRUE(RegPut(HKEY_CURRENT_USER, key, "N", row.type, std::string("\x07\0\0\0\0\0\0\0", row.size)));
        unsigned long got = 9;
        const bool number = row.type == REG_DWORD && row.size == 4;
        EXPECT_EQ(env.GetUserDataDWord("", "T_Hostile", "N", got), number ? 1 : 0) << row.type << '/' << row.size;
        EXPECT_EQ(got, number ? 7UL : 9UL) << row.type << '/' << row.size;
    }
}

// The install type, the homes, the data path and the overrides as expandable texts;
// the numbers of the current work eight bytes long.
GENBA_SCENARIO(HostileReaders, EachGoesThroughTheSameRead, Isolated())
{
    ResetProductKeys();
    SetEnvironmentVariableA("GENBA_HARD_TYPE", "Remote");
    SetEnvironmentVariableA("GENBA_HARD_DBCS", DBCS);
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "Type", "%GENBA_HARD_TYPE%", REG_EXPAND_SZ);
    RegPutStr(HKEY_LOCAL_MACHINE, SetupKey("SetupRemote"), "HomeData", "C:\\%GENBA_HARD_DBCS%", REG_EXPAND_SZ);
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", "D:\\%GENBA_HARD_DBCS%", REG_EXPAND_SZ);
    RegPutStr(HKEY_CURRENT_USER, EnvironKey(), "02000000", "E:\\%GENBA_HARD_DBCS%", REG_EXPAND_SZ);
    for (const char* name : {"FolderNo", "GenbaNo", "AppType"})
        RegPut(HKEY_CURRENT_USER, CurrentWorkKey(), name, REG_DWORD, std::string(8, '\x01'));
    CEnvironObj env;
    EXPECT_EQ(env.GetHomePath(PATHBASE_GENBA), "C:\\" DBCS);
    EXPECT_EQ(env.GetDataPath(), "D:\\" DBCS);
    EXPECT_EQ(env.GetPath(PATHKIND_SYSTEM_SYSTEM), "E:\\" DBCS "\\SYSTEM");
    EXPECT_EQ(env.GetFNo(), 0);
    EXPECT_EQ(env.GetGNo(), 0);
    EXPECT_EQ(env.GetAppType(), 0xFFFFFFFFUL);
    ResetProductKeys();
}

namespace {

// Makes genbaenv.dll call `stand-in` for its import `name`: how Windows answers where
// Wine answers otherwise.
void ReplaceImport(const char* name, const void* standIn)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA("genbaenv.dll"));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); dll->Name; ++dll) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name) != 0)
                continue;
            DWORD old = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(standIn);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
        }
    }
}

// An INI value of 261 bytes read into 261 bytes: Windows cuts it after 260 and leaves
// the lead byte of the cut character there (Wine writes nothing of that character).
DWORD WINAPI CutLikeWindows(LPCSTR, LPCSTR key, LPCSTR, LPSTR buffer, DWORD size, LPCSTR)
{
    std::string value = std::strcmp(key, "HKCU") == 0 ? "_" : "";
    for (int i = 0; i < 130 && !value.empty(); ++i) value += NO;
    const DWORD n = value.size() < size ? static_cast<DWORD>(value.size()) : size - 1;
    std::memcpy(buffer, value.data(), n);
    buffer[n] = 0;
    return n;
}

} // namespace

// A value cut inside a double-byte character keeps whole characters only.
GENBA_SCENARIO(HostileIni, ValueCutInsideADoubleByteCharacter, RawIni("[Type]\r\nHKCU=_\r\n"))
{
    ReplaceImport("GetPrivateProfileStringA", reinterpret_cast<const void*>(&CutLikeWindows));
    GenbaInstallDiag diag;
    GenbaGetInstallDiag(CEnvironObj(), diag);
    CString whole = "_";
    for (int i = 0; i < 129; ++i) whole += NO;
    EXPECT_EQ(diag.strUserSuffix, whole);
}

// Folder names: double-byte names whose second byte is a backslash, and folders past the
// 259 bytes the A functions take (made and removed here through the wide functions with
// the \\?\ prefix, which have no limit).
#define HYO "\x95\x5C"   // 表
#define SO "\x83\x5C"    // ソ

// A trail byte 5C is no separator: each level is cut at real backslashes only.
TEST(HostilePaths, DoubleByteLevels)
{
    CEnvironObj env;
    const CString d = FreshDir("hard_dbcs");
    EXPECT_EQ(env.CreateDir(d + "\\" HYO "\\" SO, 1), 1);
    EXPECT_EQ(env.IsExist(d + "\\" HYO "\\" SO), 1);
    ASSERT_TRUE(WriteFile(d + "\\" HYO "x.txt", "keep"));   // shares the first byte of 表
    EXPECT_EQ(env.RemoveDir(d + "\\" HYO, 1), 1);
    EXPECT_EQ(env.IsExist(d + "\\" HYO), -1);
    EXPECT_EQ(env.IsExist(d + "\\" HYO "x.txt"), 0);
}

// A folder too long for the A functions cannot be listed, nor even asked whether it is
// there: it has not been emptied, and its contents stay.
TEST(HostilePaths, FolderTooLongToListIsNotReportedEmptied)
{
    CEnvironObj env;
    const CString outer = FreshDir("hard_unlistable") + "\\" + CString('q', 150), path = outer + "\\" + CString('r', 120);
    const std::wstring wideOuter = L"\\\\?\\" + Wide(outer), widePath = L"\\\\?\\" + Wide(path);
    const std::wstring file = widePath + L"\\x.001";
    ASSERT_TRUE(CreateDirectoryW(wideOuter.c_str(), nullptr) && CreateDirectoryW(widePath.c_str(), nullptr));
    ASSERT_TRUE(genba::UniqueKernelHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
    EXPECT_EQ(env.RemoveDir(path, 0), 0);
    EXPECT_EQ(env.RemoveDir(path, 1), 0);
    EXPECT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(file.c_str());
    RemoveDirectoryW(widePath.c_str());
    RemoveDirectoryW(wideOuter.c_str());
}

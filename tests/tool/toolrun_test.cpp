// genbaenv-tool run as a child process on a sample installation of its own: each test
// stages a copy of the tool and its DLLs in a folder of its own, beside an INI whose
// suffixes give it product keys no other test uses (Software\Velmora\GenbaOffice_<test>),
// setup section SetupTLocal; so the tests may run at the same time.
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

using namespace genbatest;

// Sample names in CP932, and the same in UTF-8 as the tool must print them.
const char kTokyo[] = "\x93\x8C\x8B\x9E";            // 東京
const char kTokyoU8[] = "\xE6\x9D\xB1\xE4\xBA\xAC";
const char kOmote[] = "\x95\x5C\x8E\xA6";            // 表示: trail byte 5C
const char kOmoteU8[] = "\xE8\xA1\xA8\xE7\xA4\xBA";

CString g_root, g_product;   // the running test's folder and product key

CString Key(const char* entry) { return g_product + "\\" + entry; }
std::string Root() { return Bytes(g_root); }

// Runs the tool; arguments in CP932, or in UTF-16 when given wide.
RunResult RunTool(const std::vector<std::wstring>& args)
{
    std::wstring cmd = L"\"" + Wide(g_root + "\\bin\\genbaenv-tool.exe") + L"\"";
    for (const std::wstring& a : args) cmd += L" \"" + a + L"\"";   // no argument holds a quote
    return RunProgram(cmd, g_root, 30000);
}
RunResult RunTool(const std::vector<std::string>& args)
{
    std::vector<std::wstring> w;
    for (const std::string& a : args) w.push_back(Wide(a.c_str()));
    return RunTool(w);
}

class ToolRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        g_root = FreshDir(("tool_" + name).c_str());
        g_product = CString("Software\\Velmora\\GenbaOffice_") + name.c_str();
        ASSERT_TRUE(StageBinaries(g_root + "\\bin", {"genbaenv-tool.exe"}));
        ASSERT_TRUE(WriteFile(g_root + "\\bin\\genbaenv.INI", "[Type]\r\nSetup=T\r\nHKLM=_" + name + "\r\nHKCU=_" + name + "\r\n"));
        TearDown();
        for (const char* home : {"HomeProgram", "HomeSystem", "HomeData"})
            ASSERT_TRUE(RegPutStr(HKEY_LOCAL_MACHINE, Key("SetupTLocal\\CurrentVersion"), home, g_root + "\\" + home));
        ASSERT_TRUE(RegPutDWord(HKEY_CURRENT_USER, Key("CurrentWork"), "FolderNo", 1));
        ASSERT_TRUE(RegPutDWord(HKEY_CURRENT_USER, Key("CurrentWork"), "GenbaNo", 2));
        ASSERT_TRUE(RegPutStr(HKEY_CURRENT_USER, Key("Environ"), "02040000", g_root + "\\myform"));
        // HomeData\東京.001\{a.001, 表示.002\MAIN\{表示.00A, x.BAK}}
        const CString tokyo = g_root + "\\HomeData\\" + kTokyo + ".001", main = tokyo + "\\" + kOmote + ".002\\MAIN";
        for (const CString& d : {g_root + "\\HomeData", tokyo, tokyo + "\\a.001", tokyo + "\\" + kOmote + ".002", main})
            ASSERT_TRUE(MakeDir(d));
        ASSERT_TRUE(WriteFile(main + "\\" + kOmote + ".00A", "12345"));
        ASSERT_TRUE(WriteFile(main + "\\x.BAK"));
    }

    void TearDown() override
    {
        RegDelTree(HKEY_LOCAL_MACHINE, g_product);
        RegDelTree(HKEY_CURRENT_USER, g_product);
    }
};

// Each row must appear in the text, runs of spaces read as one.
void ExpectRows(const std::string& text, std::initializer_list<std::string> rows)
{
    const std::string squeezed = std::regex_replace(text, std::regex(" +"), " ");
    for (const std::string& row : rows) EXPECT_NE(squeezed.find(row), std::string::npos) << "missing [" << row << "] in:\n" << text;
}

std::string Out(const std::vector<std::string>& args)
{
    RunResult r = RunTool(args);
    EXPECT_EQ(0u, r.exit) << args[0] << ": " << r.failure << r.err;
    return r.out;
}

TEST_F(ToolRun, ShowsTheEnvironmentAsTheLibraryReadsIt)
{
    ExpectRows(Out({"show"}), {"[Type] HKLM _ShowsTheEnvironmentAsTheLibraryReadsIt", "HKLM\\" + Bytes(Key("SetupTLocal\\CurrentVersion")),
                               "ServerQMS ?", std::string("1 .001 ") + kTokyoU8, std::string("2 .002 ") + kOmoteU8});
    ExpectRows(Out({"paths"}), {"0x02040000 system.form " + Root() + "\\myform override 02040000\n",
                                "0x02030000 system.system " + Root() + "\\HomeSystem\\SYSTEM\n"});
    ExpectRows(Out({"path", "system.form+VQA", "site.main", "--json"}),
               {"\\\\myform\\\\VQA\"", "\"override\": \"02040000\"", std::string("\\\\") + kOmoteU8 + ".002\\\\MAIN\"",
                "\"override\": null"});
    ExpectRows(Out({"tree"}), {std::string("folder 1 .001 ") + kTokyoU8 + " <- current\n",
                               std::string("site 2 .002 ") + kOmoteU8 + " <- current\n"});
    // .BAK reads as number 0xBA; --raw keeps the library's bytes, 表 with its 5C trail byte.
    ExpectRows(Out({"files", "site.main"}), {"186 .0BA x x.BAK 0 ", std::string("10 .00A ") + kOmoteU8 + " "});
    ExpectRows(Out({"--raw", "--json", "files", "site.main"}), {std::string("\"") + kOmote + ".00A\""});
}

TEST_F(ToolRun, WritesThroughTheStore)
{
    ExpectRows(Out({"work", "set", "--folder", "1", "--site", "0x1"}), {"site 1 .001 a"});
    EXPECT_EQ(std::string("\x01\0\0\0", 4), RegGet(HKEY_CURRENT_USER, Key("CurrentWork"), "GenbaNo").second);
    Out({"set", "machine", "Sect", "", "\x96\xBC", "--str", std::string(kOmote) + "\\x"});   // 名
    EXPECT_EQ(std::string(kOmote) + "\\x" + std::string(1, '\0'),
              RegGet(HKEY_LOCAL_MACHINE, Key("Sect\\CurrentVersion"), "\x96\xBC").second);
    ExpectRows(Out({"get", "machine", "Sect", "", "\x96\xBC", "--json"}), {"\"value\": \"" + std::string(kOmoteU8) + "\\\\x\""});
    Out({"del", "machine", "Sect", "", "\x96\xBC"});
    EXPECT_EQ(1u, RunTool(std::vector<std::string>{"get", "machine", "Sect", "", "\x96\xBC"}).exit);
}

// The tool's own version resource with the installation's addition; the version box
// painted headless.
TEST_F(ToolRun, VersionLineAndBox)
{
    ASSERT_TRUE(MakeDir(g_root + "\\HomeProgram") && MakeDir(g_root + "\\HomeProgram\\PROG"));
    ASSERT_TRUE(WriteFile(g_root + "\\HomeProgram\\PROG\\VERSION.INF", "[Version]\r\nAddString=SP1\r\n"));
    ExpectRows(Out({"version"}), {" SP1\n"});
    Out({"dialog", "about", "--name", "x", "--screenshot", Root() + "\\about.png"});
    EXPECT_GT(ReadFile(g_root + "\\about.png").size(), 2000u);
}

TEST_F(ToolRun, RefusesBadInputBeforeWritingAnything)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"work", "set", "--data", "C:\\x", "--folder", "5000"}, {"set", "user", "", "CurrentWork", "FolderNo"}}) {
        RunResult r = RunTool(args);
        EXPECT_EQ(2u, r.exit);
        EXPECT_EQ(0u, r.err.find("genbaenv-tool: ")) << r.err;
    }
    // A character without a CP932 form is refused, not turned into '?'.
    RunResult e = RunTool(std::vector<std::wstring>{L"set", L"user", L"", L"CurrentWork", L"DataPath", L"--str", L"caf\x00E9"});
    EXPECT_EQ(2u, e.exit);
    ExpectRows(e.err, {"argument 7 holds a character that code page 932 cannot write"});
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), RegGet(HKEY_CURRENT_USER, Key("CurrentWork"), "DataPath").first);
    EXPECT_EQ(1u, RunTool(std::vector<std::string>{"files", Root() + "\\nowhere"}).exit);
}

} // namespace

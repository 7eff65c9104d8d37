// genbaenv-tool run as a child process on a sample installation of its own: a copy of
// the tool and its DLLs beside an INI file whose suffixes give it product keys no other
// test uses (Software\Velmora\GenbaOffice_ToolTest), setup section SetupTLocal.
#include "support/testsupport.h"
#include "textconv.h"

#include <genbafw/handle.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

using genba::UniqueKernelHandle;
using genbatool::Cp932ToWide;

const std::string kProduct = "Software\\Velmora\\GenbaOffice_ToolTest";

// Sample names in CP932, and the same in UTF-8 as the tool must print them.
const char kTokyo[] = "\x93\x8C\x8B\x9E\x8E\x78\x93\x58";         // 東京支店
const char kTokyoU8[] = "\xE6\x9D\xB1\xE4\xBA\xAC\xE6\x94\xAF\xE5\xBA\x97";
const char kShinjuku[] = "\x90\x56\x8F\x68";                         // 新宿
const char kShinjukuU8[] = "\xE6\x96\xB0\xE5\xAE\xBF";
const char kOmote[] = "\x95\x5C\x8E\xA6";                            // 表示: trail byte 5C
const char kOmoteU8[] = "\xE8\xA1\xA8\xE7\xA4\xBA";
const char kEstimate[] = "\x8C\xA9\x90\xCF";                         // 見積
const char kEstimateU8[] = "\xE8\xA6\x8B\xE7\xA9\x8D";

struct ToolResult {
    DWORD exit = 0xFFFFFFFF;
    std::string out, err;
};

std::string Key(const std::string& entry) { return kProduct + "\\" + entry; }

bool PutSz(HKEY root, const std::string& key, const char* name, const std::string& value)
{
    return RegSetKeyValueA(root, key.c_str(), name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool PutDword(HKEY root, const std::string& key, const char* name, DWORD value)
{
    return RegSetKeyValueA(root, key.c_str(), name, REG_DWORD, &value, sizeof value) == ERROR_SUCCESS;
}

// The raw stored value (type and bytes), or type REG_NONE with no bytes when absent.
std::pair<DWORD, std::string> Stored(HKEY root, const std::string& key, const char* name)
{
    char buf[2048];
    DWORD type = REG_NONE, size = sizeof buf;
    if (RegGetValueA(root, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, buf, &size) != ERROR_SUCCESS)
        return {REG_NONE, std::string()};
    return {type, std::string(buf, size)};
}

std::string ReadWhole(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A small JSON syntax check, enough to catch a broken escape or a missing comma: strings
// become s, other scalars 0, then innermost arrays and objects fold into 0 until one
// value is left.
bool ValidJson(std::string t)
{
    t = std::regex_replace(t, std::regex(R"("([^"\\\x00-\x1F]|\\["\\/bfnrt]|\\u[0-9A-Fa-f]{4})*")"), "s");
    t = std::regex_replace(t, std::regex(R"(\d+|true|false|null)"), "0");
    t = std::regex_replace(t, std::regex(R"(\s+)"), "");
    if (t.find_first_not_of("{}[]:,s0") != std::string::npos) return false;
    const std::regex innermost(R"(\[\]|\{\}|\[[s0](,[s0])*\]|\{s:[s0](,s:[s0])*\})");
    for (std::string before; before != t;) before = t, t = std::regex_replace(t, innermost, "0");
    return t == "0" || t == "s";
}

class ToolRun : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        // Under Wine the tool started by the previous test program may still hold its
        // files for a moment after it ended: try again before giving up.
        for (int attempt = 0; attempt < 50 && !(s_copied = StageTool()); ++attempt) Sleep(100);
    }

    // A fresh copy of the tool and its DLLs with an INI of its own.
    static bool StageTool()
    {
        s_root = genbatest::FreshDir("tool_run");
        s_bin = s_root + "\\bin";
        CreateDirectoryA(s_bin, nullptr);
        char self[MAX_PATH] = {0};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        CString from(self);
        from = from.Left(from.ReverseFind('\\'));
        bool copied = CopyFileA(from + "\\genbaenv-tool.exe", s_bin + "\\genbaenv-tool.exe", FALSE) != FALSE;
        WIN32_FIND_DATAA fd;
        genba::UniqueFindHandle f(FindFirstFileA(from + "\\*.dll", &fd));
        for (bool more = bool(f); more; more = FindNextFileA(f.get(), &fd) != FALSE)
            copied = copied && CopyFileA(from + "\\" + fd.cFileName, s_bin + "\\" + fd.cFileName, FALSE);
        return copied && genbatest::WriteFile(s_bin + "\\genbaenv.INI", "[Type]\r\nSetup=T\r\nHKLM=_ToolTest\r\nHKCU=_ToolTest\r\n");
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_copied) << "the tool and its DLLs could not be copied to " << s_bin;
        TearDownTestSuite();
        std::string root = Root();
        for (auto home : {std::make_pair("HomeProgram", "prog"), {"HomeSystem", "sys"}, {"HomeData", "data"},
                          {"HomeHelp", "help"}, {"HomeTemp", "temp"}})
            ASSERT_TRUE(PutSz(HKEY_LOCAL_MACHINE, Key("SetupTLocal\\CurrentVersion"), home.first, root + "\\" + home.second));
        ASSERT_TRUE(PutDword(HKEY_CURRENT_USER, Key("CurrentWork"), "FolderNo", 1));
        ASSERT_TRUE(PutDword(HKEY_CURRENT_USER, Key("CurrentWork"), "GenbaNo", 2));
        ASSERT_TRUE(PutSz(HKEY_CURRENT_USER, Key("Environ"), "02040000", root + "\\myform"));

        // data\東京支店.001\{渋谷.001, 新宿.002\MAIN\{見積.001, 表示.00A, 見積.BAK}}, data\大阪.002
        CString data = s_root + "\\data", tokyo = data + "\\" + kTokyo + ".001";
        CString main = tokyo + "\\" + kShinjuku + ".002\\MAIN";
        for (const CString& d : {data, tokyo, tokyo + "\\\x8F\x61\x92\x4A.001", tokyo + "\\" + kShinjuku + ".002", main,
                                 data + "\\\x91\xE5\x8D\xE3.002"})
            CreateDirectoryA(d, nullptr);
        ASSERT_TRUE(genbatest::WriteFile(main + "\\" + kEstimate + ".001", "12345"));
        ASSERT_TRUE(genbatest::WriteFile(main + "\\" + kOmote + ".00A", "x"));
        ASSERT_TRUE(genbatest::WriteFile(main + "\\" + kEstimate + ".BAK", "old"));
    }

    static void TearDownTestSuite()
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProduct.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, kProduct.c_str());
    }

    // Runs the tool with arguments given in UTF-16.
    static ToolResult RunWide(const std::vector<std::wstring>& args)
    {
        ToolResult r;
        // Fresh files for every run: under Wine a child that has ended may still hold its
        // standard handles for a moment.
        static int s_runs = 0;
        std::string base = Root() + "\\run" + std::to_string(++s_runs);
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        auto open = [&sa](const std::string& name, DWORD access, DWORD how) {
            return UniqueKernelHandle(
                CreateFileA(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, how, 0, nullptr));
        };
        UniqueKernelHandle in = open("NUL", GENERIC_READ, OPEN_EXISTING);
        UniqueKernelHandle out = open(base + ".out", GENERIC_WRITE, CREATE_ALWAYS);
        UniqueKernelHandle err = open(base + ".err", GENERIC_WRITE, CREATE_ALWAYS);
        if (!in || !out || !err) return r.err = "cannot open the standard handles: " + std::to_string(GetLastError()), r;
        std::wstring exe = Cp932ToWide(std::string(s_bin + "\\genbaenv-tool.exe")), cmd = L"\"" + exe + L"\"";
        // None of the tests' arguments holds a quote or ends in a backslash.
        for (const std::wstring& a : args) cmd += L" \"" + a + L"\"";
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = in.get();
        si.hStdOutput = out.get();
        si.hStdError = err.get();
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
            return r.err = "cannot start the tool: " + std::to_string(GetLastError()), r;
        UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
        if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
            TerminateProcess(process.get(), 99);
            return r.err = "the tool did not end within 30 s", r;
        }
        GetExitCodeProcess(process.get(), &r.exit);
        out.reset();
        err.reset();
        r.out = ReadWhole(base + ".out");
        r.err = ReadWhole(base + ".err");
        return r;
    }

    // Runs the tool with arguments given in CP932.
    static ToolResult Run(const std::vector<std::string>& args)
    {
        std::vector<std::wstring> w;
        for (const std::string& a : args) w.push_back(Cp932ToWide(a));
        return RunWide(w);
    }

    static std::string Root() { return std::string(s_root); }

    static CString s_root, s_bin;
    static bool s_copied;
};

CString ToolRun::s_root, ToolRun::s_bin;
bool ToolRun::s_copied = false;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Each row must appear in the text, runs of spaces read as one: the checks do not depend
// on column widths.
void ExpectRows(const std::string& text, std::initializer_list<std::string> rows)
{
    std::string squeezed = std::regex_replace(text, std::regex(" +"), " ");
    for (const std::string& row : rows) EXPECT_TRUE(Has(squeezed, row)) << "missing [" << row << "] in:\n" << text;
}

// The output of a run that must succeed; UTF-8 JSON must be well formed (--raw JSON is
// CP932, whose trail bytes a byte-wise check would take for escapes).
std::string Out(const std::vector<std::string>& args)
{
    ToolResult r = ToolRun::Run(args);
    EXPECT_EQ(0u, r.exit) << args[0] << ": " << r.err;
    auto given = [&args](const char* option) { return std::find(args.begin(), args.end(), option) != args.end(); };
    if (given("--json") && !given("--raw")) {
        EXPECT_TRUE(ValidJson(r.out)) << r.out;
    }
    return r.out;
}

// --- reading --------------------------------------------------------------------

TEST_F(ToolRun, ShowGivesInstallationAndCurrentWorkInUtf8AndJson)
{
    ToolResult r = Run({"show"});
    EXPECT_EQ(0u, r.exit);
    EXPECT_EQ("", r.err);
    ExpectRows(r.out, {"[Type] HKLM _ToolTest", "HKLM\\" + Key("SetupTLocal\\CurrentVersion"),
                       "HomeData " + Root() + "\\data", "ServerQMS ?", std::string("1 .001 ") + kTokyoU8,
                       std::string("2 .002 ") + kShinjukuU8, "Application type (none)",
                       Root() + "\\data\\" + kTokyoU8 + ".001\\" + kShinjukuU8 + ".002\n"});
    ExpectRows(Out({"show", "--json"}), {"\"setupSection\": \"SetupTLocal\"", "\"hkcu\": \"_ToolTest\"", "\"siteNo\": 2",
                                         "\"appType\": null", "\\\\data\\\\",
                                         "\"folderName\": \"" + std::string(kTokyoU8) + "\""});
}

TEST_F(ToolRun, PathsTellWhichOverrideDecided)
{
    std::string paths = Out({"paths"});
    ExpectRows(paths, {"0x02040000 system.form " + Root() + "\\myform override 02040000\n",
                       "0x02030000 system.system " + Root() + "\\sys\\SYSTEM\n",
                       "0x01060000 program.apli " + Root() + "\\prog\\GENBA\n", "0x06010000 server (none)\n"});
    EXPECT_FALSE(Has(paths, "+VQA")) << "application kinds without an override of their own are left out";
    ExpectRows(Out({"path", "system.form+VQA", "0x03020000", "--json"}),
               {"\"name\": \"system.form+VQA\"", "\\\\myform\\\\VQA\"", "\"override\": \"02040000\"",
                "\\\\" + std::string(kShinjukuU8) + ".002\\\\MAIN\"", "\"override\": null"});
}

TEST_F(ToolRun, OverrideDecidesOnlyWhereGetPathReachesIt)
{
    ASSERT_TRUE(PutSz(HKEY_CURRENT_USER, Key("Environ"), "02000000", Root() + "\\altsys"));
    ASSERT_TRUE(PutSz(HKEY_CURRENT_USER, Key("Environ"), "03020000", Root() + "\\sitemain"));
    ASSERT_TRUE(PutDword(HKEY_CURRENT_USER, Key("CurrentWork"), "GenbaNo", 0));
    // No current site: GetPath stops before the subfolder's value is read.
    ExpectRows(Out({"path", "system.cad", "system.form", "site.main", "site"}),
               {"0x02020000 system.cad " + Root() + "\\altsys\\CAD override 02000000\n",
                "0x02040000 system.form " + Root() + "\\myform override 02040000\n",
                "0x03020000 site.main (none)\n", "0x03010000 site (none)\n"});
}

TEST_F(ToolRun, TreeListsFoldersAndSitesAndMarksTheCurrentOne)
{
    ExpectRows(Out({"tree"}), {std::string("folder 1 .001 ") + kTokyoU8 + " <- current\n",
                               std::string("site 2 .002 ") + kShinjukuU8 + " <- current\n", "(no sites)"});
    ExpectRows(Out({"tree", Root() + "\\data", "--json"}), {"\"ext\": \".002\""});
}

TEST_F(ToolRun, FilesNumberedTypedAndRaw)
{
    // .BAK reads as number 0xBA: its leading hexadecimal digits carry a number.
    ExpectRows(Out({"files", "site.main"}), {"(numbered listing, 3 entries)",
                                             std::string("186 .0BA ") + kEstimateU8 + " " + kEstimateU8 + ".BAK 3 ",
                                             std::string("1 .001 ") + kEstimateU8 + " " + kEstimateU8 + ".001 5 ",
                                             std::string("10 .00A ") + kOmoteU8 + " " + kOmoteU8 + ".00A"});
    ExpectRows(Out({"files", "site.main", "Backup|.BAK", "--json"}),
               {"\"listing\": \"typed\"", std::string("\"fileName\": \"") + kEstimateU8 + ".BAK\"", "\"size\": 3"});

    // --raw keeps the library's bytes: 表 with its 5C trail byte, not doubled, not converted.
    std::string raw = Out({"--raw", "files", "site.main"});
    ExpectRows(raw, {std::string(kOmote) + ".00A"});
    EXPECT_FALSE(Has(raw, kOmoteU8));
    ExpectRows(Out({"--raw", "--json", "files", "site.main"}), {std::string("\"") + kOmote + ".00A\""});
}

// --- writing --------------------------------------------------------------------

TEST_F(ToolRun, WorkSetIsWhatNewObjectsSee)
{
    ExpectRows(Out({"work", "set", "--folder", "1", "--site", "0x1"}), {"site 1 .001 \xE6\xB8\x8B\xE8\xB0\xB7"});   // 渋谷
    EXPECT_EQ(std::string("\x01\0\0\0", 4), Stored(HKEY_CURRENT_USER, Key("CurrentWork"), "GenbaNo").second);

    ToolResult d = Run({"work", "set", "--data", Root() + "\\elsewhere"});
    EXPECT_EQ(0u, d.exit);
    ExpectRows(d.err, {"is not there"});
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), Stored(HKEY_CURRENT_USER, Key("CurrentWork"), "DataPath").first);
    ExpectRows(Out({"work", "--json"}), {"\"dataPath\": \"", "\\\\elsewhere\","});
}

TEST_F(ToolRun, SetGetDelRoundTrip)
{
    Out({"set", "user", "", "Probe", "Bytes", "--hex", "01 02 ff"});
    EXPECT_EQ(std::make_pair(static_cast<DWORD>(REG_BINARY), std::string("\x01\x02\xFF")),
              Stored(HKEY_CURRENT_USER, Key("Probe"), "Bytes"));
    EXPECT_EQ("01 02 FF\n", Out({"get", "user", "", "Probe", "Bytes"}));
    ToolResult wrongType = Run({"get", "user", "", "Probe", "Bytes", "--dword"});
    EXPECT_EQ(1u, wrongType.exit);
    EXPECT_EQ("", wrongType.out);
    ExpectRows(wrongType.err, {"no dword value"});

    // Japanese value names and texts arrive as CP932.
    const char kName[] = "\x96\xBC\x91\x4F";   // 名前
    Out({"set", "machine", "Sect", "", kName, "--str", std::string(kOmote) + "\\x"});
    EXPECT_EQ(std::string(kOmote) + "\\x" + std::string(1, '\0'),
              Stored(HKEY_LOCAL_MACHINE, Key("Sect\\CurrentVersion"), kName).second);
    ExpectRows(Out({"get", "machine", "Sect", "", kName, "--json"}), {"\"value\": \"" + std::string(kOmoteU8) + "\\\\x\""});

    Out({"del", "user", "", "Probe", "Bytes"});
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Stored(HKEY_CURRENT_USER, Key("Probe"), "Bytes").first);
    EXPECT_EQ(1u, Run({"get", "user", "", "Probe", "Bytes"}).exit);
    EXPECT_EQ(1u, Run({"del", "user", "", "NoSuchEntry", "--key"}).exit);
}

// --- refusals -------------------------------------------------------------------

TEST_F(ToolRun, BadInputIsRefusedAndNothingIsWritten)
{
    struct Row {
        std::vector<std::string> args;
        const char* inMessage;
    } rows[] = {
        {{"frob"}, "unknown subcommand 'frob'"},
        {{"path", "site.mian"}, "site has no subfolder 'mian'"},
        {{"work", "set", "--folder", "2", "--site", "4096"}, "--site: 4096 is out of range"},
        {{"work", "set", "--data", "C:\\x", "--folder", "5000"}, "--folder: 5000 is out of range"},
        {{"set", "user", "", "CurrentWork", "FolderNo", "--dword", "4294967296"}, "out of range"},
        {{"set", "user", "", "CurrentWork", "FolderNo"}, "missing value"},
        {{"del", "user", "", "CurrentWork"}, "missing value name"},
    };
    auto before = Stored(HKEY_CURRENT_USER, Key("CurrentWork"), "FolderNo");
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        ToolResult r = Run(rows[i].args);
        EXPECT_EQ(2u, r.exit);
        EXPECT_EQ("", r.out);
        EXPECT_EQ(0u, r.err.find("genbaenv-tool: ")) << r.err;
        ExpectRows(r.err, {rows[i].inMessage});
    }
    EXPECT_EQ(before, Stored(HKEY_CURRENT_USER, Key("CurrentWork"), "FolderNo"));
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Stored(HKEY_CURRENT_USER, Key("CurrentWork"), "DataPath").first);
    EXPECT_EQ(std::string("\x02\0\0\0", 4), Stored(HKEY_CURRENT_USER, Key("CurrentWork"), "GenbaNo").second);

    // A character without a CP932 form is refused, not turned into '?'.
    ToolResult e = RunWide({L"set", L"user", L"", L"Probe", L"N", L"--str", L"caf\x00E9"});
    EXPECT_EQ(2u, e.exit);
    ExpectRows(e.err, {"argument 7 holds a character that code page 932 cannot write"});
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Stored(HKEY_CURRENT_USER, Key("Probe"), "N").first);

    ToolResult missing = Run({"files", Root() + "\\nowhere"});
    EXPECT_EQ(1u, missing.exit);
    ExpectRows(missing.err, {"no such folder"});
}

} // namespace

// genbaenv-tool run as a child process on a sample installation of its own: a copy of
// the tool and its DLLs beside an INI file whose suffixes give it product keys no other
// test uses (Software\Velmora\GenbaOffice_ToolTest), setup section SetupTLocal.
#include "support/testsupport.h"

#include <genbafw/handle.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using genba::UniqueKernelHandle;
using genba::UniqueRegKey;
using genbatest::WriteFile;

const char kMachineProduct[] = "Software\\Velmora\\GenbaOffice_ToolTest";
const char kUserProduct[] = "Software\\Velmora\\GenbaOffice_ToolTest";

// Sample names in CP932, and the same in UTF-8 as the tool must print them.
const char kTokyo[] = "\x93\x8C\x8B\x9E\x8E\x78\x93\x58";         // 東京支店
const char kTokyoU8[] = "\xE6\x9D\xB1\xE4\xBA\xAC\xE6\x94\xAF\xE5\xBA\x97";
const char kShinjuku[] = "\x90\x56\x8F\x68";                         // 新宿
const char kShinjukuU8[] = "\xE6\x96\xB0\xE5\xAE\xBF";
const char kOmote[] = "\x95\x5C\x8E\xA6";                            // 表示: trail byte 5C
const char kOmoteU8[] = "\xE8\xA1\xA8\xE7\xA4\xBA";
const char kOsaka[] = "\x91\xE5\x8D\xE3";                            // 大阪
const char kEstimate[] = "\x8C\xA9\x90\xCF";                         // 見積
const char kEstimateU8[] = "\xE8\xA6\x8B\xE7\xA9\x8D";

struct ToolResult {
    DWORD exit = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

std::string ReadWhole(const CString& path)
{
    std::string r;
    UniqueKernelHandle h(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h) return r;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h.get(), buf, sizeof buf, &n, nullptr) && n > 0) r.append(buf, n);
    return r;
}

std::wstring Widen(const std::string& cp932)
{
    if (cp932.empty()) return std::wstring();
    int n = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), &w[0], n);
    return w;
}

// A command line argument, quoted; none of the tests' arguments holds a quote or ends in
// a backslash.
std::wstring Quote(const std::wstring& a) { return L"\"" + a + L"\""; }

bool SetString(HKEY root, const std::string& key, const char* name, const std::string& value)
{
    UniqueRegKey k;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, k.put(), nullptr) != ERROR_SUCCESS) return false;
    return RegSetValueExA(k.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool SetDWord(HKEY root, const std::string& key, const char* name, DWORD value)
{
    UniqueRegKey k;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, k.put(), nullptr) != ERROR_SUCCESS) return false;
    return RegSetValueExA(k.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4) == ERROR_SUCCESS;
}

// The raw stored value (type and bytes), or type REG_NONE with no bytes when absent.
std::pair<DWORD, std::string> Stored(HKEY root, const std::string& key, const char* name)
{
    UniqueRegKey k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) return {REG_NONE, std::string()};
    char buf[2048];
    DWORD type = REG_NONE, size = sizeof buf;
    if (RegQueryValueExA(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS)
        return {REG_NONE, std::string()};
    return {type, std::string(buf, size)};
}

// A small JSON syntax check: enough to catch a broken escape or a missing comma.
class JsonChecker {
public:
    explicit JsonChecker(const std::string& s) : m_s(s) {}
    bool Valid()
    {
        Space();
        if (!Value()) return false;
        Space();
        return m_i == m_s.size();
    }

private:
    void Space()
    {
        while (m_i < m_s.size() && (m_s[m_i] == ' ' || m_s[m_i] == '\n' || m_s[m_i] == '\r' || m_s[m_i] == '\t')) ++m_i;
    }
    bool Eat(char c)
    {
        Space();
        if (m_i < m_s.size() && m_s[m_i] == c) return ++m_i, true;
        return false;
    }
    bool String()
    {
        if (!Eat('"')) return false;
        while (m_i < m_s.size()) {
            unsigned char c = static_cast<unsigned char>(m_s[m_i++]);
            if (c == '"') return true;
            if (c < 0x20) return false;
            if (c == '\\') {
                if (m_i >= m_s.size()) return false;
                char e = m_s[m_i++];
                if (e == 'u') {
                    for (int k = 0; k < 4; ++k)
                        if (m_i >= m_s.size() || !isxdigit(static_cast<unsigned char>(m_s[m_i++]))) return false;
                } else if (std::string("\"\\/bfnrt").find(e) == std::string::npos) {
                    return false;
                }
            }
        }
        return false;
    }
    bool Value()
    {
        Space();
        if (m_i >= m_s.size()) return false;
        char c = m_s[m_i];
        if (c == '"') return String();
        if (c == '{' || c == '[') {
            char close = c == '{' ? '}' : ']';
            ++m_i;
            if (Eat(close)) return true;
            do {
                if (c == '{' && !(String() && Eat(':'))) return false;
                if (!Value()) return false;
            } while (Eat(','));
            return Eat(close);
        }
        for (const char* word : {"true", "false", "null"})
            if (m_s.compare(m_i, std::string(word).size(), word) == 0) return m_i += std::string(word).size(), true;
        size_t start = m_i;
        while (m_i < m_s.size() && isdigit(static_cast<unsigned char>(m_s[m_i]))) ++m_i;
        return m_i > start;
    }

    const std::string& m_s;
    size_t m_i = 0;
};

class ToolRun : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_root = genbatest::FreshDir("tool_run");
        s_bin = s_root + "\\bin";
        CreateDirectoryA(s_bin, nullptr);
        char self[MAX_PATH] = {0};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        CString from(self);
        from = from.Left(from.ReverseFind('\\'));
        s_copied = CopyFileA(from + "\\genbaenv-tool.exe", s_bin + "\\genbaenv-tool.exe", FALSE) != FALSE;
        WIN32_FIND_DATAA fd;
        genba::UniqueFindHandle f(FindFirstFileA(from + "\\*.dll", &fd));
        if (f) {
            do {
                s_copied = s_copied && CopyFileA(from + "\\" + fd.cFileName, s_bin + "\\" + fd.cFileName, FALSE);
            } while (FindNextFileA(f.get(), &fd));
        }
        s_copied = s_copied && WriteFile(s_bin + "\\genbaenv.INI", "[Type]\r\nSetup=T\r\nHKLM=_ToolTest\r\nHKCU=_ToolTest\r\n");
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_copied) << "the tool and its DLLs could not be copied to " << s_bin;
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kMachineProduct);
        RegDeleteTreeA(HKEY_CURRENT_USER, kUserProduct);
        std::string root(s_root);
        std::string setup = std::string(kMachineProduct) + "\\SetupTLocal\\CurrentVersion";
        ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, setup, "HomeProgram", root + "\\prog"));
        ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, setup, "HomeSystem", root + "\\sys"));
        ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, setup, "HomeData", root + "\\data"));
        ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, setup, "HomeHelp", root + "\\help"));
        ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, setup, "HomeTemp", root + "\\temp"));
        std::string work = std::string(kUserProduct) + "\\CurrentWork";
        ASSERT_TRUE(SetDWord(HKEY_CURRENT_USER, work, "FolderNo", 1));
        ASSERT_TRUE(SetDWord(HKEY_CURRENT_USER, work, "GenbaNo", 2));
        ASSERT_TRUE(SetString(HKEY_CURRENT_USER, std::string(kUserProduct) + "\\Environ", "02040000", root + "\\myform"));

        // data\東京支店.001\{渋谷.001, 新宿.002\MAIN\{見積.001, 表示.00A, 見積.BAK}}, data\大阪.002
        CString data = s_root + "\\data";
        CString tokyo = data + "\\" + kTokyo + ".001";
        CString site = tokyo + "\\" + kShinjuku + ".002";
        CString main = site + "\\MAIN";
        for (const CString& d : {data, tokyo, tokyo + "\\" + "\x8F\x61\x92\x4A" + ".001", site, main, data + "\\" + kOsaka + ".002"})
            CreateDirectoryA(d, nullptr);
        ASSERT_TRUE(WriteFile(main + "\\" + kEstimate + ".001", "12345"));
        ASSERT_TRUE(WriteFile(main + "\\" + kOmote + ".00A", "x"));
        ASSERT_TRUE(WriteFile(main + "\\" + kEstimate + ".BAK", "old"));
    }

    static void TearDownTestSuite()
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kMachineProduct);
        RegDeleteTreeA(HKEY_CURRENT_USER, kUserProduct);
    }

    // Runs the tool with arguments given in UTF-16.
    static ToolResult RunWide(const std::vector<std::wstring>& args)
    {
        ToolResult r;
        // Fresh files for every run: under Wine a child that has ended may still hold its
        // standard handles for a moment.
        static int s_runs = 0;
        CString n;
        n.Format("%d", ++s_runs);
        CString outFile = s_root + "\\out" + n + ".txt", errFile = s_root + "\\err" + n + ".txt";
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        UniqueKernelHandle out(CreateFileA(outFile, GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr));
        DWORD outError = GetLastError();
        UniqueKernelHandle err(CreateFileA(errFile, GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr));
        if (!out || !err) {
            r.err = "cannot create the output files: " + std::to_string(outError) + " " + std::to_string(GetLastError());
            return r;
        }
        UniqueKernelHandle in(CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr));
        std::wstring exe = Widen(std::string(s_bin + "\\genbaenv-tool.exe"));
        std::wstring cmd = Quote(exe);
        for (const std::wstring& a : args) cmd += L" " + Quote(a);
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = in.get();
        si.hStdOutput = out.get();
        si.hStdError = err.get();
        PROCESS_INFORMATION pi = {};
        std::vector<wchar_t> line(cmd.begin(), cmd.end());
        line.push_back(L'\0');
        if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
            r.err = "cannot start the tool: " + std::to_string(GetLastError());
            return r;
        }
        UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
        if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
            TerminateProcess(process.get(), 99);
            r.err = "the tool did not end within 30 s";
            return r;
        }
        GetExitCodeProcess(process.get(), &r.exit);
        out.reset();
        err.reset();
        r.out = ReadWhole(outFile);
        r.err = ReadWhole(errFile);
        return r;
    }

    // Runs the tool with arguments given in CP932.
    static ToolResult RunTool(std::initializer_list<std::string> args)
    {
        std::vector<std::wstring> w;
        for (const std::string& a : args) w.push_back(Widen(a));
        return RunWide(w);
    }

    static std::string Root() { return std::string(s_root); }
    static std::string UserKey(const char* entry) { return std::string(kUserProduct) + "\\" + entry; }

    static CString s_root, s_bin;
    static bool s_copied;
};

CString ToolRun::s_root, ToolRun::s_bin;
bool ToolRun::s_copied = false;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Runs of spaces as one: the checks do not depend on column widths.
std::string Squeeze(const std::string& text)
{
    std::string r;
    for (char c : text)
        if (c != ' ' || r.empty() || r.back() != ' ') r += c;
    return r;
}

#define EXPECT_HAS(text, part) EXPECT_TRUE(Has(text, part)) << "missing [" << (part) << "] in:\n" << (text)
#define EXPECT_ROW(text, row) EXPECT_TRUE(Has(Squeeze(text), row)) << "missing [" << (row) << "] in:\n" << (text)

// --- reading --------------------------------------------------------------------

TEST_F(ToolRun, ShowGivesInstallationAndCurrentWorkInUtf8)
{
    ToolResult r = RunTool({"show"});
    ASSERT_EQ(0u, r.exit) << r.err;
    EXPECT_EQ("", r.err);
    EXPECT_ROW(r.out, "[Type] HKLM _ToolTest");
    EXPECT_HAS(r.out, "HKLM\\Software\\Velmora\\GenbaOffice_ToolTest\\SetupTLocal\\CurrentVersion");
    EXPECT_ROW(r.out, "HomeData " + Root() + "\\data");
    EXPECT_ROW(r.out, "ServerQMS ?");
    EXPECT_ROW(r.out, std::string("1 .001 ") + kTokyoU8);
    EXPECT_ROW(r.out, std::string("2 .002 ") + kShinjukuU8);
    EXPECT_HAS(r.out, Root() + "\\data\\" + kTokyoU8 + ".001\\" + kShinjukuU8 + ".002\n");
    EXPECT_ROW(r.out, "Application type (none)");
}

TEST_F(ToolRun, ShowJsonIsValidAndEscaped)
{
    ToolResult r = RunTool({"show", "--json"});
    ASSERT_EQ(0u, r.exit) << r.err;
    EXPECT_TRUE(JsonChecker(r.out).Valid()) << r.out;
    EXPECT_HAS(r.out, "\"setupSection\": \"SetupTLocal\"");
    EXPECT_HAS(r.out, "\"hkcu\": \"_ToolTest\"");
    EXPECT_HAS(r.out, std::string("\"folderName\": \"") + kTokyoU8 + "\"");
    EXPECT_HAS(r.out, "\"siteNo\": 2");
    EXPECT_HAS(r.out, "\"appType\": null");
    EXPECT_HAS(r.out, "\\\\data\\\\");   // backslashes of paths escaped
}

TEST_F(ToolRun, PathsTellWhichOverrideDecided)
{
    ToolResult r = RunTool({"paths"});
    ASSERT_EQ(0u, r.exit) << r.err;
    EXPECT_ROW(r.out, "0x02040000 system.form " + Root() + "\\myform override 02040000\n");
    EXPECT_ROW(r.out, "0x02030000 system.system " + Root() + "\\sys\\SYSTEM\n");
    EXPECT_ROW(r.out, "0x01060000 program.apli " + Root() + "\\prog\\GENBA\n");
    EXPECT_ROW(r.out, "0x05010000 temp " + Root() + "\\temp\n");
    EXPECT_ROW(r.out, "0x06010000 server (none)\n");
    EXPECT_FALSE(Has(r.out, "+VQA")) << "application kinds without an override of their own are left out";

    ToolResult p = RunTool({"path", "system.form+VQA", "0x03020000", "--json"});
    ASSERT_EQ(0u, p.exit) << p.err;
    EXPECT_TRUE(JsonChecker(p.out).Valid()) << p.out;
    EXPECT_HAS(p.out, "\"name\": \"system.form+VQA\"");
    EXPECT_HAS(p.out, "\\\\myform\\\\VQA\"");
    EXPECT_HAS(p.out, "\"override\": \"02040000\"");
    EXPECT_HAS(p.out, std::string("\\\\") + kShinjukuU8 + ".002\\\\MAIN\"");
    EXPECT_HAS(p.out, "\"override\": null");
}

TEST_F(ToolRun, OverrideDecidesOnlyWhereGetPathReachesIt)
{
    std::string environKey = UserKey("Environ");
    ASSERT_TRUE(SetString(HKEY_CURRENT_USER, environKey, "02000000", Root() + "\\altsys"));
    ASSERT_TRUE(SetString(HKEY_CURRENT_USER, environKey, "03020000", Root() + "\\sitemain"));
    ASSERT_TRUE(SetDWord(HKEY_CURRENT_USER, UserKey("CurrentWork"), "GenbaNo", 0));
    ToolResult r = RunTool({"path", "system.cad", "system.form", "site.main", "site"});
    ASSERT_EQ(0u, r.exit) << r.err;
    EXPECT_ROW(r.out, "0x02020000 system.cad " + Root() + "\\altsys\\CAD override 02000000\n");
    EXPECT_ROW(r.out, "0x02040000 system.form " + Root() + "\\myform override 02040000\n");
    // No current site: GetPath stops before the subfolder's value is read.
    EXPECT_ROW(r.out, "0x03020000 site.main (none)\n");
    EXPECT_ROW(r.out, "0x03010000 site (none)\n");
}

TEST_F(ToolRun, TreeListsFoldersAndSitesAndMarksTheCurrentOne)
{
    ToolResult r = RunTool({"tree"});
    ASSERT_EQ(0u, r.exit) << r.err;
    EXPECT_ROW(r.out, std::string("folder 1 .001 ") + kTokyoU8 + " <- current\n");
    EXPECT_ROW(r.out, std::string("site 2 .002 ") + kShinjukuU8 + " <- current\n");
    EXPECT_HAS(r.out, "(no sites)");

    ToolResult j = RunTool({"tree", Root() + "\\data", "--json"});
    ASSERT_EQ(0u, j.exit) << j.err;
    EXPECT_TRUE(JsonChecker(j.out).Valid()) << j.out;
    EXPECT_HAS(j.out, "\"ext\": \".002\"");
}

TEST_F(ToolRun, FilesNumberedTypedAndRaw)
{
    ToolResult r = RunTool({"files", "site.main"});
    ASSERT_EQ(0u, r.exit) << r.err;
    // .BAK reads as number 0xBA: its leading hexadecimal digits carry a number.
    EXPECT_ROW(r.out, "(numbered listing, 3 entries)");
    EXPECT_ROW(r.out, std::string("186 .0BA ") + kEstimateU8 + " " + kEstimateU8 + ".BAK 3 ");
    EXPECT_ROW(r.out, std::string("1 .001 ") + kEstimateU8 + " " + kEstimateU8 + ".001 5 ");
    EXPECT_ROW(r.out, std::string("10 .00A ") + kOmoteU8 + " " + kOmoteU8 + ".00A");

    ToolResult typed = RunTool({"files", "site.main", "Backup|.BAK", "--json"});
    ASSERT_EQ(0u, typed.exit) << typed.err;
    EXPECT_TRUE(JsonChecker(typed.out).Valid()) << typed.out;
    EXPECT_HAS(typed.out, "\"listing\": \"typed\"");
    EXPECT_HAS(typed.out, std::string("\"fileName\": \"") + kEstimateU8 + ".BAK\"");
    EXPECT_HAS(typed.out, "\"size\": 3");

    // --raw keeps the library's bytes: 表 with its 5C trail byte, not doubled, not converted.
    ToolResult raw = RunTool({"--raw", "files", "site.main"});
    ASSERT_EQ(0u, raw.exit) << raw.err;
    EXPECT_HAS(raw.out, std::string(kOmote) + ".00A");
    EXPECT_FALSE(Has(raw.out, kOmoteU8));
    ToolResult rawJson = RunTool({"--raw", "--json", "files", "site.main"});
    EXPECT_HAS(rawJson.out, std::string("\"") + kOmote + ".00A\"");
}

// --- writing --------------------------------------------------------------------

TEST_F(ToolRun, WorkSetIsWhatNewObjectsSee)
{
    ToolResult r = RunTool({"work", "set", "--folder", "1", "--site", "0x1"});
    ASSERT_EQ(0u, r.exit) << r.err;
    EXPECT_ROW(r.out, "site 1 .001 \xE6\xB8\x8B\xE8\xB0\xB7");   // 渋谷
    EXPECT_EQ(1u, static_cast<unsigned char>(Stored(HKEY_CURRENT_USER, UserKey("CurrentWork"), "GenbaNo").second[0]));

    ToolResult d = RunTool({"work", "set", "--data", Root() + "\\elsewhere"});
    ASSERT_EQ(0u, d.exit) << d.err;
    EXPECT_HAS(d.err, "is not there");
    EXPECT_EQ(REG_SZ, Stored(HKEY_CURRENT_USER, UserKey("CurrentWork"), "DataPath").first);
    ToolResult show = RunTool({"work", "--json"});
    EXPECT_HAS(show.out, "\"dataPath\": \"");
    EXPECT_HAS(show.out, "\\\\elsewhere\",");
}

TEST_F(ToolRun, SetGetDelRoundTrip)
{
    ToolResult s = RunTool({"set", "user", "", "Probe", "Bytes", "--hex", "01 02 ff"});
    ASSERT_EQ(0u, s.exit) << s.err;
    auto stored = Stored(HKEY_CURRENT_USER, UserKey("Probe"), "Bytes");
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), stored.first);
    EXPECT_EQ(std::string("\x01\x02\xFF"), stored.second);

    ToolResult g = RunTool({"get", "user", "", "Probe", "Bytes"});
    EXPECT_EQ(0u, g.exit);
    EXPECT_EQ("01 02 FF\n", g.out);
    ToolResult wrongType = RunTool({"get", "user", "", "Probe", "Bytes", "--dword"});
    EXPECT_EQ(1u, wrongType.exit);
    EXPECT_EQ("", wrongType.out);
    EXPECT_HAS(wrongType.err, "no dword value");

    // Japanese value names and texts arrive as CP932.
    ToolResult js = RunTool({"set", "machine", "Sect", "", "\x96\xBC\x91\x4F", "--str", std::string(kOmote) + "\\x"});
    ASSERT_EQ(0u, js.exit) << js.err;
    auto text = Stored(HKEY_LOCAL_MACHINE, std::string(kMachineProduct) + "\\Sect\\CurrentVersion", "\x96\xBC\x91\x4F");
    EXPECT_EQ(std::string(kOmote) + "\\x" + std::string(1, '\0'), text.second);
    ToolResult gj = RunTool({"get", "machine", "Sect", "", "\x96\xBC\x91\x4F", "--json"});
    EXPECT_TRUE(JsonChecker(gj.out).Valid()) << gj.out;
    EXPECT_HAS(gj.out, std::string("\"value\": \"") + kOmoteU8 + "\\\\x\"");

    ToolResult del = RunTool({"del", "user", "", "Probe", "Bytes"});
    EXPECT_EQ(0u, del.exit) << del.err;
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Stored(HKEY_CURRENT_USER, UserKey("Probe"), "Bytes").first);
    ToolResult again = RunTool({"get", "user", "", "Probe", "Bytes"});
    EXPECT_EQ(1u, again.exit);
    ToolResult noKey = RunTool({"del", "user", "", "NoSuchEntry", "--key"});
    EXPECT_EQ(1u, noKey.exit);
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
        {{"path"}, "missing path kind"},
        {{"work", "set", "--folder", "2", "--site", "4096"}, "--site: 4096 is out of range"},
        {{"work", "set", "--data", "C:\\x", "--folder", "5000"}, "--folder: 5000 is out of range"},
        {{"set", "user", "", "CurrentWork", "FolderNo", "--dword", "4294967296"}, "out of range"},
        {{"set", "user", "", "CurrentWork", "FolderNo"}, "missing value"},
        {{"del", "user", "", "CurrentWork"}, "missing value name"},
    };
    auto before = Stored(HKEY_CURRENT_USER, UserKey("CurrentWork"), "FolderNo");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args[0] + " " + (row.args.size() > 1 ? row.args[1] : std::string()));
        std::vector<std::wstring> w;
        for (const std::string& a : row.args) w.push_back(Widen(a));
        ToolResult r = RunWide(w);
        EXPECT_EQ(2u, r.exit);
        EXPECT_EQ("", r.out);
        EXPECT_EQ(0u, r.err.find("genbaenv-tool: ")) << r.err;
        EXPECT_HAS(r.err, row.inMessage);
    }
    EXPECT_EQ(before, Stored(HKEY_CURRENT_USER, UserKey("CurrentWork"), "FolderNo"));
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Stored(HKEY_CURRENT_USER, UserKey("CurrentWork"), "DataPath").first);
    EXPECT_EQ(std::string("\x02\0\0\0", 4), Stored(HKEY_CURRENT_USER, UserKey("CurrentWork"), "GenbaNo").second);

    // A character without a CP932 form is refused, not turned into '?'.
    ToolResult e = RunWide({L"set", L"user", L"", L"Probe", L"N", L"--str", L"caf\x00E9"});
    EXPECT_EQ(2u, e.exit);
    EXPECT_HAS(e.err, "argument 7 holds a character that code page 932 cannot write");
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), Stored(HKEY_CURRENT_USER, UserKey("Probe"), "N").first);

    ToolResult missing = RunTool({"files", Root() + "\\nowhere"});
    EXPECT_EQ(1u, missing.exit);
    EXPECT_HAS(missing.err, "no such folder");
}

} // namespace

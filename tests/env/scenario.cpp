// The scenario runner and the main of the programs that hold scenarios.
#include "env/scenario.h"

#include "support/testsupport.h"

#include <genbafw/handle.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <functional>
#include <vector>

namespace genbatest {

namespace {

const char kChildFlag[] = "--genba-scenario=";

struct Scenario {
    std::string suite;
    std::string name;
    ScenarioSetup setup;
    void (*body)();
    const char* file;
    int line;

    std::string FullName() const { return suite + "." + name; }
};

std::vector<Scenario>& Scenarios()
{
    static std::vector<Scenario> all;
    return all;
}

const Scenario* g_current = nullptr;

CString ModuleFile(HMODULE module)
{
    char buf[MAX_PATH + 1] = {0};
    DWORD n = GetModuleFileNameA(module, buf, MAX_PATH);
    return n && n < MAX_PATH ? CString(buf, static_cast<int>(n)) : CString();
}

CString NameOf(const CString& file) { return file.Mid(file.ReverseFind('\\') + 1); }

std::string IniText(const ScenarioSetup& s)
{
    if (!s.iniText.empty()) return s.iniText;
    return "[Type]\r\nSetup=" + s.setupPrefix + "\r\nHKLM=" + s.machineSuffix + "\r\nHKCU=" + s.userSuffix + "\r\n";
}

std::string ReadWholeFile(const CString& path)
{
    std::ifstream in(static_cast<const char*>(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Starts `exe` with `args`, stdout and stderr into `output`; the exit code, or -1.
long RunProcess(const CString& exe, const CString& args, const CString& output)
{
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE out = CreateFileA(output, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return -1;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out;
    si.hStdError = out;
    PROCESS_INFORMATION pi = {};
    CString commandLine = "\"" + exe + "\" " + args;
    std::vector<char> cmd(static_cast<const char*>(commandLine), static_cast<const char*>(commandLine) + commandLine.GetLength() + 1);
    BOOL started = CreateProcessA(exe, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(out);
    if (!started) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    else TerminateProcess(pi.hProcess, 99);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<long>(code);
}

void RunScenarioInOwnProcess(const Scenario& s)
{
    CString parent = s.setup.onMappedDrive ? CString("T:\\genba-scn") : ScratchRoot() + "\\scn";
    CreateDirectoryA(parent, nullptr);
    CString dir = parent + "\\" + s.FullName().c_str();
    RemoveTree(dir);
    ASSERT_TRUE(CreateDirectoryA(dir, nullptr)) << static_cast<const char*>(dir) << " error " << GetLastError();

    CString exe = ModuleFile(nullptr);
    const CString files[] = {exe, ModuleFile(GetModuleHandleA("genbaenv.dll")), ModuleFile(GetModuleHandleA("genbafw.dll")),
                             ModuleFile(GetModuleHandleA("zrapli.dll"))};
    for (const CString& f : files) {   // copies: Wine will not delete a link to a running file
        ASSERT_TRUE(!f.IsEmpty() && CopyFileA(f, dir + "\\" + NameOf(f), FALSE)) << static_cast<const char*>(f);
    }
    if (s.setup.writeIni) {
        ASSERT_TRUE(WriteFile(dir + "\\genbaenv.INI", IniText(s.setup)));
    }

    CString output = dir + "\\output.txt";
    long code = RunProcess(dir + "\\" + NameOf(exe), CString(kChildFlag) + s.FullName().c_str(), output);
    std::string text = ReadWholeFile(output);
    EXPECT_EQ(code, 0) << "scenario process output:\n" << text;
    EXPECT_NE(text.find("[  PASSED  ] 1 test."), std::string::npos) << "scenario did not run:\n" << text;
}

class ScenarioTest : public ::testing::Test {
public:
    explicit ScenarioTest(std::function<void()> run) : m_run(std::move(run)) {}
    void TestBody() override { m_run(); }

private:
    std::function<void()> m_run;
};

// The parent lists every scenario as a test that runs a copy with the flag; the copy
// runs the body of the one it was given.
void RegisterScenarios(const std::string& child)
{
    for (const Scenario& s : Scenarios()) {
        if (!child.empty() && s.FullName() != child) continue;
        if (!child.empty()) g_current = &s;
        const std::function<void()> run = child.empty() ? std::function<void()>([&s] { RunScenarioInOwnProcess(s); }) : s.body;
        ::testing::RegisterTest(s.suite.c_str(), s.name.c_str(), nullptr, nullptr, s.file, s.line,
                                [run]() -> ::testing::Test* { return new ScenarioTest(run); });
    }
    if (!child.empty()) ::testing::GTEST_FLAG(filter) = child;
}

} // namespace

ScenarioSetup Isolated() { return ScenarioSetup(); }

ScenarioSetup NoIni()
{
    ScenarioSetup s;
    s.writeIni = false;
    s.isolated = false;
    return s;
}

ScenarioSetup Ini(const char* setup, const char* hklm, const char* hkcu)
{
    ScenarioSetup s;
    s.isolated = false;
    s.setupPrefix = setup;
    s.machineSuffix = hklm;
    s.userSuffix = hkcu;
    return s;
}

ScenarioSetup RawIni(const char* text)
{
    ScenarioSetup s;
    s.isolated = false;
    s.iniText = text;
    return s;
}

bool RegisterScenario(const char* suite, const char* name, ScenarioSetup setup, void (*body)(), const char* file,
                      int line)
{
    if (setup.isolated) setup.machineSuffix = setup.userSuffix = std::string("_") + suite + name;
    Scenarios().push_back(Scenario{suite, name, setup, body, file, line});
    return true;
}

const ScenarioSetup& CurrentScenario()
{
    static const ScenarioSetup none = NoIni();
    return g_current ? g_current->setup : none;
}

CString ScenarioDir()
{
    const CString exe = ModuleFile(nullptr);
    return exe.Left(exe.ReverseFind('\\'));
}

CString UserProductKey() { return CString("Software\\Velmora\\GenbaOffice") + CurrentScenario().userSuffix.c_str(); }
CString MachineProductKey() { return CString("Software\\Velmora\\GenbaOffice") + CurrentScenario().machineSuffix.c_str(); }

CString SetupKey(const char* section) { return MachineProductKey() + "\\" + section + "\\CurrentVersion"; }
CString CurrentWorkKey() { return UserProductKey() + "\\CurrentWork"; }
CString EnvironKey() { return UserProductKey() + "\\Environ"; }

void RegDelTree(HKEY root, const CString& path) { RegDeleteTreeA(root, path); RegDeleteKeyA(root, path); }

void ResetProductKeys()
{
    RegDelTree(HKEY_CURRENT_USER, UserProductKey());
    RegDelTree(HKEY_LOCAL_MACHINE, MachineProductKey());
}

bool RegPut(HKEY root, const CString& path, const char* name, DWORD type, const void* data, DWORD size)
{
    genba::UniqueRegKey key;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegPut(HKEY root, const CString& path, const char* name, DWORD type, const std::string& bytes)
{
    return RegPut(root, path, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool RegPutStr(HKEY root, const CString& path, const char* name, const CString& value, DWORD type)
{
    return RegPut(root, path, name, type, static_cast<const char*>(value), static_cast<DWORD>(value.GetLength() + 1));
}

bool RegPutDWord(HKEY root, const CString& path, const char* name, DWORD value)
{
    return RegPut(root, path, name, REG_DWORD, &value, sizeof value);
}

bool RegDelValue(HKEY root, const CString& path, const char* name)
{
    genba::UniqueRegKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS) return false;
    return RegDeleteValueA(key.get(), name) == ERROR_SUCCESS;
}

bool RegKeyExists(HKEY root, const CString& path)
{
    genba::UniqueRegKey key;
    return RegOpenKeyExA(root, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

void PutHomes(const CString& setupSection, const Homes& homes)
{
    const CString path = SetupKey(setupSection);
    const struct {
        const char* name;
        const char* value;
    } values[] = {{"HomeProgram", homes.program}, {"HomeSystem", homes.system}, {"HomeData", homes.data},
                  {"HomeHelp", homes.help},       {"HomeTemp", homes.temp},     {"ServerQMS", homes.serverQms}};
    for (const auto& v : values)
        if (v.value) RegPutStr(HKEY_LOCAL_MACHINE, path, v.name, v.value);
}

void ExpectHomes(const CEnvironObj& env, const Homes& h)
{
    const unsigned long bases[] = {PATHBASE_PROGRAM, PATHBASE_SYSTEM, PATHBASE_GENBA, PATHBASE_HELP, PATHBASE_TEMP, PATHBASE_SERVER};
    const char* expected[] = {h.program, h.system, h.data, h.help, h.temp, h.serverQms};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(env.GetHomePath(bases[i]), CString(expected[i])) << "home " << i;
}

void RereadHomes()
{
    CEnvironObj env;
    ASSERT_EQ(env.SetUserDataStr("", "CurrentWork", "Touch", "1"), 1);
}

CString SystemDrive()
{
    char drive[MAX_PATH] = {0};
    GetEnvironmentVariableA("SystemDrive", drive, sizeof drive);
    return drive;
}

} // namespace genbatest

int main(int argc, char** argv)
{
    std::string child;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], genbatest::kChildFlag, sizeof genbatest::kChildFlag - 1) == 0)
            child = argv[i] + sizeof genbatest::kChildFlag - 1;
    ::testing::InitGoogleTest(&argc, argv);
    genbatest::RegisterScenarios(child);
    return RUN_ALL_TESTS();
}

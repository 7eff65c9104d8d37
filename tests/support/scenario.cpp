// The scenario runner and the main of the programs that hold scenarios.
#include "support/scenario.h"

#include "env/regnames.h"

#include <genbafw/handle.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace genbatest {

namespace {

const char kChildFlag[] = "--genba-scenario=";

struct Scenario {
    std::string suite, name;
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

// Its setup (suffixes filled in) inside a scenario.
const ScenarioSetup& CurrentScenario()
{
    static const ScenarioSetup none = NoIni();
    return g_current ? g_current->setup : none;
}

CString ProductKey(const std::string& suffix)
{
    using namespace genba::regname;
    return CString(kSoftware) + "\\" + kCompany + "\\GenbaOffice" + suffix.c_str();
}

void RunScenarioInOwnProcess(const Scenario& s)
{
    CString parent = s.setup.onMappedDrive ? CString("T:\\genba-scn") : ScratchRoot() + "\\scn";
    MakeDir(parent);
    CString dir = parent + "\\" + s.FullName().c_str();
    RemoveTree(dir);
    ASSERT_TRUE(StageBinaries(dir, {""})) << static_cast<const char*>(dir);
    ASSERT_TRUE(!s.setup.writeIni || WriteFile(dir + "\\genbaenv.INI", s.setup.iniText));
    const CString exe = dir + ModuleFile(nullptr).Mid(ProgramDir().GetLength());
    RunResult r = RunProgram(L"\"" + Wide(exe) + L"\" " + Wide(CString(kChildFlag) + s.FullName().c_str()), dir);
    EXPECT_EQ(r.exit, 0u) << r.failure << "\nscenario process output:\n" << r.out << r.err;
    EXPECT_NE(r.out.find("[  PASSED  ] 1 test."), std::string::npos) << "scenario did not run:\n" << r.out;
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
ScenarioSetup IsolatedOnMappedDrive() { return ScenarioSetup{true, true, "", "", "", true, ""}; }
ScenarioSetup NoIni() { return ScenarioSetup{false, false, "", "", "", false, ""}; }
ScenarioSetup Ini(const char* setup, const char* hklm, const char* hkcu)
{
    return ScenarioSetup{true, false, setup, hklm, hkcu, false, ""};
}
ScenarioSetup RawIni(const char* text) { return ScenarioSetup{true, false, "", "", "", false, text}; }

bool RegisterScenario(const char* suite, const char* name, ScenarioSetup setup, void (*body)(), const char* file,
                      int line)
{
    if (setup.isolated) setup.machineSuffix = setup.userSuffix = std::string("_") + suite + name;
    if (setup.iniText.empty())
        setup.iniText = "[Type]\r\nSetup=" + setup.setupPrefix + "\r\nHKLM=" + setup.machineSuffix + "\r\nHKCU=" +
                        setup.userSuffix + "\r\n";
    Scenarios().push_back(Scenario{suite, name, setup, body, file, line});
    return true;
}

CString ScenarioDir() { return ProgramDir(); }

CString UserProductKey() { return ProductKey(CurrentScenario().userSuffix); }
CString MachineProductKey() { return ProductKey(CurrentScenario().machineSuffix); }

CString SetupKey(const char* section)
{
    return MachineProductKey() + "\\" + section + "\\" + genba::regname::kCurrentVersion;
}
CString CurrentWorkKey() { return UserProductKey() + "\\" + genba::regname::kCurrentWork; }
CString EnvironKey() { return UserProductKey() + "\\" + genba::regname::kEnviron; }

void ResetProductKeys()
{
    RegDelTree(HKEY_CURRENT_USER, UserProductKey());
    RegDelTree(HKEY_LOCAL_MACHINE, MachineProductKey());
}

void PutHomes(const CString& setupSection, const Homes& homes)
{
    const char* values[6] = {homes.program, homes.system, homes.data, homes.help, homes.temp, homes.serverQms};
    for (int i = 0; i < 6; ++i)
        if (values[i]) RegPutStr(HKEY_LOCAL_MACHINE, SetupKey(setupSection), genba::regname::kHomeValues[i], values[i]);
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
    ASSERT_EQ(env.SetUserDataStr("", genba::regname::kCurrentWork, "Touch", "1"), 1);
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

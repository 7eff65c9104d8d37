// Scenarios: tests of what the library keeps per process (the INI beside it, the setup
// section, the homes and the flags that say whether they were read). Each runs in a
// process of its own, started from a scratch folder that holds copies of the test
// program, genbaenv.dll, genbafw.dll and zrapli.dll, and the genbaenv.INI the scenario
// asks for. The registry keys a scenario uses are its own: by default the INI gives
// both product keys a suffix made from the scenario's name.
//
//   GENBA_SCENARIO(Install, IniSuffixes, genbatest::Ini("A", "_X", "_Y")) {
//       genbatest::ResetProductKeys();
//       ...                      // gtest assertions, as in a TEST body
//   }
//
// In the ordinary run the program lists Install.IniSuffixes as a test that starts the
// copy with --genba-scenario=Install.IniSuffixes; the copy runs the body alone.
#pragma once

#include "support/testsupport.h"

#include <genbaenv/environ.h>

#include <string>

namespace genbatest {

struct ScenarioSetup {
    bool writeIni = true;       // genbaenv.INI beside the library
    bool isolated = true;       // suffixes made from the scenario's name
    std::string setupPrefix, machineSuffix, userSuffix;   // [Type] Setup=, HKLM=, HKCU=
    bool onMappedDrive = false; // run from drive T: instead of the scratch folder
    std::string iniText;        // the whole INI instead of the three keys, when set
};

ScenarioSetup Isolated();                      // own suffixes, no prefix
ScenarioSetup IsolatedOnMappedDrive();         // the same, run from drive T:
ScenarioSetup NoIni();                         // no INI at all: bare product keys
ScenarioSetup Ini(const char* setup, const char* hklm, const char* hkcu);
ScenarioSetup RawIni(const char* text);        // this INI text, suffixes as it says

bool RegisterScenario(const char* suite, const char* name, ScenarioSetup setup, void (*body)(),
                      const char* file, int line);

// Inside a scenario: where its copy lives.
CString ScenarioDir();

// Product key paths below HKCU and HKLM for the current scenario's suffixes, and the
// keys below them that the library reads.
CString UserProductKey();
CString MachineProductKey();
CString SetupKey(const char* section);   // HKLM: <section>\CurrentVersion
CString CurrentWorkKey();                // HKCU
CString EnvironKey();                    // HKCU: the per-user overrides

// Deletes both product keys of the current scenario with everything below them.
void ResetProductKeys();

// The machine values of a setup section: HomeProgram ... HomeTemp, and ServerQMS unless
// `serverQms` is null.
struct Homes {
    const char *program, *system, *data, *help, *temp, *serverQms;
};
void PutHomes(const CString& setupSection, const Homes& homes);
// Checks the six homes (PATHBASE_PROGRAM ... PATHBASE_SERVER) of `env`.
void ExpectHomes(const CEnvironObj& env, const Homes& homes);
// Makes the next construction read the setup section and the homes again (a write in
// the user's CurrentWork entry through the settings store).
void RereadHomes();

} // namespace genbatest

#define GENBA_SCENARIO(suite, name, setup)                                                                  \
    static void suite##_##name##_Scenario();                                                                \
    static const bool suite##_##name##_Registered =                                                         \
        ::genbatest::RegisterScenario(#suite, #name, setup, &suite##_##name##_Scenario, __FILE__, __LINE__); \
    static void suite##_##name##_Scenario()

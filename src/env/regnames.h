// The names the library reads and writes in the registry and in the INI file beside it,
// in one place for the library, genbaenv-tool and the tests.
//
//   HKLM\Software\Velmora\<product><HKLM suffix>\Setup<prefix><type>\CurrentVersion  homes
//   HKCU\Software\Velmora\<product><HKCU suffix>\CurrentWork                        current work
//   HKCU\Software\Velmora\<product><HKCU suffix>\Environ                            path overrides
#pragma once

namespace genba {
namespace regname {

// Key path: "Software\Velmora\" + product key name + suffix.
constexpr char kSoftware[] = "Software";
constexpr char kCompany[] = "Velmora";
constexpr char kCurrentVersion[] = "CurrentVersion";   // below every section

// Entries of the user's product key.
constexpr char kCurrentWork[] = "CurrentWork";
constexpr char kEnviron[] = "Environ";   // values named "%08lX" of a path kind code

// Values of CurrentWork.
constexpr char kDataPath[] = "DataPath";
constexpr char kFolderNo[] = "FolderNo";
constexpr char kGenbaNo[] = "GenbaNo";
constexpr char kAppType[] = "AppType";
constexpr char kInstallType[] = "Type";

// The setup section: "Setup" + INI prefix + install type.
constexpr char kSetup[] = "Setup";
constexpr char kTypeLocal[] = "Local";
constexpr char kTypeNetwork[] = "Network";

// Values of the setup section, in the order of the path bases 0x01 to 0x06.
constexpr const char* kHomeValues[6] = {"HomeProgram", "HomeSystem", "HomeData", "HomeHelp", "HomeTemp", "ServerQMS"};

// The INI file beside the library: section "Type".
constexpr char kIniSection[] = "Type";
constexpr char kIniSetup[] = "Setup";
constexpr char kIniMachineSuffix[] = "HKLM";
constexpr char kIniUserSuffix[] = "HKCU";

} // namespace regname
} // namespace genba

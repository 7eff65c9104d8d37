// GetHomePath and GetPath: every accepted kind and application code, the unlisted ones,
// the three levels of per-user overrides, and the server kinds.
#include "env/fakenet.h"
#include "env/scenario.h"

#include "support/testsupport.h"

#include <genbaenv/environ.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace genbatest;

namespace {

CString Hex8(unsigned long code)
{
    CString s;
    s.Format("%08lX", code);
    return s;
}

const char* const kAppFolders[] = {"VQA", "VQB", "VQC", "VQD", "VQE", "VQF", "VQG", "VQH", "VQI", "VQJ", "VQK"};

} // namespace

GENBA_SCENARIO(Paths, EveryKindAndApplicationCode, Isolated())
{
    ResetProductKeys();
    const CString data = FreshDir("paths_table");
    CreateDirectoryA(data + "\\F.001", nullptr);
    CreateDirectoryA(data + "\\F.001\\S.002", nullptr);
    const CString site = data + "\\F.001\\S.002";
    PutHomes("SetupLocal", Homes{"C:\\Suite\\", "C:\\Sys", "C:\\DataHome", "C:\\Help", "C:\\Tmp", "HOST9"});
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", data);
    RegPutDWord(HKEY_CURRENT_USER, CurrentWorkKey(), "FolderNo", 1);
    RegPutDWord(HKEY_CURRENT_USER, CurrentWorkKey(), "GenbaNo", 2);
    CEnvironObj env;

    const struct {
        unsigned long kind;
        CString path;
    } kinds[] = {
        {0x01010000, "C:\\Suite\\PROG"},   {0x01020000, "C:\\Suite\\MAIN"},     {0x01030000, "C:\\Suite\\CAD"},
        {0x01040000, "C:\\Suite\\TOOLS"},  {0x01050000, "C:\\Suite\\PAL"},      {0x01060000, "C:\\Suite\\GENBA"},
        {0x02010000, "C:\\Sys\\MAIN"},     {0x02020000, "C:\\Sys\\CAD"},        {0x02030000, "C:\\Sys\\SYSTEM"},
        {0x02040000, "C:\\Sys\\FORM"},     {0x02050000, "C:\\Sys\\JOKEN"},      {0x02070000, "C:\\Sys\\TEMP"},
        {0x02080000, "C:\\Sys\\PLOTPOOL"}, {0x02090000, "C:\\Sys\\DCPOOL"},     {0x020A0000, "C:\\Sys\\USERDATA"},
        {0x020B0000, "C:\\Sys\\DDM"},      {0x03010000, site},                  {0x03020000, site + "\\MAIN"},
        {0x03030000, site + "\\CAD"},      {0x03040000, site + "\\JOKEN"},      {0x03050000, site + "\\TEMP"},
        {0x03060000, site + "\\DC"},       {0x03070000, site + "\\USERDATA"},   {0x03080000, site + "\\BACKUP"},
        {0x03090000, site + "\\DDM"},      {0x04010000, "C:\\Help\\GENBAHLP"},  {0x05010000, "C:\\Tmp"},
        {0x06010000, ""},   // the data path is local: no server
    };
    const unsigned long unlistedCodes[] = {0x0001, 0x00FF, 0x0101, 0x0C00, 0x1000, 0xFFFF};
    for (const auto& k : kinds) {
        SCOPED_TRACE(static_cast<const char*>(Hex8(k.kind)));
        EXPECT_EQ(env.GetPath(k.kind), k.path);
        for (unsigned long code = 0x0100, i = 0; code <= 0x0B00; code += 0x0100, ++i)
            EXPECT_EQ(env.GetPath(k.kind | code), k.path.IsEmpty() ? CString() : k.path + "\\" + kAppFolders[i])
                << "code " << std::hex << code;
        for (unsigned long code : unlistedCodes) EXPECT_EQ(env.GetPath(k.kind | code), "") << "code " << std::hex << code;
    }

    const unsigned long unlistedKinds[] = {0x00000000, 0x00010000, 0x01000000, 0x01070000, 0x01FF0000, 0x02000000,
                                           0x02060000, 0x020C0000, 0x03000000, 0x030A0000, 0x04000000, 0x04020000,
                                           0x05000000, 0x05020000, 0x06000000, 0x06020000, 0x07010000, 0xFF010000};
    for (unsigned long kind : unlistedKinds) {
        SCOPED_TRACE(static_cast<const char*>(Hex8(kind)));
        EXPECT_EQ(env.GetPath(kind), "");
        EXPECT_EQ(env.GetPath(kind | 0x0100), "");
    }

    const struct {
        unsigned long base;
        CString home;
    } homes[] = {
        {0x01000000, "C:\\Suite\\"}, {0x02000000, "C:\\Sys"}, {0x03000000, "C:\\DataHome"}, {0x04000000, "C:\\Help"},
        {0x05000000, "C:\\Tmp"},     {0x06000000, "HOST9"},   {0x00000000, ""},              {0x01010000, ""},
        {0x01000100, ""},            {0x07000000, ""},        {0xFF000000, ""},              {0x00000001, ""},
    };
    for (const auto& h : homes) EXPECT_EQ(env.GetHomePath(h.base), h.home) << Hex8(h.base);

    // Without a current site every kind of the site base is empty.
    env.SetGNo(0);
    for (const auto& k : kinds) {
        if ((k.kind & PATHKIND_BASE_MASK) != PATHBASE_GENBA) continue;
        EXPECT_EQ(env.GetPath(k.kind), "") << Hex8(k.kind);
        EXPECT_EQ(env.GetPath(k.kind | PATHAPP_VQB), "") << Hex8(k.kind);
    }
    ResetProductKeys();
}

// Each row stores its "Environ" values (nothing else) and asks for one kind.
GENBA_SCENARIO(Paths, OverridesAtThreeLevels, Isolated())
{
    ResetProductKeys();
    PutHomes("SetupLocal", Homes{"C:\\Prog", "C:\\Sys", "", "", "C:\\Tmp", nullptr});
    CEnvironObj env;
    struct Value {
        const char* name;
        DWORD type;
        CString text;   // stored with one terminator more
    };
    const struct Row {
        std::vector<Value> values;
        unsigned long kind;
        CString path;
    } rows[] = {
        {{}, 0x02030000, "C:\\Sys\\SYSTEM"},
        {{{"02030000", REG_SZ, "E:\\Shared\\Sys"}}, 0x02030000, "E:\\Shared\\Sys"},
        {{{"02030000", REG_SZ, "E:\\Shared\\Sys"}}, 0x02030300, "E:\\Shared\\Sys\\VQC"},
        {{{"02000000", REG_SZ, "E:\\Alt"}}, 0x02030000, "E:\\Alt\\SYSTEM"},
        {{{"02000000", REG_SZ, "E:\\Alt"}}, 0x02030300, "E:\\Alt\\SYSTEM\\VQC"},
        {{{"02030300", REG_SZ, "F:\\Full"}}, 0x02030300, "F:\\Full"},
        {{{"02030300", REG_SZ, "F:\\Full"}}, 0x02030000, "C:\\Sys\\SYSTEM"},
        {{{"02030300", REG_SZ, "F:\\Full"}}, 0x02030400, "C:\\Sys\\SYSTEM\\VQD"},
        {{{"02000000", REG_SZ, "E:\\Alt"}, {"02030000", REG_SZ, "E:\\Lvl2"}}, 0x02030300, "E:\\Lvl2\\VQC"},
        {{{"02000000", REG_SZ, "E:\\Alt"}, {"02030000", REG_SZ, "E:\\Lvl2"}, {"02030300", REG_SZ, "F:\\Full"}},
         0x02030300, "F:\\Full"},
        {{{"02030000", REG_SZ, "E:\\Shared\\\\"}}, 0x02030300, "E:\\Shared\\VQC"},
        // Empty overrides: after the base level the path is not tested again.
        {{{"02000000", REG_SZ, ""}}, 0x02030000, ""},
        {{{"02000000", REG_SZ, ""}}, 0x02030300, ""},
        {{{"02030000", REG_SZ, ""}}, 0x02030000, ""},
        {{{"02030000", REG_SZ, ""}}, 0x02030300, "VQC"},
        {{{"02030300", REG_SZ, ""}}, 0x02030300, ""},
        // A base override stands in for a missing home; a later level cannot.
        {{}, 0x04010000, ""},
        {{{"04000000", REG_SZ, "E:\\HelpAlt"}}, 0x04010000, "E:\\HelpAlt\\GENBAHLP"},
        {{{"04010000", REG_SZ, "E:\\Help"}}, 0x04010000, ""},
        {{{"03000000", REG_SZ, "E:\\Site"}}, 0x03020100, "E:\\Site\\MAIN\\VQA"},
        {{{"03010000", REG_SZ, "E:\\Site"}}, 0x03010000, ""},
        // Unlisted kinds and codes stay empty whatever the overrides say.
        {{{"02000000", REG_SZ, "E:\\Alt"}, {"02060000", REG_SZ, "E:\\Six"}}, 0x02060000, ""},
        {{{"02030C00", REG_SZ, "E:\\C"}}, 0x02030C00, ""},
        {{{"05000000", REG_SZ, "E:\\T"}}, 0x05000000, ""},
        // Upper-case hexadecimal names.
        {{{"020A0000", REG_SZ, "E:\\U"}}, 0x020A0000, "E:\\U"},
        {{{"020B0A00", REG_SZ, "E:\\K"}}, 0x020B0A00, "E:\\K"},
        // Values of other text types (every hostile value: HostileConfig.EnvironOverridesOfEveryShapeAndSize).
        {{{"02030000", REG_EXPAND_SZ, "%SystemDrive%\\X"}}, 0x02030000, SystemDrive() + "\\X"},
        {{{"01010000", REG_MULTI_SZ, CString("E:\\First\0E:\\Second\0", 19)}}, 0x01010200, "E:\\First\\VQB"},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(index++));
        RegDelTree(HKEY_CURRENT_USER, EnvironKey());
        for (const Value& v : row.values) RegPutStr(HKEY_CURRENT_USER, EnvironKey(), v.name, v.text, v.type);
        EXPECT_EQ(env.GetPath(row.kind), row.path) << Hex8(row.kind);
    }

    // Nothing is cached: a change shows in the next call of the same object.
    RegDelTree(HKEY_CURRENT_USER, EnvironKey());
    EXPECT_EQ(env.GetPath(0x01010000), "C:\\Prog\\PROG");
    RegPutStr(HKEY_CURRENT_USER, EnvironKey(), "01010000", "E:\\Now");
    EXPECT_EQ(env.GetPath(0x01010000), "E:\\Now");
    RegPutStr(HKEY_CURRENT_USER, EnvironKey(), "01010000", "E:\\Later");
    EXPECT_EQ(env.GetPath(0x01010000), "E:\\Later");
    // GetHomePath knows no overrides.
    RegPutStr(HKEY_CURRENT_USER, EnvironKey(), "01000000", "E:\\Base");
    EXPECT_EQ(env.GetHomePath(PATHBASE_PROGRAM), "C:\\Prog");
    ResetProductKeys();
}

// The server kind: "?" takes the server of the system folder, "*" the server of the
// data path, anything else is the server name; a data path not on a network share
// gives nothing. Drive T: is reported as connected to \\fs2\suite.
GENBA_SCENARIO(Paths, ServerKinds, Isolated())
{
    ResetProductKeys();
    UseFakeConnections({{'T', "\\\\fs2\\suite"}});
    const CString local = FreshDir("paths_server");
    const CString uncData = "\\\\genbasrv\\data\\work", mappedData = "T:\\data";
    const struct Row {
        const char* serverQms;
        const char* systemHome;
        const char* environ06;   // override for the base, or null
        CString dataPath;
        CString path;
    } rows[] = {
        {"?", "T:\\suite", nullptr, uncData, "\\\\fs2\\QMS_SERVER"},
        {"?", "T:\\suite", nullptr, mappedData, "\\\\fs2\\QMS_SERVER"},
        {"?", "T:\\suite", nullptr, local, ""},
        {"?", "\\\\genbasrv\\share", nullptr, mappedData, "\\\\genbasrv\\QMS_SERVER"},
        {"?", "C:\\Sys", nullptr, uncData, ""},
        {"?x", "T:\\suite", nullptr, uncData, "\\\\fs2\\QMS_SERVER"},
        {"*", "T:\\suite", nullptr, uncData, "\\\\genbasrv\\QMS_SERVER"},
        {"*", "T:\\suite", nullptr, mappedData, "\\\\fs2\\QMS_SERVER"},
        {"*", "T:\\suite", nullptr, local, ""},
        {"*", "C:\\Sys", nullptr, "", "\\\\genbasrv\\QMS_SERVER"},   // data home \\genbasrv\data
        {"HOST9", "T:\\suite", nullptr, uncData, "\\\\HOST9\\QMS_SERVER"},
        {"HOST9", "T:\\suite", nullptr, local, ""},
        {"", "T:\\suite", nullptr, uncData, ""},
        {"HOST9", "T:\\suite", "OVR", uncData, "\\\\OVR\\QMS_SERVER"},
        {"HOST9", "T:\\suite", "OVR", local, ""},
        {"", "T:\\suite", "OVR", uncData, "\\\\OVR\\QMS_SERVER"},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(index++));
        PutHomes("SetupLocal", Homes{"C:\\Prog", row.systemHome, "\\\\genbasrv\\data", "C:\\Help", "C:\\Tmp", row.serverQms});
        RegDelTree(HKEY_CURRENT_USER, EnvironKey());
        if (row.environ06) RegPutStr(HKEY_CURRENT_USER, EnvironKey(), "06000000", row.environ06);
        RereadHomes();
        CEnvironObj env;
        EXPECT_EQ(env.GetHomePath(PATHBASE_SERVER), row.serverQms);
        env.SetDataPath(row.dataPath);
        EXPECT_EQ(env.GetPath(PATHKIND_QMS_SERVER), row.path);
        EXPECT_EQ(env.GetPath(PATHKIND_QMS_SERVER | PATHAPP_VQA), row.path.IsEmpty() ? CString() : row.path + "\\VQA");
        // The server name is the one of that QMS_SERVER share.
        CString server = row.path.IsEmpty() ? CString() : row.path.Mid(2, row.path.Find('\\', 2) - 2);
        EXPECT_EQ(env.GetServerName(), server);
    }

    // Overrides for the server kind itself and its levels.
    RegDelTree(HKEY_CURRENT_USER, EnvironKey());
    PutHomes("SetupLocal", Homes{"C:\\Prog", "T:\\suite", "", "C:\\Help", "C:\\Tmp", "HOST9"});
    RegPutStr(HKEY_CURRENT_USER, EnvironKey(), "06010000", "\\\\alt\\share");
    RereadHomes();
    CEnvironObj env;
    env.SetDataPath(uncData);
    EXPECT_EQ(env.GetPath(PATHKIND_QMS_SERVER), "\\\\alt\\share");
    EXPECT_EQ(env.GetPath(PATHKIND_QMS_SERVER | PATHAPP_VQK), "\\\\alt\\share\\VQK");
    env.SetDataPath(local);
    EXPECT_EQ(env.GetPath(PATHKIND_QMS_SERVER), "");
    UseSystemConnections();
    ResetProductKeys();
}

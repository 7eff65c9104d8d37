// GetHomePath and GetPath: each way a kind appends its folder, the application codes,
// the three levels of per-user overrides, and the server kind. The homes are read once
// per process: scenarios.
#include "support/fakenet.h"
#include "support/scenario.h"

#include <genbaenv/diagnostics.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace genbatest;

GENBA_SCENARIO(Paths, KindsCodesAndOverrides, Isolated())
{
    ResetProductKeys();
    const CString data = FreshDir("paths_kinds"), site = data + "\\F.001\\S.002";
    ASSERT_TRUE(MakeDir(data + "\\F.001") && MakeDir(site));
    PutHomes("SetupLocal", Homes{"C:\\Suite\\", "C:\\Sys", "C:\\DataHome", "C:\\Help", "C:\\Tmp", "HOST9"});
    RegPutStr(HKEY_CURRENT_USER, CurrentWorkKey(), "DataPath", data);
    RegPutDWord(HKEY_CURRENT_USER, CurrentWorkKey(), "FolderNo", 1);
    RegPutDWord(HKEY_CURRENT_USER, CurrentWorkKey(), "GenbaNo", 2);
    CEnvironObj env;
    const std::pair<unsigned long, CString> kindRows[] = {
        {PATHKIND_PROGRAM_PROG, "C:\\Suite\\PROG"},       {PATHKIND_PROGRAM_APLI, "C:\\Suite\\GENBA"},
        {PATHKIND_HELP_APLI, "C:\\Help\\GENBAHLP"},       {PATHKIND_TEMP, "C:\\Tmp"},
        {PATHKIND_GENBA, site},                           {PATHKIND_GENBA_MAIN, site + "\\MAIN"},
        {PATHKIND_SYSTEM_SYSTEM | PATHAPP_VQC, "C:\\Sys\\SYSTEM\\VQC"},
        {PATHKIND_QMS_SERVER, ""},   // the data path is not on a share
        {0x01070000, ""}, {0x02060000, ""}, {0x07010000, ""}, {0x01010000 | 0x0C00, ""}, {0, ""},
    };
    for (const auto& row : kindRows) EXPECT_EQ(env.GetPath(row.first), row.second) << std::hex << row.first;
    ExpectHomes(env, Homes{"C:\\Suite\\", "C:\\Sys", "C:\\DataHome", "C:\\Help", "C:\\Tmp", "HOST9"});
    for (unsigned long base : {0x00000000UL, 0x01010000UL, 0x07000000UL}) EXPECT_EQ(env.GetHomePath(base), "") << base;

    // Every accepted kind takes each application code as one folder more.
    const GenbaNamedCode *kinds = nullptr, *codes = nullptr;
    const int kindCount = GenbaAcceptedKinds(&kinds), codeCount = GenbaApplicationCodes(&codes);
    for (int k = 0; k < kindCount; ++k) {
        const CString path = env.GetPath(kinds[k].code);
        EXPECT_EQ(path.IsEmpty(), kinds[k].code == PATHKIND_QMS_SERVER) << kinds[k].name;
        for (int c = 0; c < codeCount && !path.IsEmpty(); ++c)
            EXPECT_EQ(env.GetPath(kinds[k].code | codes[c].code), path + "\\" + codes[c].name) << kinds[k].name;
    }

    // Each row stores its "Environ" values (nothing else) and resolves one kind; the
    // library's answer names the override that decided. No current site from here on.
    env.SetGNo(0);
    using Values = std::vector<std::pair<const char*, const char*>>;   // "Environ" names and texts
    const struct Row { Values values; unsigned long kind; CString path; unsigned long decidedBy; } rows[] = {
        {{}, 0x02030300, "C:\\Sys\\SYSTEM\\VQC", 0},
        {{{"02000000", "E:\\Alt"}}, 0x02030300, "E:\\Alt\\SYSTEM\\VQC", 0x02000000},
        {{{"02000000", "E:\\Alt"}, {"02030000", "E:\\Lvl2"}}, 0x02030300, "E:\\Lvl2\\VQC", 0x02030000},
        {{{"02000000", "E:\\Alt"}, {"02030000", "E:\\Lvl2"}, {"02030300", "F:\\Full"}}, 0x02030300, "F:\\Full", 0x02030300},
        {{{"02030000", "E:\\Lvl2"}}, 0x02030000, "E:\\Lvl2", 0x02030000},
        {{{"02030300", "F:\\Full"}}, 0x02030400, "C:\\Sys\\SYSTEM\\VQD", 0},
        {{{"020A0000", "E:\\Upper"}}, 0x020A0000, "E:\\Upper", 0x020A0000},
        // An empty override empties the path; after the base level it is not tested again.
        {{{"02000000", ""}}, 0x02030000, "", 0x02000000},
        {{{"02030000", ""}}, 0x02030300, "VQC", 0x02030000},
        // A base override stands in for a missing path; a later level cannot.
        {{{"03000000", "E:\\Site"}}, 0x03020100, "E:\\Site\\MAIN\\VQA", 0x03000000},
        {{{"03010000", "E:\\Site"}}, 0x03010000, "", 0},
        {{{"02000000", "E:\\Alt"}, {"02060000", "E:\\Six"}}, 0x02060000, "", 0x02000000},   // no such kind
    };
    for (const Row& row : rows) {
        RegDelTree(HKEY_CURRENT_USER, EnvironKey());
        for (const auto& v : row.values) RegPutStr(HKEY_CURRENT_USER, EnvironKey(), v.first, v.second);
        unsigned long decidedBy = 1;
        EXPECT_EQ(GenbaResolvePath(env, row.kind, &decidedBy), row.path) << std::hex << row.kind;
        EXPECT_EQ(decidedBy, row.decidedBy) << std::hex << row.kind;
        EXPECT_EQ(env.GetPath(row.kind), row.path);
    }
    EXPECT_EQ(env.GetHomePath(PATHBASE_SYSTEM), "C:\\Sys");   // knows no overrides
    ResetProductKeys();
}

// "?" takes the server of the system folder, "*" the one of the data path, anything else
// is the server's name; without a data path on a share there is none. T: is connected
// to \\fs2\suite.
GENBA_SCENARIO(Paths, ServerKind, Isolated())
{
    ResetProductKeys();
    FakeNet net;
    net.drives = {{"T:", "\\\\fs2\\suite"}};
    ScopedFakeNet fake(net);
    const CString local = FreshDir("paths_server"), unc = "\\\\genbasrv\\data\\work";
    const struct Row { const char *serverQms, *systemHome, *override; CString dataPath, path; } rows[] = {
        {"?", "T:\\suite", nullptr, unc, "\\\\fs2\\QMS_SERVER"},
        {"?", "C:\\Sys", nullptr, unc, ""},
        {"*", "C:\\Sys", nullptr, "T:\\data", "\\\\fs2\\QMS_SERVER"},
        {"*", "C:\\Sys", nullptr, "", "\\\\genbasrv\\QMS_SERVER"},   // the data home \\genbasrv\data
        {"HOST9", "C:\\Sys", nullptr, unc, "\\\\HOST9\\QMS_SERVER"},
        {"HOST9", "C:\\Sys", "OVR", local, ""},
        {"", "C:\\Sys", nullptr, unc, ""},
        {"", "C:\\Sys", "OVR", unc, "\\\\OVR\\QMS_SERVER"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.serverQms << ' ' << row.dataPath);
        PutHomes("SetupLocal", Homes{"C:\\Prog", row.systemHome, "\\\\genbasrv\\data", "C:\\Help", "C:\\Tmp", row.serverQms});
        RegDelTree(HKEY_CURRENT_USER, EnvironKey());
        if (row.override) RegPutStr(HKEY_CURRENT_USER, EnvironKey(), "06000000", row.override);
        RereadHomes();
        CEnvironObj env;
        env.SetDataPath(row.dataPath);
        EXPECT_EQ(env.GetPath(PATHKIND_QMS_SERVER), row.path);
        EXPECT_EQ(env.GetServerName(), row.path.IsEmpty() ? CString() : row.path.Mid(2, row.path.Find('\\', 2) - 2));
    }
    ResetProductKeys();
}

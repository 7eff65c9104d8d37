// The version line and the version box, on installations of their own. This program
// declares 現場ﾃｽﾄ 2.10; the probes declare other resources (versions.rc).
#include "support/dialogdriver.h"
#include "support/scenario.h"

#include <genbaenv/version.h>
#include <genbafw/resmodule.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace genbatest;

namespace {

const char kCaption[] = "ﾊﾞｰｼﾞｮﾝ情報";
const char kHeaderTail[] = "\r\n\r\n\r\n(C) 表示\r\n";

TEST(Version, LineOfEachKindOfResource)
{
    const CString dir = FreshDir("version_probes");
    const char* rows[][2] = {{"none", ""}, {"notranslation", "3.0 SP1"}, {"notables", ""}, {"emptyversion", ""}};
    std::vector<CString> probes;
    for (const auto& row : rows) probes.push_back(CString("verprobe_") + row[0] + ".exe");
    ASSERT_TRUE(StageBinaries(dir, probes));
    ASSERT_TRUE(WriteFile(dir + "\\genbaenv.INI", "[Type]\r\nHKLM=_VersionProbes\r\nHKCU=_VersionProbes\r\n"));
    ASSERT_TRUE(RegPutStr(HKEY_LOCAL_MACHINE, "Software\\Velmora\\GenbaOffice_VersionProbes\\SetupLocal\\CurrentVersion",
                          "HomeProgram", dir));
    ASSERT_TRUE(MakeDir(dir + "\\PROG") && WriteFile(dir + "\\PROG\\VERSION.INF", "[Version]\r\nAddString=SP1\r\n"));
    for (size_t i = 0; i < probes.size(); ++i) {
        const RunResult r = RunProgram(L"\"" + Wide(dir + "\\" + probes[i]) + L"\"", dir);
        EXPECT_EQ(r.out, rows[i][1]) << rows[i][0] << ": " << r.failure;
    }
}

// The folders of the scenario's installation: program home p, system home s.
struct Install { CString infoA, infoB, versionInf; };

Install MakeInstall()
{
    ResetProductKeys();
    const CString p = ScenarioDir() + "\\p", s = ScenarioDir() + "\\s";
    PutHomes("SetupLocal", Homes{p, s, "", "", "", nullptr});
    for (const CString& d : {p, p + "\\PROG", p + "\\INFO", s, s + "\\INFO"}) EXPECT_TRUE(MakeDir(d));
    return Install{p + "\\INFO", s + "\\INFO", p + "\\PROG\\VERSION.INF"};
}

RECT Rect(HWND h) { RECT r = {}; GetWindowRect(h, &r); return r; }

// Cut to the header: the box ends one margin (the text's distance from the client
// area's left edge) right of and below the header.
bool IsCompact(HWND dlg)
{
    const RECT box = Rect(dlg), header = Rect(GetDlgItem(dlg, 1011));
    POINT margin = {Rect(GetDlgItem(dlg, 1007)).left, 0};
    ScreenToClient(dlg, &margin);
    return box.right - header.right == margin.x && box.bottom - header.bottom == margin.x;
}

struct Seen { CString caption, header, info; bool compact; };

// Runs the box, reads it, does `more` and closes it with its OK button (control 2).
Seen Show(const char* name, HICON icon = nullptr, const std::function<void(HWND)>& more = {})
{
    Seen seen = {};
    DialogDriver driver;
    driver.Then("read the box", [&](HWND dlg) {
        seen = {Text(dlg), Text(dlg, 1011), Text(dlg, 1007), IsCompact(dlg)};
        if (more) more(dlg);
        Press(dlg, IDCANCEL);
    });
    VersionInfoDialog(nullptr, CEnvironObj(), name, icon);
    return seen;
}

} // namespace

GENBA_SCENARIO(VersionBox, EntriesDescendingFirstValueWinsSizeFollows, Isolated())
{
    const Install in = MakeInstall();
    WriteFile(in.infoA + "\\a.inf", "[Information]\r\nPlotter=Driver 2.1~Port LPT1\r\nAlpha=1\r\nGamma=3\r\n");
    WriteFile(in.infoA + "\\b.inf", "[Information]\r\nbeta=2~\r\nPlotter=second\r\n");
    WriteFile(in.infoB + "\\c.inf", "[Information]\r\nPlotter=from B\r\n×=×~x\r\n");   // × is 81 7E: a trail byte ~
    WriteFile(in.versionInf, "[Version]\r\nAddString=SP1\r\n[Information]\r\nk1=line one\r\nk2=\r\n");

    const HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    const HINSTANCE before = AfxGetResourceHandle();
    const Seen seen = Show(nullptr, icon, [icon](HWND dlg) {
        EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA("genbaenv.dll"));
        EXPECT_EQ(SendMessageA(dlg, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(icon));
        EXPECT_EQ(SendDlgItemMessageA(dlg, 1010, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(icon));
        const RECT box = Rect(dlg), small = Rect(GetDlgItem(dlg, 1007));
        SetWindowPos(dlg, nullptr, 0, 0, box.right - box.left + 40, box.bottom - box.top + 30, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(Rect(GetDlgItem(dlg, 1007)).right - small.right, 40);
        EXPECT_EQ(Rect(GetDlgItem(dlg, 1007)).bottom - small.bottom, 30);
        SetWindowPos(dlg, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_TRUE(IsCompact(dlg));
    });
    EXPECT_EQ(seen.caption, kCaption);
    EXPECT_EQ(seen.header, CString("\r\n現場ﾃｽﾄ\r\nﾊﾞｰｼﾞｮﾝ 2.10 SP1") + kHeaderTail);
    EXPECT_EQ(seen.info, "Plotter\tDriver 2.1\r\n\tPort LPT1\r\nGamma\t3\r\nbeta\t2\r\n\t\r\nAlpha\t1\r\n×\t×\r\n\tx\r\n"
                         "\r\nline one\r\n\r\n");
    EXPECT_FALSE(seen.compact);
    EXPECT_EQ(AfxGetResourceHandle(), before);
}

GENBA_SCENARIO(VersionBox, NamesAndCompactBoxes, Isolated())
{
    const Install in = MakeInstall();
    WriteFile(in.versionInf, "[Version]\r\nAddString=\r\n[Information]\r\n");
    Seen seen = Show("");
    EXPECT_EQ(seen.header, CString("\r\n\r\nﾊﾞｰｼﾞｮﾝ 2.10") + kHeaderTail);
    EXPECT_EQ(seen.caption, kCaption);
    EXPECT_TRUE(seen.compact);

    WriteFile(in.versionInf, "[Information]\r\nx=only\r\n");
    seen = Show("XYZ");
    EXPECT_EQ(seen.header, CString("\r\nXYZ\r\nﾊﾞｰｼﾞｮﾝ 2.10") + kHeaderTail);
    EXPECT_EQ(seen.caption, "XYZ のﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(seen.info, "only\r\n");
    EXPECT_FALSE(seen.compact);
    RegPutDWord(HKEY_CURRENT_USER, CurrentWorkKey(), "AppType", 3);
    EXPECT_TRUE(Show(nullptr).compact);

    // Without a program home the system's profile reader looks for the bare name, and
    // no INFO folder is listed: not even one beside the current folder.
    RegDelTree(HKEY_LOCAL_MACHINE, MachineProductKey());
    RereadHomes();
    EXPECT_EQ(GetProgramVersion(CEnvironObj()), "2.10");
    MakeDir(ScenarioDir() + "\\INFO");
    MakeDir(ScenarioDir() + "\\sub");
    WriteFile(ScenarioDir() + "\\INFO\\stray.ini", "[Information]\r\nstray=1\r\n");
    ScopedCurrentDir cwd(ScenarioDir() + "\\sub");
    EXPECT_EQ(Show(nullptr).info.Find("stray"), -1);
}

GENBA_SCENARIO(VersionBox, HostileInformationFiles, Isolated())
{
    const Install in = MakeInstall();
    // 1 MB: the key list is cut after 4095 names of 8 bytes; the cut name is no key.
    std::string huge = "[Information]\r\n", hugeShown, dbcs;
    char line[32];
    for (int i = 0; huge.size() < (1u << 20); ++i) {
        snprintf(line, sizeof line, "k%06d=v\r\n", i);
        huge += line;
        if (i < 4095) hugeShown.insert(0, std::string(line, 7) + "\tv\r\n");
    }
    for (int i = 0; i < 10000; ++i) dbcs += "表";
    WriteFile(in.infoA + "\\huge.inf", huge);
    WriteFile(in.infoA + "\\empty.inf", "");
    WriteFile(in.infoA + "\\binary.dat", std::string("\0\xFF\x81=\r\n[\x81\r\n=\xFF", 12));
    WriteFile(in.infoA + "\\long.inf", "[Information]\r\n表示=x" + dbcs + "\r\nbig=" + std::string(20000, 'y') + "\r\n");
    RemoveTree(in.infoB);
    WriteFile(in.infoB, "a file");
    const std::string shown = Bytes(Show(nullptr).info);
    // A cut falls inside 表 (95 5C): the value ends before it, at 8191 bytes.
    const std::string expected = "表示\tx" + dbcs.substr(0, 8190) + "\r\n" + hugeShown + "big\t" + std::string(8192, 'y') + "\r\n";
    EXPECT_TRUE(shown == expected) << shown.size() << " bytes, expected " << expected.size();
}

GENBA_SCENARIO(VersionBox, OpenAndCloseKeepNothing, Isolated())
{
    const Install in = MakeInstall();
    WriteFile(in.infoA + "\\a.inf", "[Information]\r\nPlotter=Driver~LPT1\r\n");
    static const BYTE bits[128] = {};
    const HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, bits, bits);
    ExpectDialogRoundsLeaveNothing([icon] { VersionInfoDialog(nullptr, CEnvironObj(), nullptr, icon); }, 200);
    EXPECT_TRUE(DestroyIcon(icon));   // still the caller's
}

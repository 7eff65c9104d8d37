// The system's open and save dialogs and the folder and computer pickers as the library
// opens them, run headless and driven like a user. Folders are on drive C: (FreshDirOnC).
#include <genbaenv/environ.h>
#include <genbafw/filedialog.h>
#include <genbafw/handle.h>

#include "support/dialogdriver.h"
#include "support/testsupport.h"

#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

using namespace genbatest;

const int kJump = 1012, kTree = 0x3741, kTitle = 0x3742, kStatus = 0x3743;

HWND Panel(HWND hDlg) { return FindWindowExA(hDlg, nullptr, "#32770", nullptr); }

std::string TypeRows(HWND hDlg)   // the file-type box's rows, joined by "|"
{
    std::string rows;
    for (LRESULT i = 0, n = SendDlgItemMessageA(hDlg, cmb1, CB_GETCOUNT, 0, 0); i < n; ++i) {
        char buf[256] = {0};
        SendDlgItemMessageA(hDlg, cmb1, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        rows += (i ? "|" : "") + std::string(buf);
    }
    return rows;
}

CString FolderShown(HWND hDlg)
{
    char buf[1024] = {0};
    SendMessageA(hDlg, CDM_GETFOLDERPATH, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

void SetName(HWND hDlg, const char* name) { SetDlgItemTextA(hDlg, cmb13, name); }   // as typed

// The jump button clicked, handled before this returns (with any message box it shows).
void ClickJump(HWND hDlg)
{
    HWND hButton = GetDlgItem(Panel(hDlg), kJump);
    ASSERT_TRUE(hButton && IsWindowEnabled(hButton));
    SendMessageA(Panel(hDlg), WM_COMMAND, MAKEWPARAM(kJump, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
}

// The current site of env, made: dir\F.001\S.001.
CString SetSite(CEnvironObj& env, const CString& dir)
{
    EXPECT_TRUE(env.CreateDir(dir + "\\F.001\\S.001", TRUE));
    env.SetDataPath(dir);
    env.SetFNo(1);
    env.SetGNo(1);
    return env.GetPath(PATHKIND_GENBA);
}

enum Button { kNone, kDisabled, kEnabled };

// types: the file-type rows; folder: the one shown ("" for either: not checked); typed:
// chosen with OK (null: Cancel).
struct FileRow {
    const char* what; bool save, site; const char *filter, *title; CString path; unsigned long kind, flags, option;
    std::string types; CString folder; const char* nameBox; Button button; const char* typed; CString result;
};

TEST(FileDialogs, OpenInTheSuitesFoldersAndGiveTheChosenPath)
{
    const CString dir = FreshDirOnC("filedlg予定表"), vqa = dir + "\\F.001\\S.001\\MAIN\\VQA";   // 表: 95 5C
    for (const char* f : {"plan.dat", "abc.sim", "memo.dat", "abc"})   // saved names exist: Windows keeps
        ASSERT_TRUE(WriteFile(dir + "\\" + f));                         // OFN_FILEMUSTEXIST on save
    const std::string all = "すべてのﾌｧｲﾙ (*.*)";
    const FileRow rows[] = {
        {"null filter: all files alone; a bare name, a kind that resolves to nothing; a flag added", false, false,
         nullptr, nullptr, "abc.sim", PATHKIND_GENBA_MAIN, OFN_NONETWORKBUTTON, 0, all, "", "abc.sim", kDisabled,
         nullptr, ""},
        {"the caller's entries first, trail bytes 7C; caption; a bare name gives the full path", false, true,
         "ﾎﾟｲﾝﾄ|*.pnt|ポイント (*.pt)|*.pt", "点を開く", dir + "\\", 0, 0, 0, "ﾎﾟｲﾝﾄ|ポイント (*.pt)|" + all, dir, "",
         kEnabled, "plan.dat", dir + "\\plan.dat"},
        {"save: the filter's extension, without its point", true, false, "All (*.*)|*.*|Sim|*.sim", nullptr,
         dir + "\\x", 0, 0, 0, "", dir, "x", kDisabled, "abc", dir + "\\abc.sim"},
        {"save: the file part's extension", true, false, nullptr, nullptr, dir + "\\plan.dat", 0, 0, 0, "", dir,
         "plan.dat", kDisabled, "memo", dir + "\\memo.dat"},
        {"save, plain: no panel; a pattern is no extension", true, false, "All|*.*", nullptr, dir + "\\", 0, 0, 1, "",
         dir, "", kNone, "abc", dir + "\\abc"},
        {"a bare name and a kind: the kind's folder, made with its parents; odd filter fields", false, true,
         "Sim|*.sim|Data", nullptr, "abc.sim", PATHKIND_GENBA_MAIN | PATHAPP_VQA, 0, 0, "", vqa, "abc.sim", kEnabled,
         nullptr, ""},
    };
    for (const FileRow& row : rows) {
        SCOPED_TRACE(row.what);
        CEnvironObj env;
        env.SetFNo(0);
        if (row.site) SetSite(env, dir);
        CWnd noWindow;   // a parent object without a window: no owner
        DialogDriver driver;
        driver.Then("the file dialog", [&](HWND hDlg) {
            EXPECT_TRUE(row.types.empty() || TypeRows(hDlg) == row.types) << TypeRows(hDlg);
            EXPECT_TRUE(row.folder.IsEmpty() || FolderShown(hDlg) == row.folder) << FolderShown(hDlg);
            EXPECT_TRUE(!row.title || Text(hDlg) == row.title);
            EXPECT_EQ(Text(hDlg, cmb13), row.nameBox);
            HWND hButton = GetDlgItem(Panel(hDlg), kJump);
            EXPECT_EQ(hButton ? (IsWindowEnabled(hButton) ? kEnabled : kDisabled) : kNone, row.button);
            const CWnd* pDlg = CWnd::FromHandlePermanent(Panel(hDlg));
            ASSERT_TRUE(pDlg && pDlg->IsKindOf(RUNTIME_CLASS(CFileDialog)));
            EXPECT_EQ(static_cast<const CFileDialog*>(pDlg)->m_ofn.Flags & ~(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE),
                      (row.save ? 0x0028980Cu : 0x0028180Du) | row.flags);
            if (row.typed) SetName(hDlg, row.typed);
            PostMessageA(hDlg, WM_COMMAND, row.typed ? IDOK : IDCANCEL, 0);
        });
        const auto show = row.save ? &CEnvironObj::SaveFileDialogEx : &CEnvironObj::OpenFileDialogEx;
        EXPECT_EQ((env.*show)(&noWindow, row.filter, row.path, row.title, row.kind, row.flags, row.option), row.result);
    }
}

TEST(FileDialogs, JumpToTheUserFolderRefusedWhileAFileHoldsItsNameThenRetried)
{
    const CString dir = FreshDirOnC("jump");
    CEnvironObj env;
    const CString userFolder = SetSite(env, dir) + "\\USERDATA";
    ASSERT_TRUE(WriteFile(userFolder));
    const char typed[] = "予定表.txt";   // 表 ends in 5C; the dialog may count characters, not bytes
    HWND hFileDlg = nullptr;
    DialogDriver driver;
    driver.Then("the file dialog", [&](HWND hDlg) {
        hFileDlg = hDlg;
        EXPECT_EQ(Text(Panel(hDlg), kJump), "現場ﾕｰｻﾞﾌｫﾙﾀﾞへ移動");
        SetName(hDlg, typed);
        ClickJump(hDlg);   // refused
        EXPECT_EQ(FolderShown(hDlg), dir);
        EXPECT_EQ(Text(hDlg, cmb13), typed);
        EXPECT_TRUE(DeleteFileA(userFolder));
        ClickJump(hDlg);
        EXPECT_EQ(FolderShown(hDlg), userFolder);
        EXPECT_EQ(Text(hDlg, cmb13), typed);
        PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    driver.Then("the refusal", [&](HWND hBox) {
        EXPECT_EQ(MessageBoxText(hBox), "現場ユーザフォルダを作成できません。");
        EXPECT_EQ(GetWindow(hBox, GW_OWNER), hFileDlg);
        Answer(hBox, IDOK);
    });
    EXPECT_EQ(env.OpenFileDialog(nullptr, nullptr, dir + "\\", nullptr, 0, 0), "");
}

// The selection requests sent to the browse dialog: "path|" each, as they are sent.
CString g_sent;
LRESULT CALLBACK WatchSent(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && p->message == BFFM_SETSELECTIONA)
        g_sent += CString(p->wParam ? "" : "(not by path) ") + reinterpret_cast<const char*>(p->lParam) + "|";
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

enum Pick { kCancel, kRootCancel, kRoot, kInitial };   // the top item selected; Initial: selected again

// computer: SelectComputer, else SelectDir; sent: the selection requests; shown: the
// instruction, then "|" and the status line if there is one; okEnabled: with the top
// item selected (-1 not checked).
struct PickRow {
    const char* what; bool computer; CString initial; unsigned long kind; const char *title, *status, *root;
    unsigned long flags; CString sent, shown; Pick pick; int okEnabled; CString result;
};

TEST(Pickers, RootStatusSelectionAndResult)
{
    genba::ComApartment com;
    const CString dir = FreshDirOnC("pickers"), initial = dir + "\\新\\表", main = dir + "\\F.001\\S.001\\MAIN";
    const char* kDrives = reinterpret_cast<const char*>(CSIDL_DRIVES);
    const PickRow rows[] = {
        {"status, title; the initial folder made with its parents and asked for", false, initial, 0, "ﾌｫﾙﾀﾞｰを選択",
         "状態", nullptr, 0, initial + "|", "ﾌｫﾙﾀﾞｰを選択|状態", kInitial, -1, initial},
        {"an empty status clears the flag, a null title; the kind's folder", false, "", PATHKIND_GENBA_MAIN, nullptr,
         "", nullptr, BIF_STATUSTEXT, main + "|", "", kCancel, -1, ""},
        {"rooted at a virtual folder by number: file-system folders only", false, "", 0, "t", nullptr, kDrives, 0, "",
         "t", kRoot, FALSE, ""},
        {"rooted at a path (trail bytes 5C); asked for computers and printers", false, "", 0, "t", nullptr, initial,
         BIF_BROWSEFORCOMPUTER | BIF_BROWSEFORPRINTER, "", "t", kRoot, TRUE, initial},
        {"a computer: computers only, not printers; an initial name", true, "\\\\PC1", 0, nullptr, nullptr, nullptr,
         BIF_BROWSEFORPRINTER, "\\\\PC1|", "", kRootCancel, FALSE, ""},
    };
    for (const PickRow& row : rows) {
        SCOPED_TRACE(row.what);
        CEnvironObj env;
        SetSite(env, dir);
        g_sent.Empty();
        genba::UniqueHook hook(SetWindowsHookExA(WH_CALLWNDPROC, WatchSent, nullptr, GetCurrentThreadId()));
        CWnd noWindow;
        DialogDriver driver;
        driver.Then("the browse dialog", [&](HWND hDlg) {
            EXPECT_EQ(g_sent, row.sent);
            const bool statusLine = IsWindowVisible(GetDlgItem(hDlg, kStatus)) != FALSE;
            EXPECT_EQ(Text(hDlg, kTitle) + (statusLine ? "|" + Text(hDlg, kStatus) : CString()), row.shown);
            HWND hTree = GetDlgItem(hDlg, kTree);
            if (row.pick == kRoot || row.pick == kRootCancel)
                SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
            EXPECT_TRUE(row.okEnabled < 0 || IsWindowEnabled(GetDlgItem(hDlg, IDOK)) == row.okEnabled);
            if (row.pick == kInitial)   // Wine may not select a folder made just before
                SendMessageA(hDlg, BFFM_SETSELECTIONA, TRUE,
                             reinterpret_cast<LPARAM>(static_cast<const char*>(initial)));
            // Posted, IDOK closes the dialog even where the OK button is disabled.
            PostMessageA(hDlg, WM_COMMAND, row.pick == kRoot || row.pick == kInitial ? IDOK : IDCANCEL, 0);
        });
        EXPECT_EQ(row.computer ? env.SelectComputer(&noWindow, row.initial, row.title, row.status, row.flags)
                               : env.SelectDir(&noWindow, 7, row.initial, row.title, row.status, row.root, row.kind,
                                               row.flags),
                  row.result);
    }
}

// Opened and closed many times: no handle, window, GDI object, item list or heap is kept.
// The folder picker is also chosen from, so that the chosen item list is freed too.
void Soak(int kind)
{
    genba::ComApartment com;
    const CString dir = FreshDirOnC("soak");
    CEnvironObj env;
    auto round = [&] {
        kind == 0   ? env.OpenFileDialog(nullptr, "Text|*.txt", dir + "\\a.txt", "t", 0, 0)
        : kind == 1 ? env.SaveFileDialog(nullptr, "Text|*.txt", dir + "\\a.txt", "t", 0, 0)
        : kind == 2 ? env.SelectDir(nullptr, 0, dir + "\\a", "t", "s", dir, 0, 0)
                    : env.SelectComputer(nullptr, "\\\\PC1", "t", "s", 0);
    };
    ExpectDialogRoundsLeaveNothing(round, kind == 2 ? 100 : 200);
    if (kind == 2) ExpectDialogRoundsLeaveNothing(round, 100, IDOK);
}

TEST(Soak, OpenDialog) { Soak(0); }
TEST(Soak, SaveDialog) { Soak(1); }
TEST(Soak, FolderPicker) { Soak(2); }
TEST(Soak, ComputerPicker) { Soak(3); }

} // namespace

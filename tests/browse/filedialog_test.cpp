// The system's open and save dialogs as the library opens them, run headless and driven
// like a user.
#include <genbaenv/environ.h>
#include <genbafw/filedialog.h>

#include "support/dialogdriver.h"
#include "support/testsupport.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace genbatest;

const int kJumpButton = 1012;
const char kAllFiles[] = "すべてのﾌｧｲﾙ (*.*)";

CString ItemText(HWND hDlg, int nID)
{
    char buf[1024] = {0};
    return CString(buf, static_cast<int>(GetDlgItemTextA(hDlg, nID, buf, sizeof buf)));
}

CString WindowText(HWND h)
{
    char buf[256] = {0};
    return CString(buf, GetWindowTextA(h, buf, sizeof buf));
}

HWND Panel(HWND hDlg) { return FindWindowExA(hDlg, nullptr, "#32770", nullptr); }

// The file-type box's rows, joined by "|".
std::string TypeRows(HWND hDlg)
{
    std::string rows;
    HWND hBox = GetDlgItem(hDlg, cmb1);
    for (LRESULT i = 0, n = SendMessageA(hBox, CB_GETCOUNT, 0, 0); i < n; ++i) {
        char buf[256] = {0};
        SendMessageA(hBox, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        rows += (i ? "|" : "") + std::string(buf);
    }
    return rows;
}

CString FolderShown(HWND hDlg)
{
    char buf[1024] = {0};
    SendMessageA(hDlg, CDM_GETFOLDERPATH, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return CString(buf);
}

void SetName(HWND hDlg, const char* name) { SendMessageA(hDlg, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(name)); }
void Choose(HWND hDlg, const char* name)
{
    SetName(hDlg, name);
    PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
}
void Cancel(HWND hDlg) { PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0); }

// A click on the panel's jump button, handled before this returns (a message box it
// shows runs its loop inside).
void ClickJump(HWND hDlg)
{
    HWND hButton = GetDlgItem(Panel(hDlg), kJumpButton);
    ASSERT_TRUE(hButton && IsWindowEnabled(hButton));
    SendMessageA(Panel(hDlg), WM_COMMAND, MAKEWPARAM(kJumpButton, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
}

// The current site of env: dir\F.001\S.001, made.
CString SetSite(CEnvironObj& env, const CString& dir)
{
    EXPECT_TRUE(env.CreateDir(dir + "\\F.001\\S.001", TRUE));
    env.SetDataPath(dir);
    env.SetFNo(1);
    env.SetGNo(1);
    return env.GetPath(PATHKIND_GENBA);
}

enum Button { kNone, kDisabled, kEnabled };

struct Row {
    const char* what;
    bool save;
    bool site;              // a current site is set
    const char* filter;
    CString path;
    const char* title;      // null: the system's caption, not checked
    unsigned long kind, flags, option;
    std::string types;      // the file-type rows; "" not checked
    CString folder;         // shown, and there afterwards; "" not checked
    const char* nameBox;
    Button button;
    int typeRow;            // chosen in the file-type box first; -1 none
    const char* typed;      // chosen with OK; null: Cancel
    CString result;
};

TEST(FileDialogs, OpenInTheSuitesFoldersAndGiveTheChosenPath)
{
    const CString dir = FreshDirOnC("filedlg");
    ASSERT_TRUE(WriteFile(dir + "\\plan.dat") && WriteFile(dir + "\\abc.sim") && WriteFile(dir + "\\memo.dat") &&
                WriteFile(dir + "\\abc"));   // the names saved exist: Windows keeps OFN_FILEMUSTEXIST on save
    const CString siteMain = dir + "\\F.001\\S.001\\MAIN";
    const unsigned long kOpen = 0x0028180D, kSave = 0x0028980C;
    const std::string all = kAllFiles;
    const Row rows[] = {
        {"null filter: the all-files entry alone; a bare name, no kind; a flag added", false, false, nullptr,
         "abc.sim", nullptr, 0, OFN_NONETWORKBUTTON, 0, all, "", "abc.sim", kDisabled, -1, nullptr, ""},
        {"empty filter, plain: no panel", false, true, "", dir + "\\", nullptr, 0, 0, 1, all, dir, "", kNone, -1,
         nullptr, ""},
        {"caller's entries first, trail bytes 7C in a description; caption", false, true,
         "ﾎﾟｲﾝﾄ|*.pnt|ポイント (*.pt)|*.pt", dir + "\\", "点を開く", 0, 0, 0, "ﾎﾟｲﾝﾄ|ポイント (*.pt)|" + all, dir, "",
         kEnabled, -1, nullptr, ""},
        {"open: a bare name with OK gives the full path", false, false, "Plan|*.dat", dir + "\\", nullptr, 0, 0, 0, "",
         dir, "", kDisabled, -1, "plan.dat", dir + "\\plan.dat"},
        {"save: the filter's extension, without its point", true, false, "Sim (*.sim)|*.sim", dir + "\\x", nullptr, 0,
         0, 0, "", dir, "x", kDisabled, 1, "abc", dir + "\\abc.sim"},
        {"save: the file part's extension", true, false, nullptr, dir + "\\plan.dat", nullptr, 0, 0, 0, "", dir,
         "plan.dat", kDisabled, -1, "memo", dir + "\\memo.dat"},
        {"save: a pattern is no extension", true, false, "All|*.*", dir + "\\", nullptr, 0, 0, 0, "", dir, "",
         kDisabled, -1, "abc", dir + "\\abc"},
        {"a folder made with its parents; 5C trail bytes", false, false, nullptr, dir + "\\表\\予定表\\x.txt", nullptr,
         0, 0, 0, "", dir + "\\表\\予定表", "x.txt", kDisabled, -1, nullptr, ""},
        {"a bare name and a kind: the kind's folder, made", false, true, nullptr, "abc.sim", nullptr,
         PATHKIND_GENBA_MAIN, 0, 0, "", siteMain, "abc.sim", kEnabled, -1, nullptr, ""},
        {"a kind that resolves to nothing, odd filter fields", false, false, "Sim|*.sim|Data", "abc.sim", nullptr,
         PATHKIND_GENBA_MAIN, 0, 0, "", "", "abc.sim", kDisabled, -1, nullptr, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CEnvironObj env;
        env.SetFNo(0);
        env.SetGNo(0);
        if (row.site) SetSite(env, dir);
        CWnd noWindow;   // a parent object without a window: no owner
        DialogDriver driver;
        driver.Then("the file dialog", [&](HWND hDlg) {
            if (!row.types.empty()) {
                EXPECT_EQ(TypeRows(hDlg), row.types);
            }
            if (!row.folder.IsEmpty()) {
                EXPECT_EQ(FolderShown(hDlg), row.folder);
            }
            if (row.title) {
                EXPECT_EQ(WindowText(hDlg), row.title);
            }
            EXPECT_EQ(ItemText(hDlg, cmb13), row.nameBox);
            HWND hButton = GetDlgItem(Panel(hDlg), kJumpButton);
            EXPECT_EQ(hButton ? (IsWindowEnabled(hButton) ? kEnabled : kDisabled) : kNone, row.button);
            const CWnd* pObj = CWnd::FromHandlePermanent(Panel(hDlg));
            ASSERT_TRUE(pObj && pObj->IsKindOf(RUNTIME_CLASS(CFileDialog)));
            EXPECT_EQ(static_cast<const CFileDialog*>(pObj)->m_ofn.Flags & ~(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE),
                      (row.save ? kSave : kOpen) | row.flags);
            if (row.typeRow >= 0) SelectRow(hDlg, cmb1, row.typeRow);
            if (row.typed) {
                Choose(hDlg, row.typed);
            } else {
                Cancel(hDlg);
            }
        });
        const CString got = row.save ? env.SaveFileDialogEx(&noWindow, row.filter, row.path, row.title, row.kind,
                                                            row.flags, row.option)
                                     : env.OpenFileDialogEx(&noWindow, row.filter, row.path, row.title, row.kind,
                                                            row.flags, row.option);
        EXPECT_EQ(got, row.result);
        if (!row.folder.IsEmpty()) {
            EXPECT_EQ(env.IsExist(row.folder), EXIST_FOLDER);
        }
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
        SetName(hDlg, typed);
        ClickJump(hDlg);   // refused: the message box is answered meanwhile
        EXPECT_EQ(FolderShown(hDlg), dir);
        EXPECT_EQ(ItemText(hDlg, cmb13), typed);
        EXPECT_TRUE(DeleteFileA(userFolder));
        ClickJump(hDlg);
        EXPECT_EQ(FolderShown(hDlg), userFolder);
        EXPECT_EQ(ItemText(hDlg, cmb13), typed);
        Cancel(hDlg);
    });
    driver.Then("the refusal", [&](HWND hBox) {
        EXPECT_EQ(MessageBoxText(hBox), "現場ユーザフォルダを作成できません。");
        EXPECT_EQ(GetWindow(hBox, GW_OWNER), hFileDlg);
        Answer(hBox, IDOK);
    });
    EXPECT_EQ(env.OpenFileDialog(nullptr, nullptr, dir + "\\", nullptr, 0, 0), "");
    EXPECT_EQ(env.IsExist(userFolder), EXIST_FOLDER);
}

// Open and cancel, many times: no handle, window, GDI object or heap is kept.
void Soak(bool save)
{
    const CString dir = FreshDirOnC(save ? "soak-save" : "soak-open");
    CEnvironObj env;
    SetSite(env, dir);
    const CString path = dir + "\\a.txt";
    auto round = [&] {
        DialogDriver driver;
        driver.Then("cancel", [](HWND hDlg) { Cancel(hDlg); });
        EXPECT_EQ(save ? env.SaveFileDialog(nullptr, "Text|*.txt", path, "t", 0, 0)
                       : env.OpenFileDialog(nullptr, "Text|*.txt", path, "t", 0, 0),
                  "");
    };
    for (int i = 0; i < 5; ++i) round();
    const long gdi = GdiObjectCount(), windows = ThreadWindowCount();
    ExpectFlatFootprint(round, 0, 200);
    EXPECT_LE(GdiObjectCount(), gdi);
    EXPECT_LE(ThreadWindowCount(), windows);
}

TEST(FileDialogSoak, Open) { Soak(false); }
TEST(FileDialogSoak, Save) { Soak(true); }

} // namespace

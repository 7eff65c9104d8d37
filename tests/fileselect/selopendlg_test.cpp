// The suite's open dialog, run for real (headless) and driven like a user.
#include <genbaenv/environ.h>
#include <genbafw/resmodule.h>

#include "resources/resource.h"
#include "support/dialogdriver.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace genbatest;

const char kFileNotSelected[] = "ﾌｧｲﾙが選択されていません";

CString Open(const CString& dir, const char* extList, const char* sel = nullptr, int flags = 0,
             const char* title = nullptr, SelFileProc proc = nullptr)
{
    CEnvironObj env;
    return env.SelectOpenFile(nullptr, dir, extList, sel, flags, title, proc, nullptr);
}

// Delete follows the selection; the first type's extension is never compared, a later
// type's is in any case. Cancel gives nothing, whatever is selected.
TEST(SelectOpenFile, DeleteFollowsTheSelectionAndCancelGivesNothing)
{
    const CString dir = FreshDir("open_delete");
    for (const char* f : {"x.ABC", "y.BAK", "z.bak"}) ASSERT_TRUE(WriteFile(dir + "\\" + f));
    DialogDriver driver;
    driver.Then("labels, rows and Delete", [](HWND dlg) {
        EXPECT_EQ(Labels(dlg), "ﾌｧｲﾙを開く|既存ﾌｧｲﾙ一覧(&L):|OK(&O)|ｷｬﾝｾﾙ(&C)|ﾌｧｲﾙ削除(&D)|");
        EXPECT_TRUE(Visible(dlg, IDC_DELETE));
        EXPECT_FALSE(Enabled(dlg, IDC_DELETE));   // nothing selected yet
        EXPECT_EQ(3, SendDlgItemMessageA(dlg, IDC_FILELIST, LB_GETCOUNT, 0, 0));
        for (int row : {1, 2, 0}) {
            SelectRow(dlg, IDC_FILELIST, row);
            EXPECT_EQ(row == 0, Enabled(dlg, IDC_DELETE)) << "row " << row;
        }
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(CString(), Open(dir, "Data|.ABC|Backup|.BAK"));
}

// The preselected row shows on opening; Enter in the list moves the focus on instead of
// confirming; a double click returns its row.
TEST(SelectOpenFile, PreselectionEnterAndDoubleClick)
{
    const CString dir = FreshDir("open_pick");
    for (const char* f : {"a.001", "b.002", "c.003"}) ASSERT_TRUE(WriteFile(dir + "\\" + f));
    DialogDriver driver;
    driver.Then("preselected b, Enter, then a double click on c", [](HWND dlg) {
        EXPECT_EQ(1, CurRow(dlg, IDC_FILELIST));
        SetFocus(GetDlgItem(dlg, IDC_FILELIST));
        PressEnter(dlg);
        EXPECT_TRUE(IsWindow(dlg));
        EXPECT_NE(GetDlgItem(dlg, IDC_FILELIST), GetFocus());
        DoubleClickRow(dlg, IDC_FILELIST, 2);
    });
    EXPECT_EQ(CString("c.003"), Open(dir, "", "x.002", 0, "\x8A\x4A\x82\xAD"));   // 開く
}

// Folders: no Delete without SELFILE_DELFOLDER; with it the question names the folder,
// Yes removes it with what it holds, and the list comes back with nothing selected.
TEST(SelectOpenFile, FolderDeletionAfterTheQuestion)
{
    const CString dir = FreshDir("open_folders");
    ASSERT_TRUE(MakeDir(dir + "\\\x95\x5C.001") && MakeDir(dir + "\\keep.002"));
    ASSERT_TRUE(WriteFile(dir + "\\\x95\x5C.001\\inside.txt"));
    {
        DialogDriver driver;
        driver.Then("no Delete", [](HWND dlg) {
            EXPECT_FALSE(Visible(dlg, IDC_DELETE));
            Press(dlg, IDCANCEL);
        });
        Open(dir, "", nullptr, SELFILE_FOLDER);
    }
    DialogDriver driver;
    driver.Then("delete the first folder", [](HWND dlg) {
        SelectRow(dlg, IDC_FILELIST, 0);
        Press(dlg, IDC_DELETE);
    });
    driver.ThenMessageBox("ﾌｫﾙﾀﾞｰ｢\x95\x5C.001｣を削除します\n復帰は出来なくなりますがよろしいですか?", IDYES);
    driver.ThenBack("refilled, nothing selected", [](HWND dlg) {
        EXPECT_EQ(1, SendDlgItemMessageA(dlg, IDC_FILELIST, LB_GETCOUNT, 0, 0));
        EXPECT_EQ(LB_ERR, CurRow(dlg, IDC_FILELIST));
        Press(dlg, IDCANCEL);
    });
    Open(dir, "", nullptr, SELFILE_FOLDER | SELFILE_DELFOLDER);
    EXPECT_EQ(-1, CEnvironObj().IsExist(dir + "\\\x95\x5C.001"));
}

// OK with nothing to pick refuses and keeps the dialog open; the library's resource
// module is current only while the dialog runs.
TEST(SelectOpenFile, OkWithoutASelectionIsRefused)
{
    const CString dir = FreshDir("open_empty");
    DialogDriver driver;
    driver.Then("OK on an empty list", [](HWND dlg) { Press(dlg, IDOK); });
    driver.ThenMessageBox(kFileNotSelected, IDOK);
    driver.ThenBack("still open", [](HWND dlg) { Press(dlg, IDCANCEL); });
    EXPECT_EQ(CString(), Open(dir, ""));
    EXPECT_EQ(GetModuleHandleA(nullptr), AfxGetResourceHandle());   // the program's own, as before
}

int LeaveAllOut(const CEnvironObj&, CString&, const CString&, void*) { return 0; }
int Throw(const CEnvironObj&, CString&, const CString&, void*) { throw 1; }

// Bad input gets an empty list or the documented result, never a crash; the dialog
// comes and goes without leaving handles, windows, GDI objects or heap behind.
TEST(SelectOpenFile, BadInputAndManyOpeningsLeaveNothingBehind)
{
    const CString dir = FreshDir("open_soak");
    ASSERT_TRUE(WriteFile(dir + "\\a.001"));
    const std::string longTitle(300, 'T');
    const struct { CString dir; const char* extList; const char* title; SelFileProc proc; } rows[] = {
        {dir + "\\missing", "", nullptr, nullptr},
        {dir + "\\" + CString('x', 256), "", nullptr, nullptr},
        {dir, "Data|", longTitle.c_str(), nullptr},
        {dir, "", nullptr, LeaveAllOut},
        {dir, "", nullptr, Throw},   // the exception stays in the library: the entry is left out
    };
    for (const auto& r : rows) {
        DialogDriver driver;
        driver.Then("cancel", [](HWND dlg) {
            EXPECT_EQ(0, SendDlgItemMessageA(dlg, IDC_FILELIST, LB_GETCOUNT, 0, 0));
            Press(dlg, IDCANCEL);
        });
        EXPECT_EQ(CString(), Open(r.dir, r.extList, nullptr, 0, r.title, r.proc));
    }
    ExpectDialogRoundsLeaveNothing([&dir] { Open(dir, ""); }, 300);
}

} // namespace

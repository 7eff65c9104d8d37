// The folder and computer pickers on the system's browse dialog, run headless.
#include <genbaenv/environ.h>
#include <genbafw/handle.h>
#include <genbafw/wnd.h>

#include "support/dialogdriver.h"
#include "support/testsupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <vector>

namespace {

using namespace genbatest;

const int kTree = 0x3741, kTitle = 0x3742, kStatus = 0x3743;

// The selection and status requests sent to the dialog, seen as they are sent.
struct Sent {
    UINT message;
    WPARAM wParam;
    CString text;
};
std::vector<Sent>* g_pSent = nullptr;

LRESULT CALLBACK WatchSent(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && g_pSent && (p->message == BFFM_SETSELECTIONA || p->message == BFFM_SETSTATUSTEXTA))
        g_pSent->push_back({p->message, p->wParam, reinterpret_cast<const char*>(p->lParam)});
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

CString ItemText(HWND hDlg, int nID)
{
    char buf[1024] = {0};
    return CString(buf, static_cast<int>(GetDlgItemTextA(hDlg, nID, buf, sizeof buf)));
}

CString SpecialFolder(int csidl)
{
    char buf[MAX_PATH] = {0};
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, buf)) ? CString(buf) : CString("?");
}

CString WithoutFinalSeparator(CString s)
{
    if (s.GetLength() > 3 && s[s.GetLength() - 1] == '\\') s = s.Left(s.GetLength() - 1);
    return s;
}

enum Pick {
    kCancel,       // Cancel at once
    kRootCancel,   // the tree's top item selected, then Cancel
    kRoot,         // the tree's top item chosen
    kInitial,      // the initial folder selected again (Wine may not have done it), chosen
};

struct Row {
    const char* what;
    bool computer;         // SelectComputer, else SelectDir
    CString initial;
    unsigned long kind;
    const char* title;
    const char* status;
    const char* root;
    unsigned long flags;
    CString selectionSent;   // "" none
    const char* statusShown; // null: no status line
    Pick pick;
    int okEnabled;           // with the top item selected; -1 not checked
    CString result;
};

TEST(Pickers, RootStatusSelectionAndResult)
{
    genba::ComApartment com;
    const CString dir = FreshDirOnC("pickers");
    const CString initial = dir + "\\新\\表";   // 表 ends in 5C
    const CString siteMain = dir + "\\F.001\\S.001\\MAIN";
    const char* const network = reinterpret_cast<const char*>(CSIDL_NETWORK);
    const Row rows[] = {
        {"a folder: status, title; the initial folder made with its parents and asked for", false, initial, 0,
         "ﾌｫﾙﾀﾞｰを選択", "状態", nullptr, 0, initial, "状態", kInitial, -1, initial},
        {"a folder: an empty status clears the flag, a null title; the kind's folder", false, "", PATHKIND_GENBA_MAIN,
         nullptr, "", nullptr, BIF_STATUSTEXT, siteMain, nullptr, kCancel, -1, ""},
        {"a folder, asked for computers and printers, rooted at a virtual folder by number", false, "", 0, "t", nullptr,
         reinterpret_cast<const char*>(CSIDL_DRIVES), BIF_BROWSEFORCOMPUTER | BIF_BROWSEFORPRINTER, "", nullptr,
         kRoot, FALSE, ""},
        {"a folder, rooted at a path", false, "", 0, "t", nullptr, dir, 0, "", nullptr, kRoot, TRUE, dir},
        {"a folder, rooted at a special folder by number", false, "", 0, "t", nullptr,
         reinterpret_cast<const char*>(CSIDL_PERSONAL), 0, "", nullptr, kRoot, TRUE, SpecialFolder(CSIDL_PERSONAL)},
        {"a folder, a root the shell cannot parse: the desktop", false, "", 0, "t", nullptr, "C:\\no such\\表", 0, "",
         nullptr, kRoot, TRUE, SpecialFolder(CSIDL_DESKTOPDIRECTORY)},
        {"a computer: computers only, not printers; an initial name", true, "\\\\PC1", 0, nullptr, nullptr, network,
         BIF_BROWSEFORPRINTER, "\\\\PC1", nullptr, kRootCancel, FALSE, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CEnvironObj env;
        env.SetDataPath(dir);
        env.SetFNo(1);
        env.SetGNo(1);
        ASSERT_TRUE(env.CreateDir(dir + "\\F.001\\S.001", TRUE));
        std::vector<Sent> sent;
        g_pSent = &sent;
        genba::UniqueHook hook(SetWindowsHookExA(WH_CALLWNDPROC, WatchSent, nullptr, GetCurrentThreadId()));
        CWnd noWindow;   // a parent object without a window: no owner
        DialogDriver driver;
        driver.Then("the browse dialog", [&](HWND hDlg) {
            std::vector<Sent> want;
            if (!row.selectionSent.IsEmpty()) want.push_back({BFFM_SETSELECTIONA, TRUE, row.selectionSent});
            if (row.statusShown) want.push_back({BFFM_SETSTATUSTEXTA, 0, row.statusShown});
            ASSERT_EQ(sent.size(), want.size());
            for (size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(sent[i].message, want[i].message);
                EXPECT_EQ(sent[i].wParam, want[i].wParam);
                EXPECT_EQ(sent[i].text, want[i].text);
            }
            if (!row.computer && !row.selectionSent.IsEmpty()) {
                EXPECT_EQ(env.IsExist(row.selectionSent), EXIST_FOLDER);   // made before the dialog opened
            }
            EXPECT_EQ(ItemText(hDlg, kTitle), row.title ? row.title : "");
            EXPECT_EQ(IsWindowVisible(GetDlgItem(hDlg, kStatus)) != FALSE, row.statusShown != nullptr);
            if (row.statusShown) {
                EXPECT_EQ(ItemText(hDlg, kStatus), row.statusShown);
            }
            HWND hTree = GetDlgItem(hDlg, kTree);
            if (row.pick == kRoot || row.pick == kRootCancel)
                SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
            if (row.okEnabled >= 0) {
                EXPECT_EQ(IsWindowEnabled(GetDlgItem(hDlg, IDOK)), row.okEnabled);
            }
            if (row.pick == kInitial)
                SendMessageA(hDlg, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(static_cast<const char*>(row.initial)));
            // Posted IDOK closes the dialog even where the OK button is disabled.
            PostMessageA(hDlg, WM_COMMAND, row.pick == kRoot || row.pick == kInitial ? IDOK : IDCANCEL, 0);
        });
        const CString got =
            row.computer ? env.SelectComputer(&noWindow, row.initial, row.title, row.status, row.flags)
                         : env.SelectDir(&noWindow, 7, row.initial, row.title, row.status, row.root, row.kind, row.flags);
        g_pSent = nullptr;
        EXPECT_EQ(WithoutFinalSeparator(got), WithoutFinalSeparator(row.result));
    }
}

// Opened many times, cancelled or (a folder) chosen: no handle, window, GDI object, item
// list or heap is kept.
void Soak(bool computer)
{
    genba::ComApartment com;
    const CString dir = FreshDirOnC(computer ? "soak-computer" : "soak-folder");
    CEnvironObj env;
    int n = 0;
    auto round = [&] {
        const bool choose = !computer && n++ % 2 == 0;
        DialogDriver driver;
        driver.Then("close", [choose](HWND hDlg) { PostMessageA(hDlg, WM_COMMAND, choose ? IDOK : IDCANCEL, 0); });
        const CString got = computer ? env.SelectComputer(nullptr, "\\\\PC1", "t", "s", 0)
                                     : env.SelectDir(nullptr, 0, dir + "\\a", "t", "s", dir, 0, 0);
        EXPECT_EQ(got.IsEmpty(), !choose);
    };
    for (int i = 0; i < 6; ++i) round();
    const long gdi = GdiObjectCount(), windows = ThreadWindowCount();
    ExpectFlatFootprint(round, 0, 200);
    EXPECT_LE(GdiObjectCount(), gdi);
    EXPECT_LE(ThreadWindowCount(), windows);
}

TEST(PickerSoak, Folder) { Soak(false); }
TEST(PickerSoak, Computer) { Soak(true); }

} // namespace

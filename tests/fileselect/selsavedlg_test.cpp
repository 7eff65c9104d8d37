// The suite's save dialog, run for real (headless) and driven like a user; and the free
// number it finds in one listing, against the number-by-number search it replaces.
#include <genbaenv/environ.h>

#include "resources/resource.h"
#include "support/dialogdriver.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace genbatest;

CString Save(const CString& dir, const char* extList, int type, const char* name, CString* memo = nullptr,
             int flags = 0)
{
    CEnvironObj env;
    return env.SelectSaveFile(nullptr, dir, extList, type, name, flags, nullptr, memo, nullptr, nullptr);
}

const char kTypes[] = "Data|.ABC|Backup|.BAK";

TEST(SelectSaveFile, TypedModeByNameAndOverwriteQuestion)
{
    const CString dir = FreshDir("save_typed");
    for (const char* f : {"x.BAK", "y.ABC", "y.BAK"}) ASSERT_TRUE(WriteFile(dir + "\\" + f));
    {
        DialogDriver driver;
        driver.Then("Backup by the name, then typing", [](HWND dlg) {
            EXPECT_EQ(CString("Backup"), Text(dlg, IDC_FILETYPE));
            EXPECT_TRUE(Enabled(dlg, IDC_FILETYPE));
            EXPECT_EQ(CString("x"), Text(dlg, IDC_FILENAME));
            EXPECT_EQ(Labels(dlg), "ﾌｧｲﾙの保存|ﾌｧｲﾙﾀｲﾌﾟ(&T):|備考(&M):|保存ﾌｧｲﾙ名(&N):|.BAK|既存ﾌｧｲﾙ一覧(&L):|OK(&O)|ｷｬﾝｾﾙ(&C)|ﾌｧｲﾙ削除(&D)|");
            TypeText(dlg, IDC_FILENAME, "new");   // a new name: no row, no Delete
            EXPECT_EQ(LB_ERR, CurRow(dlg, IDC_FILELIST));
            EXPECT_FALSE(Enabled(dlg, IDC_DELETE));
            TypeText(dlg, IDC_FILENAME, "y");     // y.BAK's row, Delete enabled
            EXPECT_EQ(2, CurRow(dlg, IDC_FILELIST));
            EXPECT_TRUE(Enabled(dlg, IDC_DELETE));
            SelectRow(dlg, IDC_FILELIST, 0);      // y.ABC: its name, the type and extension stay
            EXPECT_EQ(CString(".BAK"), Text(dlg, IDC_EXTTEXT));
            EXPECT_EQ(2, CurRow(dlg, IDC_FILELIST));
            TypeText(dlg, IDC_FILENAME, "x");
            Press(dlg, IDOK);
        });
        driver.ThenMessageBox("既存のﾌｧｲﾙ名が既に存在します\n上書きしてもよろしいですか?", IDYES);
        EXPECT_EQ(CString("x.BAK"), Save(dir, kTypes, -1, "x.bak"));   // the type by the name, in any case
    }
    DialogDriver imposed;
    imposed.Then("Data imposed", [](HWND dlg) {
        EXPECT_EQ(CString("Data"), Text(dlg, IDC_FILETYPE));
        EXPECT_FALSE(Enabled(dlg, IDC_FILETYPE));
        EXPECT_EQ(CString(".ABC"), Text(dlg, IDC_EXTTEXT));
        Press(dlg, IDOK);
    });
    EXPECT_EQ(CString("x.ABC"), Save(dir, kTypes, 0, "x.BAK"));
}

TEST(SelectSaveFile, NumberedModeFollowsTheNumberAndFindsAFreeOne)
{
    const CString dir = FreshDir("save_numbered");
    for (const char* f : {"a.001", "b.002", "d.004", "j.00A"}) ASSERT_TRUE(WriteFile(dir + "\\" + f));
    DialogDriver driver;
    driver.Then("a free number on opening, a click, an edit", [](HWND dlg) {
        EXPECT_FALSE(Visible(dlg, IDC_FILETYPE));
        EXPECT_EQ(CString(".003"), Text(dlg, IDC_EXTTEXT));
        SelectRow(dlg, IDC_FILELIST, 3);
        EXPECT_EQ(CString("j"), Text(dlg, IDC_FILENAME));
        EXPECT_EQ(CString(".00A"), Text(dlg, IDC_EXTTEXT));
        TypeText(dlg, IDC_FILENAME, "other");   // the number keeps its row
        EXPECT_EQ(3, CurRow(dlg, IDC_FILELIST));
        TypeText(dlg, IDC_FILENAME, "j");
        TypeText(dlg, IDC_MEMO, "typed");   // taken in by the refused OK, dropped by Cancel
        Press(dlg, IDOK);
    });
    driver.ThenMessageBox("既存のﾌｧｲﾙ名が既に存在します\n上書きしてもよろしいですか?", IDNO);
    driver.ThenBack("refused: still open", [](HWND dlg) { Press(dlg, IDCANCEL); });
    CString memo("kept");
    EXPECT_EQ(CString(), Save(dir, "", -1, nullptr, &memo));
    EXPECT_EQ(CString("kept"), memo);   // Cancel leaves the memo alone
}

int MemoColumns(const CEnvironObj&, CString& disp, const CString&, void*)
{
    disp = "memo " + disp + "\tsecond column";
    return 1;
}

TEST(SelectSaveFile, MemoFilledByAClickReplacedByADoubleClick)
{
    const CString dir = FreshDir("save_memo");
    for (const char* f : {"a.001", "b.002"}) ASSERT_TRUE(WriteFile(dir + "\\" + f));
    DialogDriver driver;
    driver.Then("clicks on the entries", [](HWND dlg) {
        SelectRow(dlg, IDC_FILELIST, 0);                     // an empty memo is filled
        EXPECT_EQ(CString("memo a"), Text(dlg, IDC_MEMO));
        TypeText(dlg, IDC_MEMO, "typed");
        SelectRow(dlg, IDC_FILELIST, 1);                     // a typed memo stays
        EXPECT_EQ(CString("typed"), Text(dlg, IDC_MEMO));
        DoubleClickRow(dlg, IDC_FILELIST, 1);                // a double click replaces it
        Settle();
        EXPECT_EQ(CString("memo b"), Text(dlg, IDC_MEMO));
        EXPECT_TRUE(IsWindow(dlg));                          // and never closes the dialog
        Press(dlg, IDOK);
    });
    driver.ThenMessageBox("既存のﾌｧｲﾙ名が既に存在します\n上書きしてもよろしいですか?", IDYES);
    CString memo;
    CEnvironObj env;
    EXPECT_EQ(CString("b.002"), env.SelectSaveFile(nullptr, dir, "", -1, nullptr, 0, nullptr, &memo, MemoColumns, nullptr));
    EXPECT_EQ(CString("memo b"), memo);
}

// Each refusal keeps the dialog open, and typing afterwards still moves the selection.
TEST(SelectSaveFile, RefusalsKeepTheDialogOpen)
{
    const CString dir = FreshDir("save_refusals");
    ASSERT_TRUE(MakeDir(dir + "\\sub.ABC"));
    ASSERT_TRUE(WriteFile(dir + "\\y.ABC"));
    const std::string tooLong(256, 'n');   // with ".ABC", 260 bytes
    DialogDriver driver;
    driver.Then("a colon", [](HWND dlg) {
        TypeText(dlg, IDC_FILENAME, "a:b");
        Press(dlg, IDOK);
    });
    driver.ThenMessageBox("ﾌｧｲﾙ名として使用できない文字 ｢:｣ が含まれています", IDOK);
    driver.ThenBack("too long", [&tooLong](HWND dlg) {
        TypeText(dlg, IDC_FILENAME, tooLong.c_str());
        Press(dlg, IDOK);
    });
    driver.ThenMessageBox("ﾌｧｲﾙ名として正しくありません", IDOK);
    driver.ThenBack("a folder's name", [](HWND dlg) {
        TypeText(dlg, IDC_FILENAME, "sub");
        Press(dlg, IDOK);
    });
    driver.ThenMessageBox("指定されたﾌｧｲﾙ名は他のﾌｫﾙﾀﾞｰで使用されています", IDOK);
    driver.ThenBack("typing still selects", [](HWND dlg) {
        TypeText(dlg, IDC_FILENAME, "y");
        EXPECT_EQ(0, CurRow(dlg, IDC_FILELIST));
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(CString(), Save(dir, "Data|.ABC", -1, nullptr));
}

CString ShownNumber(const CString& dir, int flags, DWORD timeoutMs = 15000)
{
    CString shown;
    DialogDriver driver(timeoutMs);
    driver.Then("the number on opening", [&shown](HWND dlg) {
        shown = Text(dlg, IDC_EXTTEXT);
        Press(dlg, IDCANCEL);
    });
    Save(dir, "", -1, nullptr, nullptr, flags);
    return shown;
}

// The number shown on opening, found in one listing, is the first that the search number
// by number misses: on names whose extension is not three hexadecimal digits, double-byte
// names, hidden entries, files and folders, and a gap at 1 or in the middle.
TEST(SelectSaveFile, FreeNumberIsTheFirstNumberSearchExtDirMisses)
{
    CEnvironObj env;
    const CString dir = FreshDir("save_free");
    for (const char* f : {"x.0001", "x.01", "a.b.002", "x.00a", "\x95\x5C.003", "y.0x4", "h.001", "H.004"})
        ASSERT_TRUE(WriteFile(dir + "\\" + f));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\h.001", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\H.004", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(MakeDir(dir + "\\d.001") && MakeDir(dir + "\\e.002"));
    for (const char* shape : {"gap at 1", "gap in the middle"}) {
        for (int flags : {0, 2, 1, 3}) {   // none, hidden, folders, hidden folders
            unsigned long n = 1;
            while (n <= 0xFFF && !env.SearchExtDir(dir, n, nullptr, flags).IsEmpty()) ++n;
            EXPECT_EQ(env.GetExtStr(n), ShownNumber(dir, flags)) << shape << ", flags " << flags;
        }
        ASSERT_TRUE(WriteFile(dir + "\\z.001"));
    }
}

// A folder whose numbers are all taken but 4095 shows .FFF; once full, none, and OK refuses.
TEST(SelectSaveFile, AFullFolderHasNoNumber)
{
    const CString dir = FreshDir("save_full");
    CString name;
    for (int n = 1; n <= 0xFFE; ++n) {
        name.Format("%s\\f.%03X", static_cast<const char*>(dir), n);
        ASSERT_TRUE(WriteFile(name));
    }
    // 4,095 rows take a while on a loaded machine.
    EXPECT_EQ(CString(".FFF"), ShownNumber(dir, 0, 60000));
    ASSERT_TRUE(WriteFile(dir + "\\f.fff"));
    DialogDriver driver(60000);
    driver.Then("OK", [](HWND dlg) {
        EXPECT_EQ(CString(), Text(dlg, IDC_EXTTEXT));
        Press(dlg, IDOK);
    });
    driver.ThenMessageBox("空き番号がありません", IDOK);
    driver.ThenBack("still open", [](HWND dlg) { Press(dlg, IDCANCEL); });
    EXPECT_EQ(CString(), Save(dir, "", -1, nullptr));
}

// Odd input opens and closes like any other; many openings leave nothing behind.
TEST(SelectSaveFile, BadInputAndManyOpeningsLeaveNothingBehind)
{
    const CString dir = FreshDir("save_soak");
    ASSERT_TRUE(WriteFile(dir + "\\\x95\x5C\x83\x7C.001"));
    CString memo("m");
    ExpectDialogRoundsLeaveNothing([&] {
        for (const char* list : {"", "Data|", "||", kTypes})
            for (int type : {-1, 0, 7}) {
                EXPECT_EQ(CString(), Save(dir + "\\missing", list, type, "   ", nullptr));
                EXPECT_EQ(CString(), Save(dir, list, type, "\x95\x5C\x83\x7C.001", &memo));
            }
    }, 1);
    EXPECT_EQ(CString("m"), memo);
    ExpectDialogRoundsLeaveNothing([&] { Save(dir, kTypes, -1, nullptr, &memo); }, 300);
}

} // namespace

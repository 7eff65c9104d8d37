// CSelFileList on real folders and on real list boxes and combo boxes (headless).
#include <genbaenv/environ.h>
#include <genbaenv/selfile.h>
#include <genbafw/filefind.h>
#include <genbafw/wnd.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

namespace {

struct Row {
    CString name;
    unsigned long no;
    CString disp;
};

void ExpectRows(const CSelFileList& list, const std::vector<Row>& want)
{
    ASSERT_EQ(list.GetCnt(), static_cast<int>(want.size()));
    for (int i = 0; i < list.GetCnt(); ++i) {
        EXPECT_EQ(list.GetFileName(i), want[i].name) << "row " << i;
        EXPECT_EQ(list.GetFileNo(i), want[i].no) << "row " << i;
        EXPECT_EQ(list.GetDispStr(i), want[i].disp) << "row " << i;
    }
}

CString MakeFolder(const char* test, const std::vector<const char*>& files)
{
    CString dir = genbatest::FreshDir(test);
    for (const char* f : files) EXPECT_TRUE(genbatest::WriteFile(dir + "\\" + f)) << f;
    return dir;
}

// Which of two names the system yields first.
CString FirstYielded(const CString& dir, const char* a, const char* b)
{
    CFileFind ff;
    for (BOOL more = ff.FindFile(dir + "\\*"); more;) {
        more = ff.FindNextFile();
        if (ff.GetFileName() == a || ff.GetFileName() == b) return ff.GetFileName();
    }
    return CString();
}

int List(CSelFileList& list, const CString& dir, const char* types, const char* sel, int flags = 0,
         SelFileProc proc = nullptr, void* data = nullptr)
{
    CEnvironObj env;
    return list.AddFileList(env, dir, types, sel, flags, proc, data);
}

// .0x2 reads as 2 (strtoul's prefix), .12 as 18, .bak as 0xBA; .000, four-character
// extensions and names without a dot carry none; of two entries with one number the
// first the system yields is kept. Hidden entries and folders are other listings.
TEST(SelFileList, NumberedListingFirstEntryPerNumber)
{
    CString dir = MakeFolder("numbered_first", {"g.01A", "b.001", "a.001", "d.000", "x.12", "y.0x1F", "u.0x2", "z.bak",
                                                "nodot", "t.b.0FE", "h.002"});
    ASSERT_TRUE(SetFileAttributesA(dir + "\\h.002", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(CreateDirectoryA(dir + "\\sub.003", nullptr));
    const CString first = FirstYielded(dir, "a.001", "b.001");
    CSelFileList list;
    list.Add("keep", 7, nullptr);   // a listing appends; no match leaves the selection
    list.Select(0);
    EXPECT_EQ(List(list, dir, "", "plain"), 6);
    ExpectRows(list, {{"keep", 7, "keep"}, {first, 1, first.Left(1)}, {"u.0x2", 2, "u"}, {"x.12", 18, "x"},
                      {"g.01A", 26, "g"}, {"z.bak", 186, "z"}, {"t.b.0FE", 254, "t.b"}});
    EXPECT_EQ(list.GetSelect(), 0);
    EXPECT_EQ(List(list, dir, "", "G.01a"), 6);   // preselected by number
    EXPECT_EQ(list.GetSelect(), 10);
    CSelFileList hidden, folders;
    EXPECT_EQ(List(hidden, dir, "", nullptr, SELFILE_HIDDEN), 1);
    EXPECT_EQ(List(folders, dir, "", nullptr, SELFILE_FOLDER | 0x30000), 1);
    EXPECT_EQ(hidden.GetFileName(0) + folders.GetFileName(0), CString("h.002sub.003"));
}

// An empty extension is passed over; .* matches every file again, so an entry matching
// two types is listed twice and the last match is selected; folders never include "."
// or "..". Preselection folds single-byte letters only.
TEST(SelFileList, TypedListingTypeByType)
{
    CString dir = MakeFolder("typed_order", {"z.BAK", "x.ABC", "data.abc", "y.ABCD", "\x83\x61x.ABC"});
    ASSERT_TRUE(CreateDirectoryA(dir + "\\sub", nullptr));
    CSelFileList list;
    EXPECT_EQ(List(list, dir + "\\", "None||Data|.ABC|Backup|.BAK|All|.*", "DATA.ABC"), 9);
    EXPECT_EQ(list.GetFileName(list.GetSelect()), CString("data.abc"));
    EXPECT_GE(list.GetSelect(), 4);   // the match of ".*", not of ".ABC"
    EXPECT_EQ(list.GetFileName(3), CString("z.BAK"));   // x.ABCD is no .ABC file, whatever its short name
    CSelFileList other, folders;
    EXPECT_EQ(List(other, dir, "Data|.ABC", "\x83\x41x.ABC"), 3);   // 83 41 is another character than 83 61
    EXPECT_EQ(other.GetSelect(), -1);
    EXPECT_EQ(List(folders, dir, "All|.*", nullptr, SELFILE_FOLDER), 1);
    EXPECT_EQ(folders.GetFileName(0), CString("sub"));
}

struct Seen {
    std::vector<CString> disp, path;
    void* data = nullptr;
    bool dropAll = false;
};

int Record(const CEnvironObj&, CString& disp, const CString& path, void* pData)
{
    Seen* seen = static_cast<Seen*>(pData);
    seen->disp.push_back(disp);
    seen->path.push_back(path);
    seen->data = pData;
    if (seen->dropAll || path.Right(6) == "\\c.00A") return 0;
    disp += "\tmemo \x95\x5C";
    return 1;
}

TEST(SelFileList, CallbackSeesEachEntryAndChangesItsDisplay)
{
    CString dir = MakeFolder("callback", {"a.001", "c.00A", "x.txt"});
    Seen seen;
    CSelFileList list;
    EXPECT_EQ(List(list, dir, "", "c.00A", 0, Record, &seen), 1);   // the match left out: no selection
    EXPECT_EQ(list.GetSelect(), -1);
    EXPECT_EQ(List(list, dir + "\\", "Text|.TXT", "X.TXT", 0, Record, &seen), 1);
    EXPECT_EQ(list.GetSelect(), 1);
    EXPECT_EQ(seen.disp, (std::vector<CString>{"a", "c", "x.txt"}));
    EXPECT_EQ(seen.path, (std::vector<CString>{dir + "\\a.001", dir + "\\c.00A", dir + "\\x.txt"}));
    EXPECT_EQ(seen.data, &seen);
    ExpectRows(list, {{"a.001", 1, "a\tmemo \x95\x5C"}, {"x.txt", 0, "x.txt\tmemo \x95\x5C"}});
    seen.dropAll = true;
    CSelFileList none;
    EXPECT_EQ(List(none, dir, "", "a.001", 0, Record, &seen), 0);
    EXPECT_EQ(none.GetSelect(), -1);
}

// Rows and entries are linked by item data, so a sorting box works the same; item data
// the list did not put there names no entry, however wide (2^32 + 1 narrowed would be 1).
template <typename Box>
void ExpectBoxLinking(const char* cls, DWORD sortStyle)
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    Box box;
    ASSERT_TRUE(box.Attach(CreateWindowExA(0, cls, "", WS_CHILD | sortStyle, 0, 0, 200, 200, parent, nullptr, nullptr, nullptr)));
    CSelFileList list;
    for (int i = 0; i < 150; ++i) list.Add(i == 0 ? "m.001" : i == 1 ? "z.002" : "a.003", static_cast<unsigned long>(i), nullptr);
    list.Select(0);   // m.001, in the sorted row 148
    box.AddString("old row");
    box.SetCurSel(0);
    if constexpr (std::is_same<Box, CListBox>::value) list.MakeListBox(box); else list.MakeComboBox(box);
    EXPECT_EQ(box.GetCount(), 150);
    EXPECT_EQ(box.GetCurSel(), 148);
    EXPECT_EQ(box.GetItemData(149), 1u);
    auto pick = [&](int row) {
        box.SetCurSel(row);
        if constexpr (std::is_same<Box, CListBox>::value) list.UpdateListBox(box); else list.UpdateComboBox(box);
        return list.GetSelect();
    };
    EXPECT_EQ(pick(149), 1);
    EXPECT_EQ(pick(-1), -1);
    const unsigned long long wide = sizeof(DWORD_PTR) > 4 ? (1ull << 32) + 1 : 1ull << 31;
    box.SetItemData(0, static_cast<DWORD_PTR>(wide));
    EXPECT_EQ(pick(0), -1);
    list.Select(3);
    list.Clear();   // the selection stays, naming no entry
    if constexpr (std::is_same<Box, CListBox>::value) list.MakeListBox(box); else list.MakeComboBox(box);
    EXPECT_EQ(box.GetCount(), 0);
    EXPECT_LT(box.GetCurSel(), 0);
    box.Detach();
    DestroyWindow(parent);
}

TEST(SelFileList, ListBoxAndComboBoxRowsLinkedByItemData)
{
    ExpectBoxLinking<CListBox>("LISTBOX", LBS_SORT);
    ExpectBoxLinking<CComboBox>("COMBOBOX", CBS_DROPDOWNLIST | CBS_SORT);
}

} // namespace

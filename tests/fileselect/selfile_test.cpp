// CSelFileList on real folders and on real list boxes and combo boxes (headless).
#include <genbaenv/environ.h>
#include <genbaenv/selfile.h>
#include <genbafw/wnd.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using genbatest::FreshDir;

// Exposes the table for the growth checks.
class ProbeList : public CSelFileList {
public:
    int Alloc() const { return m_nAlloc; }
    bool HasTable() const { return m_ppEntry != nullptr; }
};

struct Row {
    CString name;
    unsigned long no;
    CString disp;
};

std::vector<Row> Rows(const CSelFileList& list)
{
    std::vector<Row> rows;
    for (int i = 0; i < list.GetCnt(); ++i) rows.push_back({list.GetFileName(i), list.GetFileNo(i), list.GetDispStr(i)});
    return rows;
}

void ExpectRows(const CSelFileList& list, const std::vector<Row>& want)
{
    std::vector<Row> got = Rows(list);
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(got[i].name, want[i].name);
        EXPECT_EQ(got[i].no, want[i].no);
        EXPECT_EQ(got[i].disp, want[i].disp);
    }
}

CString MakeFolder(const char* test, const std::vector<const char*>& files)
{
    CString dir = FreshDir(test);
    for (const char* f : files) EXPECT_TRUE(genbatest::WriteFile(dir + "\\" + f)) << f;
    return dir;
}

// The folder's names in the order the system yields them ("." and ".." left out).
std::vector<CString> SystemOrder(const CString& dir)
{
    std::vector<CString> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(dir + "\\*", &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        CString n(fd.cFileName);
        if (n != "." && n != "..") names.push_back(n);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

bool EndsWithNoCase(const CString& name, const char* ext)
{
    int n = static_cast<int>(strlen(ext));
    return name.GetLength() >= n && name.Right(n).CompareNoCase(ext) == 0;
}

// --- Entries, growth and selection ----------------------------------------------

TEST(SelFileEntries, AddRefusesEmptyNamesAndShowsTheName)
{
    ProbeList list;
    EXPECT_EQ(list.GetCnt(), 0);
    EXPECT_EQ(list.GetSelect(), -1);
    EXPECT_FALSE(list.HasTable());
    EXPECT_EQ(list.Add(nullptr, 1, "x"), -1);
    EXPECT_EQ(list.Add("", 1, "x"), -1);
    EXPECT_EQ(list.GetCnt(), 0);
    EXPECT_EQ(list.Alloc(), 0);

    EXPECT_EQ(list.Add("a.001", 1, nullptr), 0);
    EXPECT_EQ(list.Add("a.001", 0xFFFFFFFFul, "\x95\x5C\tmemo"), 1);   // duplicates, any number
    EXPECT_EQ(list.Add("b", 0, ""), 2);
    ExpectRows(list, {{"a.001", 1, "a.001"}, {"a.001", 0xFFFFFFFFul, "\x95\x5C\tmemo"}, {"b", 0, ""}});
}

TEST(SelFileEntries, TableGrowsByOneHundredSlots)
{
    ProbeList list;
    for (int i = 0; i < 100; ++i) ASSERT_EQ(list.Add("f", static_cast<unsigned long>(i), nullptr), i);
    EXPECT_EQ(list.Alloc(), 100);
    EXPECT_EQ(list.Add("g", 100, nullptr), 100);
    EXPECT_EQ(list.Alloc(), 200);
    EXPECT_EQ(list.GetFileNo(0), 0u);
    EXPECT_EQ(list.GetFileNo(99), 99u);   // moved into the new table
    EXPECT_EQ(list.GetFileName(100), CString("g"));
    list.Clear();
    EXPECT_EQ(list.Alloc(), 0);
    EXPECT_FALSE(list.HasTable());
    EXPECT_EQ(list.Add("h", 1, nullptr), 0);
    EXPECT_EQ(list.Alloc(), 100);
}

TEST(SelFileEntries, SelectAndReadsOutOfRange)
{
    CSelFileList list;
    for (const char* n : {"a", "b", "c", "d"}) list.Add(n, 5, nullptr);
    const struct {
        int index, result, select;
    } rows[] = {{0, 1, 0}, {3, 1, 3}, {4, 0, -1}, {-5, 0, -1}, {-1, 0, -1}, {2, 1, 2}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.index);
        EXPECT_EQ(list.Select(r.index), r.result);
        EXPECT_EQ(list.GetSelect(), r.select);
    }
    for (int bad : {-1, 4, 1000}) {
        EXPECT_EQ(list.GetFileNo(bad), 0u);
        EXPECT_TRUE(list.GetFileName(bad).IsEmpty());
        EXPECT_TRUE(list.GetDispStr(bad).IsEmpty());
    }
}

TEST(SelFileEntries, ClearKeepsAStaleSelection)
{
    CSelFileList list;
    for (const char* n : {"a", "b", "c", "d"}) list.Add(n, 0, nullptr);
    list.Select(3);
    list.Clear();
    EXPECT_EQ(list.GetCnt(), 0);
    EXPECT_EQ(list.GetSelect(), 3);
    EXPECT_TRUE(list.GetFileName(3).IsEmpty());
    EXPECT_EQ(list.GetFileNo(3), 0u);
}

// --- Numbered listing ----------------------------------------------------------

TEST(SelFileNumbered, FirstEntryPerNumberInAscendingOrder)
{
    CEnvironObj env;
    CString dir = MakeFolder("numbered_first", {"g.01A", "b.001", "a.001", "c.00A", "d.000", "f.XYZ"});
    // Whichever of a.001 and b.001 the system yields first keeps number 1.
    CString first;
    for (const CString& n : SystemOrder(dir))
        if (n == "a.001" || n == "b.001") {
            first = n;
            break;
        }
    ASSERT_FALSE(first.IsEmpty());

    CSelFileList list;
    EXPECT_EQ(list.AddFileList(env, dir, "", nullptr, 0, nullptr, nullptr), 3);
    ExpectRows(list, {{first, 1, first.Left(1)}, {"c.00A", 10, "c"}, {"g.01A", 26, "g"}});
    EXPECT_EQ(list.GetSelect(), -1);
}

TEST(SelFileNumbered, LooseExtensionsAndTheRangeEnds)
{
    CEnvironObj env;
    // .0x1 reads as 1 (strtoul's prefix), .12 as 18 (the pattern's ? may match nothing),
    // .bak as 0xBA; .000, four-character extensions and names without a dot carry none.
    CString dir = MakeFolder("numbered_loose", {"x.12", "u.0x1", "z.bak", "w.FFF", "y.0x1F", "v.1000", "d.000",
                                                "nodot", "t.b.0FE"});
    CSelFileList list;
    EXPECT_EQ(list.AddFileList(env, dir, "", nullptr, 0, nullptr, nullptr), 5);
    ExpectRows(list, {{"u.0x1", 1, "u"}, {"x.12", 18, "x"}, {"z.bak", 186, "z"}, {"t.b.0FE", 254, "t.b"},
                      {"w.FFF", 4095, "w"}});
}

TEST(SelFileNumbered, PreselectsByNumberWhateverTheBaseName)
{
    CEnvironObj env;
    CString dir = MakeFolder("numbered_select", {"a.001", "c.00A", "g.01A"});
    const struct {
        const char* sel;
        int want;
    } rows[] = {{"x.00a", 1}, {"G.01a", 2}, {"a.002", -1}, {"plain", -1}, {nullptr, -1}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.sel ? r.sel : "(null)");
        CSelFileList list;
        EXPECT_EQ(list.AddFileList(env, dir, "", r.sel, 0, nullptr, nullptr), 3);
        EXPECT_EQ(list.GetSelect(), r.want);
    }
}

TEST(SelFileNumbered, AttributeFilter)
{
    CEnvironObj env;
    CString dir = MakeFolder("numbered_attr", {"vis.001", "hid.002"});
    ASSERT_TRUE(SetFileAttributesA(dir + "\\hid.002", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(CreateDirectoryA(dir + "\\sub.003", nullptr));
    ASSERT_TRUE(CreateDirectoryA(dir + "\\hsub.004", nullptr));
    ASSERT_TRUE(SetFileAttributesA(dir + "\\hsub.004", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY));
    const struct {
        int flags;
        const char* name;
    } rows[] = {{0, "vis.001"}, {SELFILE_HIDDEN, "hid.002"}, {SELFILE_FOLDER, "sub.003"},
                {SELFILE_FOLDER | SELFILE_HIDDEN, "hsub.004"}, {SELFILE_FOLDER | 0x30000, "sub.003"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.flags);
        CSelFileList list;
        EXPECT_EQ(list.AddFileList(env, dir, "", nullptr, r.flags, nullptr, nullptr), 1);
        EXPECT_EQ(list.GetFileName(0), CString(r.name));
    }
}

TEST(SelFileNumbered, MissingOrEmptyFolderAddsNothing)
{
    CEnvironObj env;
    CString dir = FreshDir("numbered_empty");
    CSelFileList list;
    list.Add("keep", 7, nullptr);
    list.Select(0);
    EXPECT_EQ(list.AddFileList(env, dir, "", "keep", 0, nullptr, nullptr), 0);
    EXPECT_EQ(list.AddFileList(env, dir + "\\absent", "", nullptr, 0, nullptr, nullptr), 0);
    EXPECT_EQ(list.GetCnt(), 1);
    EXPECT_EQ(list.GetSelect(), 0);
}

// --- Typed listing -------------------------------------------------------------

TEST(SelFileTyped, TypesInTurnEachInSystemOrder)
{
    CEnvironObj env;
    CString dir = MakeFolder("typed_order", {"z.BAK", "x.ABC", "w.bak", "q.TXT", "data.abc", "y.ABCD"});
    std::vector<Row> want;
    for (const char* ext : {".ABC", ".BAK"})
        for (const CString& n : SystemOrder(dir))
            if (EndsWithNoCase(n, ext)) want.push_back({n, 0, n});
    ASSERT_EQ(want.size(), 4u);   // x.ABCD is no .ABC file, whatever its short name

    CSelFileList list;
    list.Add("before", 3, nullptr);   // a listing appends
    EXPECT_EQ(list.AddFileList(env, dir + "\\", "Data|.ABC|Backup|.BAK", nullptr, 0, nullptr, nullptr), 4);
    want.insert(want.begin(), Row{"before", 3, "before"});
    ExpectRows(list, want);
}

TEST(SelFileTyped, EntryMatchingTwoTypesIsListedTwiceAndTheLastMatchIsSelected)
{
    CEnvironObj env;
    CString dir = MakeFolder("typed_twice", {"data.ABC", "note.txt"});
    CSelFileList list;
    // An empty extension is passed over; .* matches both files again.
    EXPECT_EQ(list.AddFileList(env, dir, "None||Data|.ABC|All|.*", "DATA.abc", 0, nullptr, nullptr), 3);
    EXPECT_EQ(list.GetFileName(0), CString("data.ABC"));
    ASSERT_GE(list.GetSelect(), 1);
    EXPECT_EQ(list.GetFileName(list.GetSelect()), CString("data.ABC"));
}

TEST(SelFileTyped, PreselectionIgnoresCaseOfSingleByteLettersOnly)
{
    CEnvironObj env;
    // \x83\x61 and \x83\x41 are two different characters whose trail bytes are a and A.
    CString dir = MakeFolder("typed_case", {"\x95\x5C.ABC", "\x83\x61x.ABC", "data.ABC"});
    const struct {
        const char* sel;
        const char* want;   // null: no selection
    } rows[] = {{"\x95\x5C.abc", "\x95\x5C.ABC"}, {"\x83\x61X.abc", "\x83\x61x.ABC"}, {"\x83\x41x.ABC", nullptr},
                {"DATA.ABC", "data.ABC"},         {"data", nullptr},                   {"", nullptr}};
    for (const auto& r : rows) {
        SCOPED_TRACE(genbatest::Hex(r.sel));
        CSelFileList list;
        EXPECT_EQ(list.AddFileList(env, dir, "Data|.ABC", r.sel, 0, nullptr, nullptr), 3);
        if (r.want)
            EXPECT_EQ(list.GetFileName(list.GetSelect()), CString(r.want));
        else
            EXPECT_EQ(list.GetSelect(), -1);
    }
}

TEST(SelFileTyped, FoldersNeverIncludeDots)
{
    CEnvironObj env;
    CString dir = MakeFolder("typed_dots", {"file.txt"});
    ASSERT_TRUE(CreateDirectoryA(dir + "\\sub", nullptr));
    CSelFileList list;
    EXPECT_EQ(list.AddFileList(env, dir, "All|.*", nullptr, SELFILE_FOLDER, nullptr, nullptr), 1);
    EXPECT_EQ(list.GetFileName(0), CString("sub"));
}

// --- The entry callback ----------------------------------------------------------

struct Seen {
    std::vector<CString> disp;
    std::vector<CString> path;
    void* data = nullptr;
    const CEnvironObj* env = nullptr;
    CString drop;   // name part of the path to leave out
};

int Record(const CEnvironObj& env, CString& disp, const CString& path, void* pData)
{
    Seen* seen = static_cast<Seen*>(pData);
    seen->disp.push_back(disp);
    seen->path.push_back(path);
    seen->data = pData;
    seen->env = &env;
    if (!seen->drop.IsEmpty() && EndsWithNoCase(path, "\\" + seen->drop)) return 0;
    disp += "\tmemo ";
    disp += "\x95\x5C";
    return 1;
}

int DropAll(const CEnvironObj&, CString&, const CString&, void*) { return 0; }

TEST(SelFileCallback, SeesEachKeptNumberAndChangesDisplayStrings)
{
    CEnvironObj env;
    CString dir = MakeFolder("callback_numbered", {"a.001", "b.001", "c.00A", "skip.txt"});
    CString first = SystemOrder(dir)[0] == "b.001" ? "b.001" : "a.001";
    Seen seen;
    seen.drop = "c.00A";
    CSelFileList list;
    list.Add("keep", 0, nullptr);
    list.Select(0);
    // The matching entry is left out by the callback: the selection stays.
    EXPECT_EQ(list.AddFileList(env, dir, "", "c.00A", 0, Record, &seen), 1);
    EXPECT_EQ(list.GetSelect(), 0);
    ASSERT_EQ(seen.disp.size(), 2u);   // once for number 1, once for number 10
    EXPECT_EQ(seen.disp[0], first.Left(1));
    EXPECT_EQ(seen.disp[1], CString("c"));
    EXPECT_EQ(seen.path[0], dir + "\\" + first);
    EXPECT_EQ(seen.path[1], dir + "\\c.00A");
    EXPECT_EQ(seen.data, &seen);
    EXPECT_EQ(seen.env, &env);
    ExpectRows(list, {{"keep", 0, "keep"}, {first, 1, first.Left(1) + "\tmemo \x95\x5C"}});
}

TEST(SelFileCallback, TypedListingOffersTheFullNameAndTheJoinedPath)
{
    CEnvironObj env;
    CString dir = MakeFolder("callback_typed", {"x.ABC"});
    Seen seen;
    CSelFileList list;
    EXPECT_EQ(list.AddFileList(env, dir + "\\", "Data|.ABC", "x.abc", 0, Record, &seen), 1);
    ASSERT_EQ(seen.disp.size(), 1u);
    EXPECT_EQ(seen.disp[0], CString("x.ABC"));
    EXPECT_EQ(seen.path[0], dir + "\\x.ABC");   // one separator
    EXPECT_EQ(list.GetDispStr(0), CString("x.ABC\tmemo \x95\x5C"));
    EXPECT_EQ(list.GetSelect(), 0);
}

TEST(SelFileCallback, LeavingEverythingOutAddsNothing)
{
    CEnvironObj env;
    CString dir = MakeFolder("callback_none", {"a.001", "x.ABC"});
    CSelFileList list;
    EXPECT_EQ(list.AddFileList(env, dir, "", "a.001", 0, DropAll, nullptr), 0);
    EXPECT_EQ(list.AddFileList(env, dir, "Data|.ABC", "x.ABC", 0, DropAll, nullptr), 0);
    EXPECT_EQ(list.GetCnt(), 0);
    EXPECT_EQ(list.GetSelect(), -1);
}

// --- List boxes and combo boxes ----------------------------------------------------

class SelFileBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hParent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr,
                                    nullptr, nullptr);
        ASSERT_NE(m_hParent, nullptr);
        ASSERT_TRUE(m_list.Attach(Child("LISTBOX", LBS_USETABSTOPS)));
        ASSERT_TRUE(m_sorted.Attach(Child("LISTBOX", LBS_SORT)));
        ASSERT_TRUE(m_combo.Attach(Child("COMBOBOX", CBS_DROPDOWNLIST)));
        ASSERT_TRUE(m_sortedCombo.Attach(Child("COMBOBOX", CBS_DROPDOWNLIST | CBS_SORT)));
        for (const char* n : {"m.001", "z.002", "a.003", "k.004"}) m_entries.Add(n, 0, n[0] == 'z' ? "z\tcol" : nullptr);
    }
    void TearDown() override
    {
        CWnd::DetachDescendants(m_hParent);
        DestroyWindow(m_hParent);
    }
    HWND Child(const char* cls, DWORD style)
    {
        return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 200, m_hParent, nullptr, nullptr,
                               nullptr);
    }
    template <typename Box>
    std::vector<CString> Texts(const Box& box, void (Box::*get)(int, CString&) const)
    {
        std::vector<CString> t;
        for (int i = 0; i < box.GetCount(); ++i) {
            CString s;
            (box.*get)(i, s);
            t.push_back(s);
        }
        return t;
    }

    HWND m_hParent = nullptr;
    CListBox m_list, m_sorted;
    CComboBox m_combo, m_sortedCombo;
    CSelFileList m_entries;
};

TEST_F(SelFileBoxTest, ListBoxShowsEntriesInOrderAndTheSelection)
{
    m_list.AddString("old row");
    m_entries.Select(2);
    m_entries.MakeListBox(m_list);
    EXPECT_EQ(Texts(m_list, &CListBox::GetText), (std::vector<CString>{"m.001", "z\tcol", "a.003", "k.004"}));
    for (int row = 0; row < 4; ++row) EXPECT_EQ(m_list.GetItemData(row), static_cast<DWORD_PTR>(row));
    EXPECT_EQ(m_list.GetCurSel(), 2);
    EXPECT_NE(GetWindowLongA(m_list.m_hWnd, GWL_STYLE) & WS_VISIBLE, 0);   // redrawing back on

    m_list.SetCurSel(3);
    m_entries.UpdateListBox(m_list);
    EXPECT_EQ(m_entries.GetSelect(), 3);
    m_list.SetCurSel(-1);
    m_entries.UpdateListBox(m_list);
    EXPECT_EQ(m_entries.GetSelect(), -1);
    m_entries.MakeListBox(m_list);
    EXPECT_EQ(m_list.GetCurSel(), LB_ERR);
}

TEST_F(SelFileBoxTest, SortingListBoxLinksRowsByItemData)
{
    m_entries.Select(0);   // m.001, shown in row 2 once sorted
    m_entries.MakeListBox(m_sorted);
    EXPECT_EQ(Texts(m_sorted, &CListBox::GetText), (std::vector<CString>{"a.003", "k.004", "m.001", "z\tcol"}));
    const DWORD_PTR entryOfRow[] = {2, 3, 0, 1};
    for (int row = 0; row < 4; ++row) EXPECT_EQ(m_sorted.GetItemData(row), entryOfRow[row]) << row;
    EXPECT_EQ(m_sorted.GetCurSel(), 2);

    m_sorted.SetCurSel(3);
    m_entries.UpdateListBox(m_sorted);
    EXPECT_EQ(m_entries.GetSelect(), 1);
    EXPECT_EQ(m_entries.GetFileName(m_entries.GetSelect()), CString("z.002"));
}

TEST_F(SelFileBoxTest, StaleSelectionAndForeignItemDataSelectNothing)
{
    m_entries.Select(3);
    m_entries.Clear();
    m_entries.MakeListBox(m_list);
    EXPECT_EQ(m_list.GetCount(), 0);
    EXPECT_EQ(m_list.GetCurSel(), LB_ERR);
    m_entries.Add("a", 1, nullptr);
    m_entries.Add("b", 2, nullptr);
    m_entries.MakeListBox(m_list);   // selection 3 names no entry of two
    EXPECT_EQ(m_list.GetCurSel(), LB_ERR);
    EXPECT_EQ(m_entries.GetSelect(), 3);

    // Item data the list did not put there names no entry, however wide.
    // 2^32 + 1 would read as entry 1 if the value were narrowed first.
    const unsigned long long wide = sizeof(DWORD_PTR) > 4 ? (1ull << 32) + 1 : 1ull << 31;
    const DWORD_PTR foreign[] = {99, static_cast<DWORD_PTR>(-1), static_cast<DWORD_PTR>(wide)};
    for (DWORD_PTR data : foreign) {
        m_list.SetItemData(0, data);
        m_list.SetCurSel(0);
        m_entries.Select(1);
        m_entries.UpdateListBox(m_list);
        EXPECT_EQ(m_entries.GetSelect(), -1) << data;
    }
}

TEST_F(SelFileBoxTest, ComboBoxesBehaveAlike)
{
    m_combo.AddString("old row");
    m_entries.Select(1);
    m_entries.MakeComboBox(m_combo);
    EXPECT_EQ(Texts(m_combo, &CComboBox::GetLBText), (std::vector<CString>{"m.001", "z\tcol", "a.003", "k.004"}));
    EXPECT_EQ(m_combo.GetCurSel(), 1);
    m_combo.SetCurSel(0);
    m_entries.UpdateComboBox(m_combo);
    EXPECT_EQ(m_entries.GetSelect(), 0);
    m_combo.SetCurSel(-1);
    m_entries.UpdateComboBox(m_combo);
    EXPECT_EQ(m_entries.GetSelect(), -1);

    m_entries.Select(3);   // k.004, row 1 once sorted
    m_entries.MakeComboBox(m_sortedCombo);
    EXPECT_EQ(m_sortedCombo.GetCurSel(), 1);
    EXPECT_EQ(m_sortedCombo.GetItemData(0), 2u);
    m_sortedCombo.SetCurSel(3);
    m_entries.UpdateComboBox(m_sortedCombo);
    EXPECT_EQ(m_entries.GetSelect(), 1);

    m_entries.Select(3);
    m_entries.Clear();
    m_entries.MakeComboBox(m_combo);
    EXPECT_EQ(m_combo.GetCount(), 0);
    EXPECT_EQ(m_combo.GetCurSel(), CB_ERR);
}

TEST_F(SelFileBoxTest, BoxWithoutWindowChangesNothingButTheSelection)
{
    CListBox none;
    m_entries.Select(1);
    m_entries.MakeListBox(none);
    EXPECT_EQ(m_entries.GetSelect(), 1);
    m_entries.UpdateListBox(none);   // no box: no current row
    EXPECT_EQ(m_entries.GetSelect(), -1);
}

TEST_F(SelFileBoxTest, ListingIntoAListBoxEndToEnd)
{
    CEnvironObj env;
    CString dir = MakeFolder("box_listing", {"b.002", "a.001", "x.TXT"});
    CSelFileList list;
    list.AddFileList(env, dir, "", "q.002", 0, nullptr, nullptr);
    list.MakeListBox(m_sorted);
    EXPECT_EQ(Texts(m_sorted, &CListBox::GetText), (std::vector<CString>{"a", "b"}));
    EXPECT_EQ(m_sorted.GetCurSel(), 1);
    m_sorted.SetCurSel(0);
    list.UpdateListBox(m_sorted);
    EXPECT_EQ(list.GetFileName(list.GetSelect()), CString("a.001"));
}

} // namespace

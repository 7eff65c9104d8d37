// CSelFileList on real folders and on real list boxes and combo boxes (headless).
#include <genbaenv/environ.h>
#include <genbaenv/selfile.h>
#include <genbafw/filefind.h>
#include <genbafw/wnd.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(list.GetFileName(i), want[i].name);
        EXPECT_EQ(list.GetFileNo(i), want[i].no);
        EXPECT_EQ(list.GetDispStr(i), want[i].disp);
    }
}

CString MakeFolder(const char* test, const std::vector<const char*>& files)
{
    CString dir = genbatest::FreshDir(test);
    for (const char* f : files) EXPECT_TRUE(genbatest::WriteFile(dir + "\\" + f)) << f;
    return dir;
}

// The folder's names in the order the system yields them ("." and ".." left out).
std::vector<CString> SystemOrder(const CString& dir)
{
    std::vector<CString> names;
    CFileFind ff;
    for (BOOL more = ff.FindFile(dir + "\\*"); more;) {
        more = ff.FindNextFile();
        if (!ff.IsDots()) names.push_back(ff.GetFileName());
    }
    return names;
}

// The first of `names` that the system yields.
CString FirstYielded(const CString& dir, std::vector<CString> names)
{
    std::vector<CString> order = SystemOrder(dir);
    auto it = std::find_first_of(order.begin(), order.end(), names.begin(), names.end());
    return it == order.end() ? CString() : *it;
}

int List(CSelFileList& list, const CString& dir, const char* types, const char* sel, int flags = 0,
         SelFileProc proc = nullptr, void* data = nullptr)
{
    CEnvironObj env;
    return list.AddFileList(env, dir, types, sel, flags, proc, data);
}

// --- Entries, growth and selection ----------------------------------------------

TEST(SelFileEntries, AddGrowthAndClear)
{
    CSelFileList list;
    EXPECT_EQ(list.GetSelect(), -1);
    EXPECT_EQ(list.Add(nullptr, 1, "x"), -1);
    EXPECT_EQ(list.Add("", 1, "x"), -1);
    EXPECT_EQ(list.Add("a.001", 1, nullptr), 0);
    EXPECT_EQ(list.Add("a.001", 0xFFFFFFFFul, "\x95\x5C\tmemo"), 1);   // duplicates, any number
    EXPECT_EQ(list.Add("b", 0, ""), 2);
    ExpectRows(list, {{"a.001", 1, "a.001"}, {"a.001", 0xFFFFFFFFul, "\x95\x5C\tmemo"}, {"b", 0, ""}});
    for (int i = 3; i <= 200; ++i) ASSERT_EQ(list.Add("f", static_cast<unsigned long>(i), nullptr), i);   // grows twice
    for (int i = 3; i <= 200; ++i) ASSERT_EQ(list.GetFileNo(i), static_cast<unsigned long>(i));
    list.Select(3);
    list.Clear();   // the selection is kept, stale
    EXPECT_EQ(list.GetCnt(), 0);
    EXPECT_EQ(list.GetSelect(), 3);
    EXPECT_TRUE(list.GetFileName(3).IsEmpty());
    EXPECT_EQ(list.Add("h", 1, nullptr), 0);
}

TEST(SelFileEntries, SelectAndReadsOutOfRange)
{
    CSelFileList list;
    for (const char* n : {"a", "b", "c", "d"}) list.Add(n, 5, nullptr);
    const struct {
        int index, result, select;
    } rows[] = {{0, 1, 0}, {3, 1, 3}, {4, 0, -1}, {2, 1, 2}, {-1, 0, -1}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.index);
        EXPECT_EQ(list.Select(r.index), r.result);
        EXPECT_EQ(list.GetSelect(), r.select);
        if (r.result) continue;
        EXPECT_EQ(list.GetFileNo(r.index), 0u);
        EXPECT_TRUE(list.GetFileName(r.index).IsEmpty());
        EXPECT_TRUE(list.GetDispStr(r.index).IsEmpty());
    }
}

// --- Numbered listing ----------------------------------------------------------

// .0x2 reads as 2 (strtoul's prefix), .12 as 18 (the pattern's ? may match nothing),
// .bak as 0xBA; .000, four-character extensions (.0x1F) and names without a dot carry none.
TEST(SelFileNumbered, FirstEntryPerNumberAndLooseExtensions)
{
    CString dir = MakeFolder("numbered_first", {"g.01A", "b.001", "a.001", "c.00A", "d.000", "f.XYZ", "x.12", "y.0x1F",
                                                "u.0x2", "z.bak", "w.FFF", "v.1000", "nodot", "t.b.0FE"});
    CString first = FirstYielded(dir, {"a.001", "b.001"});
    CSelFileList list;
    EXPECT_EQ(List(list, dir, "", nullptr), 8);
    ExpectRows(list, {{first, 1, first.Left(1)}, {"u.0x2", 2, "u"}, {"c.00A", 10, "c"}, {"x.12", 18, "x"},
                      {"g.01A", 26, "g"}, {"z.bak", 186, "z"}, {"t.b.0FE", 254, "t.b"}, {"w.FFF", 4095, "w"}});
    EXPECT_EQ(list.GetSelect(), -1);
}

TEST(SelFileNumbered, PreselectsByNumberAndKeepsTheSelectionWhenNothingMatches)
{
    CString dir = MakeFolder("numbered_select", {"a.001", "c.00A", "g.01A"});
    ASSERT_TRUE(CreateDirectoryA(dir + "\\empty", nullptr));
    const struct {
        const char* sub;
        const char* sel;
        int added, want;
    } rows[] = {{"", "x.00a", 3, 2},  {"", "G.01a", 3, 3}, {"", "a.002", 3, 0},          {"", "plain", 3, 0},
                {"", nullptr, 3, 0}, {"\\empty", "keep", 0, 0}, {"\\absent", nullptr, 0, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.sub << ' ' << (r.sel ? r.sel : "(null)"));
        CSelFileList list;
        list.Add("keep", 7, nullptr);
        list.Select(0);
        EXPECT_EQ(List(list, dir + r.sub, "", r.sel), r.added);
        EXPECT_EQ(list.GetCnt(), r.added + 1);
        EXPECT_EQ(list.GetSelect(), r.want);
    }
}

TEST(SelFileNumbered, AttributeFilter)
{
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
        EXPECT_EQ(List(list, dir, "", nullptr, r.flags), 1);
        EXPECT_EQ(list.GetFileName(0), CString(r.name));
    }
}

// --- Typed listing -------------------------------------------------------------

// An empty extension is passed over; .* matches every file again, so an entry matching
// two types is listed twice and the last match is selected.
TEST(SelFileTyped, TypesInTurnEachInSystemOrder)
{
    CString dir = MakeFolder("typed_order", {"z.BAK", "x.ABC", "w.bak", "q.TXT", "data.abc", "y.ABCD"});
    ASSERT_TRUE(CreateDirectoryA(dir + "\\sub", nullptr));
    std::vector<Row> want{{"before", 3, "before"}};   // a listing appends
    int last = -1;
    for (const char* ext : {".ABC", ".BAK", ""})
        for (const CString& n : SystemOrder(dir))
            if (n != "sub" && (!*ext || n.Right(4).CompareNoCase(ext) == 0)) {
                if (n == "data.abc") last = static_cast<int>(want.size());
                want.push_back({n, 0, n});
            }
    ASSERT_EQ(want.size(), 11u);   // x.ABCD is no .ABC file, whatever its short name
    CSelFileList list;
    list.Add("before", 3, nullptr);
    EXPECT_EQ(List(list, dir + "\\", "None||Data|.ABC|Backup|.BAK|All|.*", "DATA.ABC"), 10);
    ExpectRows(list, want);
    EXPECT_EQ(list.GetSelect(), last);
    CSelFileList folders;   // never "." or ".."
    EXPECT_EQ(List(folders, dir, "All|.*", nullptr, SELFILE_FOLDER), 1);
    EXPECT_EQ(folders.GetFileName(0), CString("sub"));
}

TEST(SelFileTyped, PreselectionIgnoresCaseOfSingleByteLettersOnly)
{
    // \x83\x61 and \x83\x41 are two different characters whose trail bytes are a and A.
    CString dir = MakeFolder("typed_case", {"\x95\x5C.ABC", "\x83\x61x.ABC", "data.ABC"});
    const struct {
        const char* sel;
        const char* want;   // null: no selection
    } rows[] = {{"\x95\x5C.abc", "\x95\x5C.ABC"}, {"\x83\x61X.abc", "\x83\x61x.ABC"}, {"\x83\x41x.ABC", nullptr},
                {"DATA.ABC", "data.ABC"},         {"data", nullptr}};
    for (const auto& r : rows) {
        SCOPED_TRACE(genbatest::Hex(r.sel));
        CSelFileList list;
        EXPECT_EQ(List(list, dir, "Data|.ABC", r.sel), 3);
        EXPECT_EQ(list.GetFileName(list.GetSelect()), CString(r.want ? r.want : ""));
    }
}

// --- The entry callback ----------------------------------------------------------

struct Seen {
    std::vector<CString> disp, path;
    void* data = nullptr;
    CString drop;   // name part of the path to leave out; "*" leaves out all
};

int Record(const CEnvironObj&, CString& disp, const CString& path, void* pData)
{
    Seen* seen = static_cast<Seen*>(pData);
    seen->disp.push_back(disp);
    seen->path.push_back(path);
    seen->data = pData;
    if (seen->drop == "*" || path.Right(seen->drop.GetLength() + 1) == "\\" + seen->drop) return 0;
    disp += "\tmemo \x95\x5C";
    return 1;
}

TEST(SelFileCallback, SeesEachKeptEntryWithItsPathAndChangesDisplayStrings)
{
    CString dir = MakeFolder("callback", {"a.001", "b.001", "c.00A", "x.txt"});
    CString first = FirstYielded(dir, {"a.001", "b.001"});
    Seen seen;
    seen.drop = "c.00A";
    CSelFileList list;
    list.Add("keep", 0, nullptr);
    list.Select(0);
    // The matching entry is left out by the callback: the selection stays.
    EXPECT_EQ(List(list, dir, "", "c.00A", 0, Record, &seen), 1);
    EXPECT_EQ(list.GetSelect(), 0);
    // Typed: the full name is offered, the path joined with one separator.
    EXPECT_EQ(List(list, dir + "\\", "Text|.TXT", "X.TXT", 0, Record, &seen), 1);
    EXPECT_EQ(list.GetSelect(), 2);
    EXPECT_EQ(seen.disp, (std::vector<CString>{first.Left(1), "c", "x.txt"}));   // once a number
    EXPECT_EQ(seen.path, (std::vector<CString>{dir + "\\" + first, dir + "\\c.00A", dir + "\\x.txt"}));
    EXPECT_EQ(seen.data, &seen);
    ExpectRows(list, {{"keep", 0, "keep"}, {first, 1, first.Left(1) + "\tmemo \x95\x5C"},
                      {"x.txt", 0, "x.txt\tmemo \x95\x5C"}});
    // Leaving everything out adds nothing and selects nothing.
    CSelFileList none;
    seen.drop = "*";
    EXPECT_EQ(List(none, dir, "", "a.001", 0, Record, &seen), 0);
    EXPECT_EQ(List(none, dir, "Text|.TXT", "x.txt", 0, Record, &seen), 0);
    EXPECT_EQ(none.GetCnt(), 0);
    EXPECT_EQ(none.GetSelect(), -1);
}

// --- List boxes and combo boxes ----------------------------------------------------

struct ListBoxKind {
    using Box = CListBox;
    static constexpr const char* cls = "LISTBOX";
    static constexpr DWORD plain = LBS_USETABSTOPS, sorted = LBS_SORT;
    static constexpr int err = LB_ERR;
    static void Make(const CSelFileList& l, Box& b) { l.MakeListBox(b); }
    static void Update(CSelFileList& l, const Box& b) { l.UpdateListBox(b); }
    static void Text(const Box& b, int i, CString& s) { b.GetText(i, s); }
};

struct ComboBoxKind {
    using Box = CComboBox;
    static constexpr const char* cls = "COMBOBOX";
    static constexpr DWORD plain = CBS_DROPDOWNLIST, sorted = CBS_DROPDOWNLIST | CBS_SORT;
    static constexpr int err = CB_ERR;
    static void Make(const CSelFileList& l, Box& b) { l.MakeComboBox(b); }
    static void Update(CSelFileList& l, const Box& b) { l.UpdateComboBox(b); }
    static void Text(const Box& b, int i, CString& s) { b.GetLBText(i, s); }
};

template <typename Kind>
class SelFileBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hParent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr,
                                    nullptr, nullptr);
        ASSERT_NE(m_hParent, nullptr);
        ASSERT_TRUE(m_plain.Attach(Child(Kind::plain)));
        ASSERT_TRUE(m_sorted.Attach(Child(Kind::sorted)));
        for (const char* n : {"m.001", "z.002", "a.003", "k.004"})
            m_entries.Add(n, 0, n[0] == 'z' ? "z\tcol" : nullptr);
    }
    void TearDown() override
    {
        CWnd::DetachDescendants(m_hParent);
        DestroyWindow(m_hParent);
    }
    HWND Child(DWORD style)
    {
        return CreateWindowExA(0, Kind::cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 200, m_hParent, nullptr,
                               nullptr, nullptr);
    }
    std::vector<CString> Texts(const typename Kind::Box& box)
    {
        std::vector<CString> t(static_cast<size_t>(box.GetCount()));
        for (size_t i = 0; i < t.size(); ++i) Kind::Text(box, static_cast<int>(i), t[i]);
        return t;
    }
    // Selects `row` in the box and reads it back into the entries.
    int Pick(typename Kind::Box& box, int row)
    {
        box.SetCurSel(row);
        Kind::Update(m_entries, box);
        return m_entries.GetSelect();
    }

    HWND m_hParent = nullptr;
    typename Kind::Box m_plain, m_sorted;
    CSelFileList m_entries;
};

using BoxKinds = ::testing::Types<ListBoxKind, ComboBoxKind>;
TYPED_TEST_SUITE(SelFileBoxTest, BoxKinds);

TYPED_TEST(SelFileBoxTest, ShowsEntriesAndTheSelectionLinkedByItemData)
{
    this->m_plain.AddString("old row");
    this->m_entries.Select(2);
    TypeParam::Make(this->m_entries, this->m_plain);
    EXPECT_EQ(this->Texts(this->m_plain), (std::vector<CString>{"m.001", "z\tcol", "a.003", "k.004"}));
    EXPECT_EQ(this->m_plain.GetItemData(3), 3u);
    EXPECT_EQ(this->m_plain.GetCurSel(), 2);
    EXPECT_NE(GetWindowLongA(this->m_plain.m_hWnd, GWL_STYLE) & WS_VISIBLE, 0);   // redrawing back on
    EXPECT_EQ(this->Pick(this->m_plain, 0), 0);
    EXPECT_EQ(this->Pick(this->m_plain, -1), -1);   // no row selected
    TypeParam::Make(this->m_entries, this->m_plain);
    EXPECT_EQ(this->m_plain.GetCurSel(), TypeParam::err);

    this->m_entries.Select(0);   // m.001, shown in row 2 once sorted
    TypeParam::Make(this->m_entries, this->m_sorted);
    EXPECT_EQ(this->Texts(this->m_sorted), (std::vector<CString>{"a.003", "k.004", "m.001", "z\tcol"}));
    const DWORD_PTR entryOfRow[] = {2, 3, 0, 1};
    for (int row = 0; row < 4; ++row) EXPECT_EQ(this->m_sorted.GetItemData(row), entryOfRow[row]) << row;
    EXPECT_EQ(this->m_sorted.GetCurSel(), 2);
    EXPECT_EQ(this->Pick(this->m_sorted, 3), 1);
}

TYPED_TEST(SelFileBoxTest, StaleSelectionAndForeignItemDataSelectNothing)
{
    this->m_entries.Select(3);
    this->m_entries.Clear();
    TypeParam::Make(this->m_entries, this->m_plain);
    EXPECT_EQ(this->m_plain.GetCount(), 0);
    EXPECT_EQ(this->m_plain.GetCurSel(), TypeParam::err);
    this->m_entries.Add("a", 1, nullptr);
    this->m_entries.Add("b", 2, nullptr);
    TypeParam::Make(this->m_entries, this->m_plain);   // selection 3 names no entry of two
    EXPECT_EQ(this->m_plain.GetCurSel(), TypeParam::err);
    EXPECT_EQ(this->m_entries.GetSelect(), 3);

    // Item data the list did not put there names no entry, however wide.
    // 2^32 + 1 would read as entry 1 if the value were narrowed first.
    const unsigned long long wide = sizeof(DWORD_PTR) > 4 ? (1ull << 32) + 1 : 1ull << 31;
    for (DWORD_PTR data : {DWORD_PTR(99), static_cast<DWORD_PTR>(-1), static_cast<DWORD_PTR>(wide)}) {
        this->m_plain.SetItemData(0, data);
        this->m_entries.Select(1);
        EXPECT_EQ(this->Pick(this->m_plain, 0), -1) << data;
    }
    typename TypeParam::Box none;   // no window: nothing shown, no current row
    this->m_entries.Select(1);
    TypeParam::Make(this->m_entries, none);
    EXPECT_EQ(this->m_entries.GetSelect(), 1);
    EXPECT_EQ(this->Pick(none, 0), -1);
}

} // namespace

// The dialog templates of genbaenv.dll, read back from the built library and compared
// control by control with the dialogs they must describe.
#include "resources/resource.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Item {
    int id;
    std::string cls, text;
    int x, y, cx, cy;
    DWORD style;
};

struct Template {
    int id;
    bool extended;
    DWORD style;
    std::string caption;
    int pointSize;
    std::string face;
    int cx, cy;
    std::vector<Item> items;
};

// Reads a template's words, failing (instead of reading past the end) when it is cut.
class Reader {
public:
    Reader(const BYTE* p, DWORD size) : m_p(p), m_end(p + size) {}
    bool ok() const { return m_ok; }
    template <typename T> T Get()
    {
        T v{};
        if (m_p + sizeof(T) > m_end) { m_ok = false; return v; }
        memcpy(&v, m_p, sizeof(T));
        m_p += sizeof(T);
        return v;
    }
    void Align() { while (reinterpret_cast<UINT_PTR>(m_p) % 4 && m_p < m_end) ++m_p; }
    // A string or an ordinal; the predefined control classes by name, texts as CP932.
    std::string SzOrOrd()
    {
        static const char* const kClasses[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
        WORD w = Get<WORD>();
        if (w == 0xFFFF) {
            WORD ord = Get<WORD>();
            return ord >= 0x80 && ord <= 0x85 ? kClasses[ord - 0x80] : "#" + std::to_string(ord);
        }
        std::wstring ws;
        for (; w && m_ok; w = Get<WORD>()) ws += static_cast<wchar_t>(w);
        std::string s(ws.size() * 2 + 1, '\0');
        int n = WideCharToMultiByte(932, 0, ws.c_str(), static_cast<int>(ws.size()), &s[0], static_cast<int>(s.size()), nullptr, nullptr);
        s.resize(n > 0 ? n : 0);
        return s;
    }

private:
    const BYTE* m_p;
    const BYTE* m_end;
    bool m_ok = true;
};

Template Parse(int id, const BYTE* p, DWORD size)
{
    Reader r(p, size);
    Template t{id, r.Get<WORD>() == 1 && r.Get<WORD>() == 0xFFFF, 0, "", 0, "", 0, 0, {}};
    r = Reader(p, size);
    if (t.extended) r.Get<DWORD>(), r.Get<DWORD>(), r.Get<DWORD>();   // version, help id, ex-style
    t.style = r.Get<DWORD>();
    if (!t.extended) r.Get<DWORD>();
    int count = r.Get<WORD>();
    r.Get<short>(), r.Get<short>();
    t.cx = r.Get<short>(), t.cy = r.Get<short>();
    r.SzOrOrd(), r.SzOrOrd();   // menu, class
    t.caption = r.SzOrOrd();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Get<WORD>();
        if (t.extended) r.Get<WORD>(), r.Get<WORD>();   // weight, italic and charset
        t.face = r.SzOrOrd();
    }
    for (int i = 0; i < count && r.ok(); ++i) {
        r.Align();
        Item it{};
        if (t.extended) r.Get<DWORD>(), r.Get<DWORD>();   // help id, ex-style
        it.style = r.Get<DWORD>();
        if (!t.extended) r.Get<DWORD>();
        it.x = r.Get<short>(), it.y = r.Get<short>(), it.cx = r.Get<short>(), it.cy = r.Get<short>();
        it.id = t.extended ? static_cast<int>(r.Get<DWORD>()) : r.Get<short>();
        it.cls = r.SzOrOrd();
        it.text = r.SzOrOrd();
        WORD extra = r.Get<WORD>();
        for (WORD b = 0; b < extra; ++b) r.Get<BYTE>();
        t.items.push_back(it);
    }
    EXPECT_TRUE(r.ok()) << "template " << id << " is cut short";
    return t;
}

const DWORD kChild = WS_CHILD | WS_VISIBLE, kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
const DWORD kOwnerDrawn = kChild | BS_OWNERDRAW | WS_TABSTOP;
const DWORD kList = kChild | LBS_NOTIFY | LBS_USETABSTOPS | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP;
const DWORD kLabel = kChild | SS_LEFT | WS_GROUP, kRight = kChild | SS_RIGHT | WS_GROUP;
const DWORD kEdit = kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
const DWORD kMulti = kChild | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_BORDER | WS_GROUP;
const char kOpenFace[] = "ＭＳ Ｐゴシック";

const Template kTemplates[] = {
    {1000, false, kModal, "ﾌｧｲﾙを開く", 10, kOpenFace, 289, 251, {
        {-1, "Static", "既存ﾌｧｲﾙ一覧(&L):", 7, 29, 79, 8, kLabel},
        {1000, "ListBox", "", 7, 38, 275, 209, kList | LBS_NOINTEGRALHEIGHT},
        {1, "Button", "OK(&O)", 7, 7, 50, 14, kOwnerDrawn | WS_GROUP},
        {2, "Button", "ｷｬﾝｾﾙ(&C)", 64, 7, 50, 14, kOwnerDrawn},
        {3, "Button", "ﾌｧｲﾙ削除(&D)", 138, 23, 50, 14, kOwnerDrawn | WS_GROUP}}},
    {1001, false, kModal, "ﾌｧｲﾙの保存", 10, kOpenFace, 289, 279, {
        {1005, "Static", "ﾌｧｲﾙﾀｲﾌﾟ(&T):", 117, 9, 41, 8, kRight},
        {1004, "ComboBox", "", 163, 7, 119, 161, kChild | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP},
        {1007, "Static", "備考(&M):", 117, 26, 25, 8, kRight},
        {1006, "Edit", "", 147, 24, 135, 12, kEdit},
        {-1, "Static", "保存ﾌｧｲﾙ名(&N):", 7, 30, 79, 8, kLabel},
        {1002, "Edit", "", 6, 39, 254, 12, kEdit},
        {1003, "Static", ".EXT", 264, 41, 18, 8, kLabel | SS_NOPREFIX},
        {-1, "Static", "既存ﾌｧｲﾙ一覧(&L):", 7, 58, 79, 8, kLabel},
        {1000, "ListBox", "", 7, 67, 275, 209, kList},
        {1, "Button", "OK(&O)", 7, 7, 50, 14, kOwnerDrawn | WS_GROUP},
        {2, "Button", "ｷｬﾝｾﾙ(&C)", 64, 7, 50, 14, kOwnerDrawn},
        {3, "Button", "ﾌｧｲﾙ削除(&D)", 138, 52, 50, 14, kOwnerDrawn | WS_GROUP}}},
    {1006, true, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT, "ﾊﾞｰｼﾞｮﾝ情報", 10, "ＭＳ ゴシック", 427, 297, {
        {2, "Button", "OK", 7, 7, 50, 14, kOwnerDrawn | WS_GROUP},
        {1010, "Static", "", 22, 29, 20, 20, kChild | SS_ICON | SS_CENTERIMAGE | SS_REALSIZEIMAGE | WS_GROUP},
        {1007, "Edit", "", 7, 78, 413, 212, kMulti | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP},
        {1011, "Edit", "", 65, 7, 258, 64, kMulti | ES_CENTER}}},
    {1007, false, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | DS_CONTROL | DS_3DLOOK | DS_SETFONT, "", 9, kOpenFace, 139, 78, {
        {1119, "Static", "Static", 1, 0, 137, 57, WS_CHILD | SS_LEFT | SS_SUNKEN | WS_GROUP},
        {1012, "Button", "現場ﾕｰｻﾞﾌｫﾙﾀﾞへ移動", 6, 59, 73, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP}}},
};

// The code names the templates and controls through the shared header.
static_assert(IDD_SELOPENFILE == 1000 && IDD_SELSAVEFILE == 1001 && IDD_VERSIONINFO == 1006 && IDD_CUSTFILE_PANEL == 1007, "");
static_assert(IDC_DELETE == 3 && IDC_FILELIST == 1000 && IDC_FILENAME == 1002 && IDC_EXTTEXT == 1003 && IDC_FILETYPE == 1004 &&
              IDC_FILETYPE_LABEL == 1005 && IDC_MEMO == 1006 && IDC_MEMO_LABEL == 1007, "");
static_assert(IDC_VERINFO_TEXT == 1007 && IDC_VERINFO_ICON == 1010 && IDC_VERINFO_HEADER == 1011 && IDC_MOVE_USERFOLDER == 1012, "");

TEST(Templates, EachMatchesItsDialogControlByControl)
{
    HMODULE lib = LoadLibraryA("genbaenv.dll");
    ASSERT_NE(lib, nullptr);
    for (const Template& want : kTemplates) {
        SCOPED_TRACE("template " + std::to_string(want.id));
        HRSRC found = FindResourceA(lib, MAKEINTRESOURCEA(want.id), MAKEINTRESOURCEA(5));   // RT_DIALOG
        ASSERT_NE(found, nullptr);
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(lib, found)));
        ASSERT_NE(data, nullptr);
        Template got = Parse(want.id, data, SizeofResource(lib, found));
        EXPECT_EQ(got.extended, want.extended);
        EXPECT_EQ(got.style, want.style) << std::hex << (got.style ^ want.style);
        EXPECT_EQ(genbatest::Hex(got.caption.c_str()), genbatest::Hex(want.caption.c_str()));
        EXPECT_EQ(got.pointSize, want.pointSize);
        EXPECT_EQ(genbatest::Hex(got.face.c_str()), genbatest::Hex(want.face.c_str()));
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
        ASSERT_EQ(got.items.size(), want.items.size());
        for (size_t i = 0; i < want.items.size(); ++i) {
            const Item &g = got.items[i], &w = want.items[i];
            SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(w.id));
            EXPECT_EQ(g.id, w.id);
            EXPECT_EQ(g.cls, w.cls);
            EXPECT_EQ(genbatest::Hex(g.text.c_str()), genbatest::Hex(w.text.c_str()));
            EXPECT_EQ((std::vector<int>{g.x, g.y, g.cx, g.cy}), (std::vector<int>{w.x, w.y, w.cx, w.cy}));
            EXPECT_EQ(g.style, w.style) << std::hex << (g.style ^ w.style);
        }
    }
    FreeLibrary(lib);
}

} // namespace

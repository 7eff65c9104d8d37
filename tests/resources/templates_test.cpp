// The dialog templates of genbaenv.dll, read back from the built library and compared
// control by control with the dialogs they must describe.
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A control, or first the dialog itself: 1 for an extended template, 0 for a plain
// one, then font size and face, caption, size and style.
struct Row {
    int id;
    std::string cls, text;
    int x, y, cx, cy;
    DWORD style;
};

std::string Describe(const Row& r)
{
    char rest[64];
    wsprintfA(rest, "] %d,%d %dx%d style %08lX", r.x, r.y, r.cx, r.cy, r.style);
    return std::to_string(r.id) + " " + r.cls + " [" + genbatest::Hex(r.text.c_str()) + rest;
}

// The rows of a template as the system reads it: texts as CP932, the system's control
// classes (ordinals 0x80 to 0x85) by name.
std::vector<Row> ReadTemplate(const BYTE* p)
{
    auto get = [&p](auto v) { memcpy(&v, p, sizeof v), p += sizeof v; return v; };
    auto word = [&] { return get(WORD{}); };
    auto text = [&]() -> std::string {
        static const char* const kClasses[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
        std::wstring ws;
        for (WORD c = word(); c; c = word()) {
            if (c == 0xFFFF && ws.empty()) return kClasses[(word() - 0x80) % 6];
            ws += static_cast<wchar_t>(c);
        }
        std::string s(ws.size() * 2, '\0');
        s.resize(WideCharToMultiByte(932, 0, ws.data(), static_cast<int>(ws.size()), &s[0], static_cast<int>(s.size()), nullptr, nullptr));
        return s;
    };
    const bool ex = *reinterpret_cast<const DWORD*>(p) == 0xFFFF0001;
    // Extended: signature, help id and extended style come first; plain: the extended style after.
    auto style = [&](int before) {
        while (before-- > 0) get(DWORD{});
        DWORD st = get(DWORD{});
        if (!ex) get(DWORD{});
        return st;
    };
    auto place = [&](Row& r) { r.x = short(word()), r.y = short(word()), r.cx = short(word()), r.cy = short(word()); };
    Row d{ex, "", "", 0, 0, 0, 0, style(ex ? 3 : 0)};
    int count = word();
    place(d);
    text(), text();   // menu, class
    d.text = text();
    if (d.style & DS_SETFONT) {
        d.cls = std::to_string(word()) + " ";
        if (ex) get(DWORD{});   // weight, italic, character set
        d.cls += text();
    }
    std::vector<Row> rows{d};
    while (count-- > 0) {
        p += (4 - reinterpret_cast<UINT_PTR>(p) % 4) % 4;
        Row r{};
        r.style = style(ex ? 2 : 0);
        place(r);
        r.id = ex ? static_cast<int>(get(DWORD{})) : short(word());
        r.cls = text();
        r.text = text();
        p += word();   // creation data
        rows.push_back(r);
    }
    return rows;
}

const DWORD kChild = WS_CHILD | WS_VISIBLE, kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
const DWORD kOwnerDrawn = kChild | BS_OWNERDRAW | WS_TABSTOP;
const DWORD kList = kChild | LBS_NOTIFY | LBS_USETABSTOPS | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP;
const DWORD kLabel = kChild | SS_LEFT | WS_GROUP, kRight = kChild | SS_RIGHT | WS_GROUP;
const DWORD kEdit = kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
const DWORD kMulti = kChild | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_BORDER | WS_GROUP;

const std::vector<Row> kOpen = {
    {0, "10 ＭＳ Ｐゴシック", "ﾌｧｲﾙを開く", 0, 0, 289, 251, kModal},
    {-1, "Static", "既存ﾌｧｲﾙ一覧(&L):", 7, 29, 79, 8, kLabel},
    {1000, "ListBox", "", 7, 38, 275, 209, kList | LBS_NOINTEGRALHEIGHT},
    {1, "Button", "OK(&O)", 7, 7, 50, 14, kOwnerDrawn | WS_GROUP},
    {2, "Button", "ｷｬﾝｾﾙ(&C)", 64, 7, 50, 14, kOwnerDrawn},
    {3, "Button", "ﾌｧｲﾙ削除(&D)", 138, 23, 50, 14, kOwnerDrawn | WS_GROUP}};
const std::vector<Row> kSave = {
    {0, "10 ＭＳ Ｐゴシック", "ﾌｧｲﾙの保存", 0, 0, 289, 279, kModal},
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
    {3, "Button", "ﾌｧｲﾙ削除(&D)", 138, 52, 50, 14, kOwnerDrawn | WS_GROUP}};
const std::vector<Row> kVersion = {
    {1, "10 ＭＳ ゴシック", "ﾊﾞｰｼﾞｮﾝ情報", 0, 0, 427, 297, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT},
    {2, "Button", "OK", 7, 7, 50, 14, kOwnerDrawn | WS_GROUP},
    {1010, "Static", "", 22, 29, 20, 20, kChild | SS_ICON | SS_CENTERIMAGE | SS_REALSIZEIMAGE | WS_GROUP},
    {1007, "Edit", "", 7, 78, 413, 212, kMulti | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP},
    {1011, "Edit", "", 65, 7, 258, 64, kMulti | ES_CENTER}};
const std::vector<Row> kPanel = {
    {0, "9 ＭＳ Ｐゴシック", "", 0, 0, 139, 78, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | DS_CONTROL | DS_3DLOOK | DS_SETFONT},
    {1119, "Static", "Static", 1, 0, 137, 57, WS_CHILD | SS_LEFT | SS_SUNKEN | WS_GROUP},
    {1012, "Button", "現場ﾕｰｻﾞﾌｫﾙﾀﾞへ移動", 6, 59, 73, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP}};

TEST(Templates, EachMatchesItsDialogControlByControl)
{
    HMODULE lib = LoadLibraryA("genbaenv.dll");
    ASSERT_NE(lib, nullptr);
    const std::pair<int, const std::vector<Row>*> templates[] = {{1000, &kOpen}, {1001, &kSave}, {1006, &kVersion}, {1007, &kPanel}};
    for (const auto& t : templates) {
        SCOPED_TRACE("template " + std::to_string(t.first));
        HRSRC found = FindResourceA(lib, MAKEINTRESOURCEA(t.first), MAKEINTRESOURCEA(5));   // RT_DIALOG
        const void* data = found ? LockResource(LoadResource(lib, found)) : nullptr;
        ASSERT_NE(data, nullptr);
        const std::vector<Row> got = ReadTemplate(static_cast<const BYTE*>(data)), &want = *t.second;
        for (size_t i = 0; i < std::max(got.size(), want.size()); ++i)
            EXPECT_EQ(i < got.size() ? Describe(got[i]) : "", i < want.size() ? Describe(want[i]) : "") << "row " << i;
    }
    FreeLibrary(lib);
}

} // namespace

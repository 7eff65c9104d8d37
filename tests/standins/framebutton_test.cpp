// CFrameButton on a dialog's owner-drawn button: the look it takes, the faces it draws
// and the push button it stays.
#include <formkit.h>
#include <uipack.h>

#include <genbafw/handle.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const int kDialog = 100, kButton = 100, kEdit = 101;

int g_nClicks = 0;

// As a dialog hands WM_DRAWITEM on: to the object attached to the item, through the
// button's virtual DrawItem (the only way a consumer reaches it).
void DrawAttached(DRAWITEMSTRUCT* dis)
{
    if (CWnd* w = CWnd::FromHandlePermanent(dis->hwndItem)) static_cast<CButton*>(w)->DrawItem(dis);
}

INT_PTR CALLBACK ButtonDialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DRAWITEM && wParam == kButton) {
        DrawAttached(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    if (msg == WM_COMMAND && wParam == MAKEWPARAM(kButton, BN_CLICKED)) ++g_nClicks;
    return msg == WM_INITDIALOG;
}

struct Image {
    int w, h;
    std::vector<DWORD> px;
    DWORD At(int x, int y) const { return px[y * w + x]; }
    bool Dark(int x, int y) const
    {
        DWORD c = At(x, y);
        return (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) / 10 < 64;
    }
    // Dark pixels inside the frame, and the first and last columns that hold one.
    int DarkInside(int* first = nullptr, int* last = nullptr) const
    {
        int n = 0, lo = w, hi = -1;
        for (int y = 5; y < h - 5; ++y)
            for (int x = 5; x < w - 5; ++x)
                if (Dark(x, y)) ++n, lo = std::min(lo, x), hi = std::max(hi, x);
        if (first) *first = lo;
        if (last) *last = hi;
        return n;
    }
};

// Runs paint on a memory DC holding a 32-bit top-down bitmap and returns the pixels.
template <typename Paint>
Image PaintImage(int w, int h, Paint paint)
{
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    genba::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    genba::UniqueBitmap bmp(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bmp || !bits) {
        ADD_FAILURE() << "no bitmap";
        return {w, h, std::vector<DWORD>(w * h)};
    }
    {
        genba::ScopedSelect pick(dc.get(), bmp.get());
        paint(dc.get());
        GdiFlush();
    }
    const DWORD* p = static_cast<const DWORD*>(bits);
    return {w, h, std::vector<DWORD>(p, p + w * h)};
}

class FrameButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kDialog), nullptr, ButtonDialogProc, 0);
        ASSERT_NE(m_hDlg, nullptr);
        m_hButton = GetDlgItem(m_hDlg, kButton);
        ASSERT_TRUE(m_button.Attach(m_hButton));
        RECT rc;
        GetClientRect(m_hButton, &rc);
        m_w = rc.right, m_h = rc.bottom;
        ShowWindow(m_hDlg, SW_SHOW);
        SetFocus(GetDlgItem(m_hDlg, kEdit));
    }
    void TearDown() override
    {
        m_button.Detach();
        if (m_hDlg) DestroyWindow(m_hDlg);
    }
    Image Draw(UINT state)
    {
        return PaintImage(m_w, m_h, [&](HDC dc) {
            DRAWITEMSTRUCT dis{ODT_BUTTON, kButton, 0, ODA_DRAWENTIRE, state, m_hButton, dc, {0, 0, m_w, m_h}, 0};
            DrawAttached(&dis);
        });
    }
    Image Screen()
    {
        RedrawWindow(m_hButton, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return PaintImage(m_w, m_h, [&](HDC dc) {
            genba::WindowDC src(m_hButton, GetWindowDC(m_hButton));
            BitBlt(dc, 0, 0, m_w, m_h, src.get(), 0, 0, SRCCOPY);
        });
    }

    HWND m_hDlg = nullptr, m_hButton = nullptr;
    CFrameButton m_button;
    int m_w = 0, m_h = 0;
};

TEST_F(FrameButtonTest, TakesTheLookOfItsImage)
{
    DWORD ok = GetLookHandle(1000), cancel = GetLookHandle(1001), del = GetLookHandle(1026);
    EXPECT_TRUE(ok && cancel && del && ok != cancel && cancel != del && ok != del);
    EXPECT_EQ(GetLookHandle(1002), 0u);

    FrameButtonLook look{};
    look.dwWords[0] = look.dwWords[1] = del;
    m_button.SetLook(&look, 1, 1);
    m_button.EnableLook(1);
    look.dwWords[0] = 0;   // the button keeps its own copy
    EXPECT_EQ(m_button.GetLook().dwWords[0], del);
    EXPECT_EQ(m_button.GetLook().dwWords[1], del);
    EXPECT_TRUE(m_button.IsLookEnabled());
}

// One row per face, no two alike: the default frame runs round the outer edge in the
// window-frame colour; only the disabled face draws its text in grey.
TEST_F(FrameButtonTest, DrawsEachFaceOfAPushButton)
{
    struct Row { const char* name; UINT state; bool dialogDefault, framed, darkText; };
    const Row rows[] = {
        {"plain", 0, false, false, true},
        {"pressed", ODS_SELECTED, false, false, true},
        {"focused", ODS_FOCUS, false, true, true},
        {"default", 0, true, true, true},
        {"disabled", ODS_DISABLED, false, false, false},
    };
    const COLORREF c = GetSysColor(COLOR_WINDOWFRAME);
    const DWORD frame = RGB(GetBValue(c), GetGValue(c), GetRValue(c));   // as a DIB holds it
    std::vector<Image> faces;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SendMessageA(m_hDlg, DM_SETDEFID, r.dialogDefault ? kButton : kEdit, 0);
        Image img = Draw(r.state);
        EXPECT_EQ(img.At(0, m_h / 2) == frame, r.framed);
        EXPECT_EQ(img.DarkInside() > 0, r.darkText);
        for (size_t i = 0; i < faces.size(); ++i) EXPECT_NE(img.px, faces[i].px) << "same as " << rows[i].name;
        faces.push_back(img);
    }
}

// & underlines the next letter and takes no room of its own.
TEST_F(FrameButtonTest, DrawsTheMnemonicUnderlined)
{
    int first = 0, last = 0, firstPlain = 0, lastPlain = 0;
    Image mnemonic = Draw(0);
    m_button.SetWindowText("OK");
    Image plain = Draw(0);
    mnemonic.DarkInside(&first, &last);
    plain.DarkInside(&firstPlain, &lastPlain);
    EXPECT_EQ(first, firstPlain);
    EXPECT_EQ(last, lastPlain);
    EXPECT_NE(mnemonic.px, plain.px);
}

// Drawn by the dialog's WM_DRAWITEM, greyed when disabled, and a click is still one.
TEST_F(FrameButtonTest, DialogDrawsItAndItsClicksArrive)
{
    EXPECT_GT(Screen().DarkInside(), 0);
    m_button.EnableWindow(FALSE);
    Image disabled = Screen();
    EXPECT_EQ(disabled.DarkInside(), 0);
    EXPECT_NE(disabled.px, std::vector<DWORD>(disabled.px.size(), disabled.px[m_w / 2]));
    m_button.EnableWindow(TRUE);
    g_nClicks = 0;
    m_button.SendMessage(BM_CLICK);
    EXPECT_EQ(g_nClicks, 1);
}

} // namespace

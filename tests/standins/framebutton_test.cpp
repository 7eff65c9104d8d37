// CFrameButton on a dialog's owner-drawn button: the look it keeps, the faces it draws
// and the push button it stays.
#include <formkit.h>
#include <uipack.h>

#include <genbafw/handle.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const int kButton = 100, kEdit = 101;
int g_nClicks = 0;

// As a dialog hands WM_DRAWITEM on: to the item's object, through the virtual DrawItem.
void DrawAttached(DRAWITEMSTRUCT* dis)
{
    if (CWnd* w = CWnd::FromHandlePermanent(dis->hwndItem)) static_cast<CButton*>(w)->DrawItem(dis);
}

INT_PTR CALLBACK ButtonDialogProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DRAWITEM) DrawAttached(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (msg == WM_COMMAND && wParam == MAKEWPARAM(kButton, BN_CLICKED)) ++g_nClicks;
    return msg == WM_INITDIALOG || msg == WM_DRAWITEM;
}

class FrameButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(100), nullptr, ButtonDialogProc, 0);
        ASSERT_TRUE(m_hDlg && m_button.Attach(GetDlgItem(m_hDlg, kButton)));
        GetClientRect(m_button.m_hWnd, &m_rc);
        ShowWindow(m_hDlg, SW_SHOW);
        SetFocus(GetDlgItem(m_hDlg, kEdit));
    }
    void TearDown() override
    {
        m_button.Detach();
        DestroyWindow(m_hDlg);
    }
    // The button's pixels (0x00RRGGBB) as DrawItem paints them for state, or (screen)
    // as the dialog's own painting left them.
    std::vector<DWORD> Paint(UINT state, bool screen = false)
    {
        BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), m_rc.right, -m_rc.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* bits = nullptr;
        genba::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        genba::UniqueBitmap bmp(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bmp) return {};
        genba::ScopedSelect pick(dc.get(), bmp.get());
        DRAWITEMSTRUCT dis{ODT_BUTTON, kButton, 0, ODA_DRAWENTIRE, state, m_button.m_hWnd, dc.get(), m_rc, 0};
        if (screen) {
            RedrawWindow(m_button.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            genba::WindowDC src(m_button.m_hWnd, GetWindowDC(m_button.m_hWnd));
            BitBlt(dc.get(), 0, 0, m_rc.right, m_rc.bottom, src.get(), 0, 0, SRCCOPY);
        } else {
            DrawAttached(&dis);
        }
        GdiFlush();
        return std::vector<DWORD>(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + m_rc.right * m_rc.bottom);
    }
    // Text pixels: dark ones inside the frame (grey text has none).
    int DarkInside(const std::vector<DWORD>& px) const
    {
        int n = 0;
        for (int y = 5; y < m_rc.bottom - 5; ++y)
            for (int x = 5; x < m_rc.right - 5; ++x) {
                DWORD c = px[y * m_rc.right + x];
                n += (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) < 640;
            }
        return n;
    }

    HWND m_hDlg = nullptr;
    CFrameButton m_button;
    RECT m_rc{};
};

TEST_F(FrameButtonTest, KeepsACopyOfTheLookOfItsImage)
{
    DWORD ok = GetLookHandle(1000), cancel = GetLookHandle(1001), del = GetLookHandle(1026);
    EXPECT_TRUE(ok && cancel && del && ok != cancel && cancel != del && ok != del && !GetLookHandle(1002));
    FrameButtonLook look{};
    look.dwWords[0] = look.dwWords[1] = del;
    m_button.SetLook(&look, 1, 1);
    m_button.EnableLook(1);
    look.dwWords[0] = 0;
    EXPECT_TRUE(m_button.GetLook().dwWords[0] == del && m_button.IsLookEnabled());
}

// No two faces alike; the default frame runs round the edge in the window-frame colour;
// & underlines and takes no room ("O&K" is "OK" but for one or two rows). Grey text is
// checked on the dialog's own painting below.
TEST_F(FrameButtonTest, DrawsEachFaceOfAPushButton)
{
    struct Row { const char* name; UINT state; bool dialogDefault, framed; };
    const Row rows[] = {{"plain", 0, false, false},       {"pressed", ODS_SELECTED, false, false},
                        {"focused", ODS_FOCUS, false, true}, {"default", 0, true, true},
                        {"disabled", ODS_DISABLED, false, false}, {"no mnemonic", 0, false, false}};
    const COLORREF c = GetSysColor(COLOR_WINDOWFRAME);
    std::vector<std::vector<DWORD>> faces;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        if (r.name[0] == 'n') m_button.SetWindowText("OK");
        SendMessageA(m_hDlg, DM_SETDEFID, r.dialogDefault ? kButton : kEdit, 0);
        std::vector<DWORD> px = Paint(r.state);
        ASSERT_FALSE(px.empty());
        EXPECT_EQ(px[m_rc.right * (m_rc.bottom / 2)] == RGB(GetBValue(c), GetGValue(c), GetRValue(c)), r.framed);
        for (size_t i = 0; i < faces.size(); ++i) EXPECT_NE(px, faces[i]) << "same as " << rows[i].name;
        faces.push_back(px);
    }
    int rowsApart = 0;
    for (int y = 0, w = m_rc.right; y < m_rc.bottom; ++y)
        rowsApart += !std::equal(&faces[0][y * w], &faces[0][y * w + w], &faces.back()[y * w]);
    EXPECT_LE(rowsApart, 2);
}

// Drawn through the dialog's WM_DRAWITEM, greyed when disabled, and a click is still one.
TEST_F(FrameButtonTest, DialogDrawsItAndItsClicksArrive)
{
    EXPECT_GT(DarkInside(Paint(0, true)), 0);
    m_button.EnableWindow(FALSE);
    EXPECT_EQ(DarkInside(Paint(0, true)), 0);
    m_button.EnableWindow(TRUE);
    m_button.SendMessage(BM_CLICK);
    EXPECT_EQ(g_nClicks, 1);
}

} // namespace

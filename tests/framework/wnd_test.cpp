// The window classes on real windows, made headless through Wine's null driver: the
// binding of objects to windows, the child table, CP932 text, and rows read back. The
// other members forward one message each and are seen through the dialogs' tests.
#include <genbafw/wnd.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

namespace {

const int kListId = 100, kEditId = 103;

class WndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hParent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                    nullptr, nullptr);
        ASSERT_NE(m_hParent, nullptr);
        m_hList = MakeChild("LISTBOX", LBS_NOTIFY, kListId);
        m_hEdit = MakeChild("EDIT", ES_AUTOHSCROLL, kEditId);
    }
    void TearDown() override { DestroyWindow(m_hParent); }
    HWND MakeChild(const char* cls, DWORD style, int id)
    {
        return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 100, m_hParent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    HWND m_hParent = nullptr, m_hList = nullptr, m_hEdit = nullptr;
};

TEST_F(WndTest, OneObjectPerWindowUntilDetachedOrDestroyed)
{
    CWnd a, b;
    EXPECT_FALSE(a.Attach(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7654321))));   // not a window
    EXPECT_TRUE(a.Attach(m_hList));
    EXPECT_TRUE(a.Attach(m_hList));                 // the window it holds
    EXPECT_FALSE(a.Attach(m_hEdit));                // holds another: detach first
    EXPECT_FALSE(b.Attach(m_hList));                // taken by a
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hList), &a);
    EXPECT_EQ(a.Detach(), m_hList);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hList), nullptr);
    EXPECT_TRUE(IsWindow(m_hList));                 // never destroyed by the wrapper
    {
        CWnd scoped;
        ASSERT_TRUE(scoped.Attach(m_hEdit));
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hEdit), nullptr);   // destruction detaches
    CListBox list;
    CEdit edit;
    ASSERT_TRUE(list.Attach(m_hList) && edit.Attach(m_hEdit));
    CWnd::DetachDescendants(m_hParent);
    EXPECT_TRUE(list.m_hWnd == nullptr && edit.m_hWnd == nullptr);
}

TEST_F(WndTest, GetDlgItemKeepsOneObjectPerId)
{
    CWnd parent;
    ASSERT_TRUE(parent.Attach(m_hParent));
    EXPECT_EQ(parent.GetDlgItem(999), nullptr);
    CWnd* edit = parent.GetDlgItem(kEditId);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(parent.GetDlgItem(kEditId), edit);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hEdit), nullptr);   // not an attachment
    CListBox list;
    ASSERT_TRUE(list.Attach(m_hList));
    EXPECT_EQ(parent.GetDlgItem(kListId), &list);             // a bound control is its own object
    DestroyWindow(m_hEdit);
    m_hEdit = MakeChild("EDIT", 0, kEditId);                  // made anew under the same id
    EXPECT_EQ(parent.GetDlgItem(kEditId), edit);
    EXPECT_EQ(edit->m_hWnd, m_hEdit);
    parent.Detach();
}

TEST_F(WndTest, TextsKeepTheirCp932Bytes)
{
    CListBox list;
    CEdit edit;
    ASSERT_TRUE(list.Attach(m_hList) && edit.Attach(m_hEdit));
    for (const char* text : {"\x95\x5C\x83\x5C\x94\x5C", "\x83\x7C|\tx", "\xCC\xA7\xB2\xD9"}) {
        CString read("stale");
        edit.SetWindowText(text);
        edit.GetWindowText(read);
        EXPECT_EQ(read, CString(text)) << genbatest::Hex(text);
        list.AddString(text);
        list.GetText(list.GetCount() - 1, read = "stale");
        EXPECT_EQ(read, CString(text)) << genbatest::Hex(text);
    }
    CString read("stale");
    list.GetText(99, read);   // no such row
    EXPECT_TRUE(read.IsEmpty());
    const DWORD_PTR wide = ~static_cast<DWORD_PTR>(0) - 5;   // every bit of a pointer
    EXPECT_NE(list.SetItemData(0, wide), LB_ERR);
    EXPECT_EQ(list.GetItemData(0), wide);
}

// Without a window nothing happens: no message to the thread, no screen invalidated.
TEST(Wnd, NoWindowDoesNothing)
{
    CWnd none;
    EXPECT_FALSE(none.PostMessage(WM_USER + 9));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), WM_USER + 9, WM_USER + 9, PM_REMOVE));
    EXPECT_EQ(none.GetDlgItem(kEditId), nullptr);
    CString text("stale");
    none.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
    CListBox list;
    EXPECT_EQ(list.AddString("x"), LB_ERR);
    EXPECT_EQ(list.GetItemData(0), static_cast<DWORD_PTR>(LB_ERR));
}

} // namespace

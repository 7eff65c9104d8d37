// The window classes on real windows, made headless through Wine's null driver.
#include <genbafw/wnd.h>

#include "support/testsupport.h"

#include <gtest/gtest.h>

namespace {

const int kListId = 100, kComboId = 102, kEditId = 103, kStaticId = 104, kCheckId = 105;

// A top-level window with one control of each kind, destroyed with the test.
class WndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hParent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                    nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hParent, nullptr);
        m_hList = MakeChild("LISTBOX", LBS_NOTIFY | LBS_USETABSTOPS, kListId);
        m_hCombo = MakeChild("COMBOBOX", CBS_DROPDOWNLIST, kComboId);
        m_hEdit = MakeChild("EDIT", ES_AUTOHSCROLL, kEditId);
        m_hStatic = MakeChild("STATIC", SS_LEFT, kStaticId);
        m_hCheck = MakeChild("BUTTON", BS_AUTOCHECKBOX, kCheckId);
    }
    void TearDown() override
    {
        if (m_hParent) DestroyWindow(m_hParent);
    }
    HWND MakeChild(const char* cls, DWORD style, int id, HWND parent = nullptr)
    {
        HWND h = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 100, parent ? parent : m_hParent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        EXPECT_NE(h, nullptr) << cls;
        return h;
    }

    HWND m_hParent = nullptr, m_hList = nullptr, m_hCombo = nullptr;
    HWND m_hEdit = nullptr, m_hStatic = nullptr, m_hCheck = nullptr;
};

// --- Attach, Detach, FromHandlePermanent, DetachDescendants ------------------------

TEST_F(WndTest, AttachBindsOneObjectPerWindow)
{
    CWnd a, b;
    EXPECT_FALSE(a.Attach(nullptr));
    EXPECT_FALSE(a.Attach(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7654321))));   // not a window
    EXPECT_EQ(a.m_hWnd, nullptr);

    EXPECT_TRUE(a.Attach(m_hList));
    EXPECT_TRUE(a.Attach(m_hList));                 // the window it holds
    EXPECT_FALSE(a.Attach(m_hEdit));                // holds another: detach first
    EXPECT_FALSE(b.Attach(m_hList));                // taken by a
    EXPECT_EQ(b.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hList), &a);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hEdit), nullptr);

    EXPECT_EQ(a.Detach(), m_hList);
    EXPECT_EQ(a.Detach(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hList), nullptr);
    EXPECT_TRUE(b.Attach(m_hList));
    EXPECT_TRUE(IsWindow(m_hList));                 // never destroyed by the wrapper

    {
        CWnd scoped;
        ASSERT_TRUE(scoped.Attach(m_hEdit));
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hEdit), nullptr);   // destruction detaches
    EXPECT_TRUE(IsWindow(m_hEdit));
}

TEST_F(WndTest, DetachDescendantsLeavesTheParentAndOthersAttached)
{
    CWnd parent, other;
    CListBox list;
    CEdit edit;
    HWND hOther = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent.Attach(m_hParent) && list.Attach(m_hList) && edit.Attach(m_hEdit) && other.Attach(hOther));

    CWnd::DetachDescendants(m_hParent);
    EXPECT_EQ(list.m_hWnd, nullptr);
    EXPECT_EQ(edit.m_hWnd, nullptr);
    EXPECT_EQ(parent.m_hWnd, m_hParent);
    EXPECT_EQ(other.m_hWnd, hOther);
    other.Detach();
    DestroyWindow(hOther);
}

TEST_F(WndTest, DetachDescendantsCopesWithAttachedTableObjects)
{
    // An object from GetDlgItem's table, attached, and freed when its parent's object
    // is detached: the walk must not step onto it afterwards.
    HWND hMiddle = MakeChild("STATIC", 0, 0);
    HWND hInner = MakeChild("EDIT", 0, 7, hMiddle);
    CWnd middle;
    middle.m_hWnd = hMiddle;
    CWnd* inner = middle.GetDlgItem(7);
    ASSERT_NE(inner, nullptr);
    ASSERT_TRUE(inner->Attach(hInner));
    ASSERT_TRUE(middle.Attach(hMiddle));   // now ahead of the inner object
    CWnd::DetachDescendants(m_hParent);
    EXPECT_EQ(middle.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hInner), nullptr);
}

// --- GetDlgItem ------------------------------------------------------------------

TEST_F(WndTest, GetDlgItemKeepsOneObjectPerId)
{
    CWnd parent;
    ASSERT_TRUE(parent.Attach(m_hParent));
    EXPECT_EQ(parent.GetDlgItem(999), nullptr);

    CWnd* edit = parent.GetDlgItem(kEditId);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->m_hWnd, m_hEdit);
    EXPECT_EQ(parent.GetDlgItem(kEditId), edit);
    EXPECT_EQ(edit->GetDlgCtrlID(), kEditId);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hEdit), nullptr);   // not an attachment

    // A control attached to its own object is found as that object.
    CListBox list;
    ASSERT_TRUE(list.Attach(m_hList));
    EXPECT_EQ(parent.GetDlgItem(kListId), &list);

    // A control made anew under the same id.
    DestroyWindow(m_hEdit);
    m_hEdit = MakeChild("EDIT", 0, kEditId);
    EXPECT_EQ(parent.GetDlgItem(kEditId), edit);
    EXPECT_EQ(edit->m_hWnd, m_hEdit);
}

// --- CWnd operations -------------------------------------------------------------

TEST_F(WndTest, WindowTextKeepsCp932Bytes)
{
    CStatic label;
    ASSERT_TRUE(label.Attach(m_hStatic));
    for (const char* text : {"", "\x95\x5C\x83\x5C\x94\x5C", "\x83\x7C|\tx", "\xCC\xA7\xB2\xD9"}) {
        SCOPED_TRACE(genbatest::Hex(text));
        label.SetWindowText(text);
        CString read("stale");
        label.GetWindowText(read);
        EXPECT_EQ(read, CString(text));
        EXPECT_EQ(label.GetWindowTextLength(), static_cast<int>(strlen(text)));
    }
    label.SetWindowText(nullptr);
    CString read("stale");
    label.GetWindowText(read);
    EXPECT_TRUE(read.IsEmpty());
}

TEST_F(WndTest, EnableShowRedrawPostAndSend)
{
    CWnd w, top;
    ASSERT_TRUE(w.Attach(m_hEdit) && top.Attach(m_hParent));
    EXPECT_FALSE(w.EnableWindow(FALSE));   // was enabled
    EXPECT_FALSE(w.IsWindowEnabled());
    EXPECT_TRUE(w.EnableWindow(TRUE));     // was disabled
    EXPECT_TRUE(w.ShowWindow(SW_HIDE));    // was visible
    EXPECT_FALSE(w.IsWindowVisible());
    EXPECT_FALSE(w.ShowWindow(SW_SHOWNA));
    EXPECT_TRUE(w.IsWindowVisible());

    // Redrawing off hides the window from painting; on gives it back.
    top.SetRedraw(FALSE);
    EXPECT_EQ(GetWindowLongA(m_hParent, GWL_STYLE) & WS_VISIBLE, 0);
    top.SetRedraw(TRUE);
    EXPECT_NE(GetWindowLongA(m_hParent, GWL_STYLE) & WS_VISIBLE, 0);

    EXPECT_TRUE(top.PostMessage(WM_USER + 7, 1, 2));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, m_hParent, WM_USER + 7, WM_USER + 7, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(top.SendMessage(WM_GETTEXTLENGTH), 6);   // "parent"
}

TEST_F(WndTest, NoWindowDoesNothing)
{
    CWnd none;
    EXPECT_FALSE(none.PostMessage(WM_USER + 9));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), WM_USER + 9, WM_USER + 9, PM_REMOVE));   // no thread message
    EXPECT_EQ(none.SendMessage(WM_GETTEXTLENGTH), 0);
    EXPECT_EQ(none.GetDlgItem(kEditId), nullptr);
    EXPECT_FALSE(none.EnableWindow(TRUE));
    CString text("stale");
    none.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());

    CListBox list;
    EXPECT_EQ(list.AddString("x"), LB_ERR);
    EXPECT_EQ(list.GetItemData(0), static_cast<DWORD_PTR>(LB_ERR));
    list.GetText(0, text = "stale");
    EXPECT_TRUE(text.IsEmpty());
    CComboBox combo;
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.GetItemData(0), static_cast<DWORD_PTR>(CB_ERR));
}

// --- CListBox and CComboBox: their rows behave alike (LB_ERR and CB_ERR are both -1) ----

void Text(const CListBox& box, int i, CString& s) { box.GetText(i, s); }
void Text(const CComboBox& box, int i, CString& s) { box.GetLBText(i, s); }
int TextLen(const CListBox& box, int i) { return box.GetTextLen(i); }
int TextLen(const CComboBox& box, int i) { return box.GetLBTextLen(i); }

template <class Box>
void ExpectRowOperations(Box& box)
{
    EXPECT_EQ(box.AddString("data.ABC\tmemo"), 0);
    EXPECT_EQ(box.AddString("\x95\x5C\x83\x7C"), 1);
    EXPECT_EQ(box.InsertString(0, "first"), 0);
    EXPECT_EQ(box.GetCount(), 3);
    CString text;
    Text(box, 1, text);
    EXPECT_EQ(text, CString("data.ABC\tmemo"));   // tabs kept
    Text(box, 2, text);
    EXPECT_EQ(text, CString("\x95\x5C\x83\x7C"));
    EXPECT_EQ(TextLen(box, 2), 4);
    Text(box, 3, text = "stale");
    EXPECT_TRUE(text.IsEmpty());

    EXPECT_EQ(box.FindStringExact(-1, "DATA.abc\tMEMO"), 1);   // no case
    EXPECT_EQ(box.FindStringExact(-1, "data"), -1);            // whole text only
    EXPECT_EQ(box.FindString(-1, "data"), 1);                  // prefix

    const DWORD_PTR wide = ~static_cast<DWORD_PTR>(0) - 5;     // every bit of a pointer
    EXPECT_NE(box.SetItemData(2, wide), -1);
    EXPECT_EQ(box.GetItemData(2), wide);
    EXPECT_EQ(box.GetItemData(7), static_cast<DWORD_PTR>(-1));

    EXPECT_EQ(box.SetCurSel(2), 2);
    EXPECT_EQ(box.GetCurSel(), 2);
    box.SetCurSel(-1);
    EXPECT_EQ(box.GetCurSel(), -1);
    EXPECT_EQ(box.DeleteString(0), 2);   // rows left
    EXPECT_EQ(box.DeleteString(5), -1);
    box.ResetContent();
    EXPECT_EQ(box.GetCount(), 0);
}

TEST_F(WndTest, ListBoxRows)
{
    CListBox list;
    ASSERT_TRUE(list.Attach(m_hList));
    EXPECT_TRUE(list.SetTabStops(160));
    const int stops[] = {40, 80};
    EXPECT_TRUE(list.SetTabStops(2, stops));
    ExpectRowOperations(list);
}

TEST_F(WndTest, ComboBoxRows)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Attach(m_hCombo));
    ExpectRowOperations(combo);
    EXPECT_FALSE(combo.SetEditSel(0, 1));   // a drop-down list has no edit part
}

// --- CEdit, CButton --------------------------------------------------------------

TEST_F(WndTest, EditSelectionLimitUndoAndModify)
{
    CEdit edit;
    ASSERT_TRUE(edit.Attach(m_hEdit));
    edit.SetWindowText("abcdef");
    edit.SetSel(1, 3);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);

    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.GetModify());
    edit.ReplaceSel("XY", TRUE);
    EXPECT_TRUE(edit.CanUndo());
    edit.EmptyUndoBuffer();
    EXPECT_FALSE(edit.CanUndo());
    edit.SetModify(TRUE);
    EXPECT_TRUE(edit.GetModify());

    edit.LimitText(8);
    EXPECT_EQ(edit.GetLimitText(), 8u);
    edit.SetSel(6, 6);
    edit.ReplaceSel("123456");   // typing-like input stops at the limit
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString("aXYdef12"));

    EXPECT_TRUE(edit.SetReadOnly(TRUE));
    EXPECT_NE(GetWindowLongA(m_hEdit, GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(WndTest, ButtonCheckAndStyle)
{
    CButton check;
    ASSERT_TRUE(check.Attach(m_hCheck));
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_NE(check.GetState() & BST_CHECKED, 0u);
    EXPECT_EQ(check.GetButtonStyle(), static_cast<UINT>(BS_AUTOCHECKBOX));
    check.SetButtonStyle(BS_PUSHBUTTON);
    EXPECT_EQ(check.GetButtonStyle(), static_cast<UINT>(BS_PUSHBUTTON));
}

} // namespace

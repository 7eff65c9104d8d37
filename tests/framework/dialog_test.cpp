// The dialog layer on real modal dialogs, run headless and driven like a user.
#include <genbafw/dialog.h>

#include "dialog_test_ids.h"
#include "support/dialogdriver.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

namespace {

using namespace genbatest;

class DrawnButton : public CButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override { m_nDrawnId = static_cast<int>(lpDrawItemStruct->CtlID); }
    int m_nDrawnId = 0;
};

// Reads the name on OK and refuses any but "ok", as the library's dialogs refuse input.
class TestDlg : public CDialog {
public:
    explicit TestDlg(CWnd* pParent = nullptr) : CDialog(IDD_TEST, pParent) {}
    CString m_strName, m_strAfterCheck = "unset";
    DrawnButton m_btnDrawn;
    int m_nOverrideOK = 0, m_nExtra = 0;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SendDlgItemMessageA(m_hWnd, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a"));
        SendDlgItemMessageA(m_hWnd, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b"));
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_DRAWN, m_btnDrawn);
        DDX_Text(pDX, IDC_NAME, m_strName);
        if (pDX->m_bSaveAndValidate && m_strName != "ok") {
            AfxMessageBox("\x96\xBC\x91\x4F\x82\xAA\x88\xE1\x82\xA2\x82\xDC\x82\xB7", MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        if (pDX->m_bSaveAndValidate) DDX_Text(pDX, IDC_EXTRA, m_strAfterCheck);   // nothing after a refusal
    }
    void OnOK() override
    {
        ++m_nOverrideOK;
        CDialog::OnOK();
    }
    void OnExtra() { ++m_nExtra; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDlg, CDialog)
    ON_LBN_DBLCLK(IDC_LIST, CDialog::OnOK)
    ON_BN_CLICKED(IDC_EXTRA, OnExtra)
END_MESSAGE_MAP()

// One more level: its own entries first, then TestDlg's, then CDialog's.
class DerivedDlg : public TestDlg {
public:
    int m_nSelChanges = 0;

protected:
    void OnSelChange() { ++m_nSelChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedDlg, TestDlg)
    ON_LBN_SELCHANGE(IDC_LIST, OnSelChange)
END_MESSAGE_MAP()

TEST(Dialog, MapsChainToBasesAndANamedBaseHandlerIsCalledNonVirtually)
{
    DerivedDlg dlg;
    dlg.m_strName = "ok";
    DialogDriver driver;
    driver.Then("extra, redraw, double-click", [&](HWND h) {
        Press(h, IDC_EXTRA);
        RedrawWindow(GetDlgItem(h, IDC_DRAWN), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(dlg.m_btnDrawn.m_nDrawnId, IDC_DRAWN);
        DoubleClickRow(h, IDC_LIST, 1);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nExtra, 1);
    EXPECT_EQ(dlg.m_nSelChanges, 1);
    EXPECT_EQ(dlg.m_nOverrideOK, 0);        // the double-click ran CDialog::OnOK itself
    EXPECT_EQ(dlg.m_btnDrawn.m_hWnd, nullptr);   // let go with its window
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, FailKeepsTheDialogOpenWithTheFocusOnTheRefusedEdit)
{
    TestDlg dlg;
    DialogDriver driver;
    driver.Then("type a bad name, OK", [](HWND h) {
        TypeText(h, IDC_NAME, "bad");
        Press(h, IDOK);
    });
    driver.Then("the refusal, owned by the dialog", [&](HWND hBox) {
        EXPECT_EQ(GetWindow(hBox, GW_OWNER), dlg.m_hWnd);
        EXPECT_EQ(MessageBoxText(hBox), CString("\x96\xBC\x91\x4F\x82\xAA\x88\xE1\x82\xA2\x82\xDC\x82\xB7"));
        Answer(hBox, IDOK);
    });
    driver.ThenBack("still open", [&](HWND h) {
        HWND hName = GetDlgItem(h, IDC_NAME);
        EXPECT_EQ(GetFocus(), hName);
        EXPECT_EQ(SendMessageA(hName, EM_GETSEL, 0, 0), MAKELRESULT(0, 3));   // all selected
        EXPECT_EQ(dlg.m_strAfterCheck, "unset");
        dlg.CenterWindow();   // no owner: on the work area
        RECT rc, work;
        GetWindowRect(h, &rc);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_LE(std::abs((rc.left + rc.right) - (work.left + work.right)), 1);
        EXPECT_LE(std::abs((rc.top + rc.bottom) - (work.top + work.bottom)), 1);
        TypeText(h, IDC_NAME, "ok");
        PressEnter(h);   // from the edit: the default button
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strName, "ok");
    EXPECT_EQ(dlg.m_strAfterCheck, "X");
}

TEST(Dialog, ResourceModuleComesBackAndTemplatesAreFoundInExtensionModules)
{
    const HINSTANCE hProgram = GetModuleHandleA(nullptr), hNoTemplates = GetModuleHandleA("genbafw.dll");
    ASSERT_EQ(AfxGetResourceHandle(), hProgram);
    AFX_EXTENSION_MODULE program = {};
    {
        CResourceScope scope(hNoTemplates);
        DialogDriver driver;
        CDialog missing(IDD_TEST);
        EXPECT_EQ(missing.DoModal(), -1);   // nothing shown: the driver fails a window it has no step for
        ASSERT_TRUE(AfxInitExtensionModule(program, hProgram));
        EXPECT_FALSE(AfxInitExtensionModule(program, hProgram));
        driver.Then("cancel", [](HWND h) { Press(h, IDCANCEL); });
        TestDlg found;
        EXPECT_EQ(found.DoModal(), IDCANCEL);
        AfxTermExtensionModule(program);
        EXPECT_EQ(missing.DoModal(), -1);
        EXPECT_EQ(AfxGetResourceHandle(), hNoTemplates);
    }
    EXPECT_EQ(AfxGetResourceHandle(), hProgram);

    // The library registers itself while it is loaded.
    HMODULE hLib = LoadLibraryA("genbaenv.dll");
    ASSERT_NE(hLib, nullptr);
    AFX_EXTENSION_MODULE probe = {};
    EXPECT_FALSE(AfxInitExtensionModule(probe, hLib));
    FreeLibrary(hLib);
    if (!GetModuleHandleA("genbaenv.dll")) {
        EXPECT_TRUE(AfxInitExtensionModule(probe, hLib));
        AfxTermExtensionModule(probe);
    }
}

// --- A plain window subclassed -----------------------------------------------------

LRESULT CALLBACK OwnProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_COMMAND ? 42 : DefWindowProcA(h, message, wParam, lParam);
}

class Frame : public CWnd {
public:
    int m_cx = 0, m_cy = 0;

protected:
    void OnSize(UINT nType, int cx, int cy)
    {
        CWnd::OnSize(nType, cx, cy);
        m_cx = cx;
        m_cy = cy;
    }
    void OnThrow() { throw std::runtime_error("handler"); }
    void OnQuiet() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Frame, CWnd)
    ON_WM_SIZE()
    ON_BN_CLICKED(7, OnThrow)
    ON_BN_CLICKED(8, OnQuiet)
END_MESSAGE_MAP()

TEST(Subclass, MessagesReachTheMapThrowingHandlersStayInsideAndTheObjectLetsGoWithItsWindow)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnProc;
    wc.lpszClassName = "genbafw-test-frame";
    RegisterClassA(&wc);
    HWND h = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    Frame frame;
    ASSERT_TRUE(frame.SubclassWindow(h));

    // The size as the map hands it on (the version box checks a map's minimum size).
    SetWindowPos(h, nullptr, 0, 0, 350, 200, SWP_NOZORDER | SWP_NOMOVE);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(frame.m_cx, client.right);
    EXPECT_EQ(frame.m_cy, client.bottom);

    EXPECT_EQ(SendMessageA(h, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0), 0);    // handled
    EXPECT_EQ(SendMessageA(h, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0), 42);   // threw: default

    EXPECT_EQ(frame.Detach(), h);
    ASSERT_EQ(GetWindowLongPtrA(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(OwnProc));
    ASSERT_TRUE(frame.SubclassWindow(h));
    DestroyWindow(h);
    EXPECT_EQ(frame.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

} // namespace

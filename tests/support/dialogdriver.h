// Driving modal dialogs and message boxes from a test, headless.
//
// A DialogDriver watches the thread's windows appear (a CBT hook: each activation of a
// new dialog-class window, #32770, which message boxes are too) and gives each one, in
// order, the next queued step. Steps run from a timer, so inside whichever modal loop
// is running; they act like the user through the helpers below.
//
//   genbatest::DialogDriver driver;
//   driver.Then("pick row 1", [](HWND dlg) { genbatest::DoubleClickRow(dlg, IDC_LIST, 1); });
//   driver.ThenMessageBox("\x83\x74...", IDNO);   // checks the text, answers No
//   EXPECT_EQ(dlg.DoModal(), IDOK);
//
// ThenBack queues a step for the window a closed one went back to: it runs once the
// window of the step before has closed, on the latest window still open.
//
// A window that does not appear within the time allowed, a dialog still open that long
// after the last step, or a window nobody expected fails the test (ADD_FAILURE) and
// ends every dialog of the thread, so a broken dialog never hangs the run. A step
// never reached fails the test when the driver is destroyed.
#pragma once

#include <genbafw/cstring.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <vector>
#include <string>

namespace genbatest {

// What a user does; each notifies the dialog as the control would. A control that is
// missing, hidden or disabled fails the test instead.
void SelectRow(HWND hDlg, int nID, int nRow);       // list or combo box: select, xxN_SELCHANGE
void DoubleClickRow(HWND hDlg, int nID, int nRow);  // select, then LBN_DBLCLK
void TypeText(HWND hDlg, int nID, const char* text); // an edit: its text replaced as typed
void Press(HWND hDlg, int nID);                     // a push button: focus, then BN_CLICKED
void PressEnter(HWND hDlg);                         // the Enter key where the focus is
CString MessageBoxText(HWND hBox);                  // the text, as CP932 bytes
void Answer(HWND hBox, int nID);                    // IDOK, IDYES (6), IDNO (7), ...

// What a user sees. Text: the window's text, or with nID its control's, as CP932 bytes.
CString Text(HWND h, int nID = 0);
bool Enabled(HWND hDlg, int nID);
bool Visible(HWND hDlg, int nID);
int CurRow(HWND hDlg, int nID);                     // a list box's selected row, LB_ERR for none
// The caption, then the texts of the static controls and buttons in template order,
// each followed by "|": every label the user reads.
CString Labels(HWND hDlg);
// Handles the messages the user's actions posted, before looking.
void Settle();

class DialogDriver {
public:
    using Step = std::function<void(HWND)>;

    explicit DialogDriver(DWORD timeoutMs = 15000);   // a loaded machine can take seconds to show a dialog
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // The next window to appear gets this step.
    DialogDriver& Then(const std::string& what, Step step);
    // The next window is a message box with exactly this text, answered with nID.
    DialogDriver& ThenMessageBox(const CString& text, int nID);
    // Once the previous step's window has closed: on the latest window still open.
    DialogDriver& ThenBack(const std::string& what, Step step);

private:
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Track(int nCode, HWND h);
    static BOOL CALLBACK TrackShown(HWND h, LPARAM driver);
    bool RunNextStep();
    void CheckTimeout();
    void GiveUp(const std::string& why);

    struct Pending {
        std::string what;
        Step step;
        bool back;   // runs on the window returned to, not on a new one
    };
    DWORD m_timeoutMs;
    HHOOK m_hHook;
    UINT_PTR m_timer;
    ULONGLONG m_lastProgress;
    bool m_gaveUp = false;
    std::deque<Pending> m_steps;
    std::deque<HWND> m_ready;    // appeared, step not yet run
    std::vector<HWND> m_alive;   // appeared and not destroyed, in order
    HWND m_hLastStepWindow = nullptr;
};

// Opens a dialog `rounds` times (after a few rounds of warming up), each answered with
// `answer` (IDCANCEL, or IDOK) as soon as it is active, and checks that handles, heap,
// windows and GDI objects are as before.
void ExpectDialogRoundsLeaveNothing(const std::function<void()>& open, int rounds, int answer = IDCANCEL);

} // namespace genbatest

// opendialog: SelectOpenFile opened and cancelled on a folder of 4,095 numbered and 4,000
// other files, against the work it cannot avoid: one enumeration of the folder, the
// same LB_ADDSTRING and LB_SETITEMDATA messages for every row, and the dialog made
// from its template and destroyed.
#include <genbaenv/environ.h>

#include <windows.h>

#include "benchclock.h"
#include "benchfolder.h"
#include "resources/resource.h"

#include <cstdio>
#include <string>

namespace {

const int kNumbered = 4095, kOthers = 4000;
const int kRepetitions = 7;
const double kTarget = 1.3;

HHOOK g_hook = nullptr;

// Cancels each dialog as soon as it is active: all that is measured is what opening costs.
LRESULT CALLBACK CancelOnActivate(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE) PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDCANCEL, 0);
    return CallNextHookEx(g_hook, nCode, wParam, lParam);
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The unavoidable work: the listing, the rows, the dialog.
void Baseline(const std::string& dir, HMODULE library)
{
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &fd);
    int files = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do ++files;
        while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    HWND dlg = CreateDialogParamA(library, MAKEINTRESOURCEA(IDD_SELOPENFILE), nullptr, PlainDialogProc, 0);
    HWND list = GetDlgItem(dlg, IDC_FILELIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    char text[32];
    for (int i = 1; i <= kNumbered; ++i) {
        std::snprintf(text, sizeof text, "file%04d", i);
        LRESULT row = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(row), i - 1);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    DestroyWindow(dlg);
}

} // namespace

int main()
{
    const std::string dir = MakeBenchFolder("genba-bench-opendialog", kNumbered, kOthers);
    HMODULE library = GetModuleHandleA("genbaenv.dll");
    g_hook = SetWindowsHookExA(WH_CBT, CancelOnActivate, nullptr, GetCurrentThreadId());
    CEnvironObj env;
    double bestOurs = 1e9, bestBase = 1e9;
    for (int rep = 0; rep < kRepetitions; ++rep) {
        for (int side = 0; side < 2; ++side) {
            const bool ours = (side == 0) == (rep % 2 == 0);
            const double t0 = BenchNow();
            if (ours)
                env.SelectOpenFile(nullptr, dir.c_str(), "", nullptr, 0, nullptr, nullptr, nullptr);
            else
                Baseline(dir, library);
            const double t = BenchNow() - t0;
            double& best = ours ? bestOurs : bestBase;
            if (t < best) best = t;
        }
    }
    UnhookWindowsHookEx(g_hook);
    std::printf("opendialog ratio %.2f target %.1f\n", bestOurs / bestBase, kTarget);
    return 0;
}

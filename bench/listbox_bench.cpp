// listbox: MakeListBox of 4,095 entries against a bare loop sending the same two messages
// for every row (LB_ADDSTRING, then LB_SETITEMDATA linking the row to its entry) with
// redrawing off, into the same kind of list box (the open dialog's: no sorting, tab stops).
#include <genbaenv/selfile.h>
#include <genbafw/wnd.h>

#include <windows.h>

#include "benchclock.h"

#include <cstdio>
#include <vector>

namespace {

const int kEntries = 4095;
const int kRepetitions = 25;
const double kTarget = 1.1;

void BareFill(HWND hList, const std::vector<CString>& texts)
{
    SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hList, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < texts.size(); ++i) {
        const LRESULT row =
            SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(texts[i])));
        SendMessageA(hList, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(i));
    }
    SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hList, nullptr, TRUE);
}

} // namespace

int main()
{
    HWND hParent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 500, nullptr,
                                   nullptr, nullptr, nullptr);
    HWND hList = CreateWindowExA(0, "LISTBOX", "",
                                 WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                                     LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
                                 0, 0, 550, 450, hParent, nullptr, nullptr, nullptr);
    CListBox box;
    if (!hList || !box.Attach(hList)) {
        std::printf("listbox ratio 0 target %.1f (no list box)\n", kTarget);
        return 1;
    }
    box.SetTabStops(160);

    CSelFileList list;
    char name[32], disp[48];
    for (int i = 1; i <= kEntries; ++i) {
        std::snprintf(name, sizeof name, "site%04d.%03X", i, i);
        std::snprintf(disp, sizeof disp, "site%04d\tmemo %d", i, i);
        list.Add(name, static_cast<unsigned long>(i), disp);
    }
    list.Select(kEntries - 1);   // the last row: a selection to find
    std::vector<CString> texts;
    for (int i = 0; i < list.GetCnt(); ++i) texts.push_back(list.GetDispStr(i));

    double bestBare = 1e9, bestOurs = 1e9;
    // Each fill starts from an empty box, emptied untimed (freeing the rows of the fill
    // before costs more after some fills than after others), and the order alternates.
    for (int rep = 0; rep < kRepetitions; ++rep) {
        for (int side = 0; side < 2; ++side) {
            const bool ours = (side == 0) == (rep % 2 == 0);
            box.ResetContent();
            double t0 = BenchNow();
            if (ours)
                list.MakeListBox(box);
            else
                BareFill(hList, texts);
            double t = BenchNow() - t0;
            double& best = ours ? bestOurs : bestBare;
            if (t < best) best = t;
        }
    }
    list.MakeListBox(box);   // the last fill may have been the bare one
    if (box.GetCount() != kEntries || box.GetCurSel() != kEntries - 1) {
        std::printf("listbox ratio 0 target %.1f (rows %d, selected %d)\n", kTarget, box.GetCount(), box.GetCurSel());
        return 1;
    }
    std::printf("listbox ratio %.2f target %.1f\n", bestOurs / bestBare, kTarget);
    box.Detach();
    DestroyWindow(hParent);
    return 0;
}

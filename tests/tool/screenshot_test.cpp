// Pictures of dialogs: the library's open-file template shown modally, captured once
// painted and closed, and the PNG it leaves.
#include "screenshot.h"
#include "support/dialogdriver.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

using genbatool::RunModalWithScreenshot;

RECT g_dialogRect;

INT_PTR CALLBACK OpenDialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) GetWindowRect(hDlg, &g_dialogRect);
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(hDlg, IDCANCEL);
    return msg == WM_INITDIALOG;
}

INT_PTR ShowOpenTemplate()
{
    // The capture closes the dialog; one it leaves open fails the test instead of hanging.
    genbatest::DialogDriver driver;
    driver.Then("closed by the capture", [](HWND) {});
    return DialogBoxParamA(LoadLibraryA("genbaenv.dll"), MAKEINTRESOURCEA(1000), nullptr, OpenDialogProc, 0);
}

unsigned BigEndian(const std::string& s, size_t at)
{
    return static_cast<unsigned>(static_cast<unsigned char>(s[at]) << 24 | static_cast<unsigned char>(s[at + 1]) << 16 |
                                 static_cast<unsigned char>(s[at + 2]) << 8 | static_cast<unsigned char>(s[at + 3]));
}

TEST(Screenshot, CapturesTheDialogOncePaintedAndClosesIt)
{
    CString png = genbatest::FreshDir("screenshot") + "\\ﾌｧｲﾙを開く.png";
    INT_PTR ended = 0;
    auto capture = RunModalWithScreenshot([&] { ended = ShowOpenTemplate(); }, png);
    EXPECT_TRUE(capture.shown);
    EXPECT_TRUE(capture.saved) << capture.error;
    EXPECT_EQ(ended, IDCANCEL);
    std::ifstream in(static_cast<const char*>(png), std::ios::binary);
    std::string file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(file.size(), 33u);
    EXPECT_EQ(file.substr(0, 16), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
    EXPECT_EQ(BigEndian(file, 16), static_cast<unsigned>(g_dialogRect.right - g_dialogRect.left));
    EXPECT_EQ(BigEndian(file, 20), static_cast<unsigned>(g_dialogRect.bottom - g_dialogRect.top));
    EXPECT_EQ(file.substr(24, 2), std::string("\x08\x02", 2));   // 8 bits, red-green-blue
    EXPECT_GT(file.size(), 2000u);   // texts and frames, not one colour (that takes a few hundred)
}

// A file that cannot be written is reported and still the dialog closes.
TEST(Screenshot, FailuresAreReportedAndNothingWaits)
{
    CString png = genbatest::FreshDir("screenshot-bad") + "\\missing\\x.png";
    INT_PTR ended = 0;
    auto capture = RunModalWithScreenshot([&] { ended = ShowOpenTemplate(); }, png);
    EXPECT_TRUE(capture.shown && !capture.saved && !capture.error.empty() && ended == IDCANCEL) << capture.error;
    EXPECT_EQ(RunModalWithScreenshot([] {}, png).error, "no dialog appeared");
}

} // namespace

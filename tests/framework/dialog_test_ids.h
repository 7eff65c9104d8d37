// Controls of the test dialog (dialog_test.rc).
#pragma once
#define IDD_TEST 500
#define IDC_NAME 101
#define IDC_LIST 102
#define IDC_DRAWN 103
#define IDC_EXTRA 104

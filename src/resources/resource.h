// Dialog templates of genbaenv.dll and the ids of their controls, shared by the
// resource script and the dialogs' code. Plain defines only: the resource compiler
// reads this file too.
#pragma once

// Templates.
#define IDD_SELOPENFILE         1000
#define IDD_SELSAVEFILE         1001
#define IDD_VERSIONINFO         1006
#define IDD_CUSTFILE_PANEL      1007

// Open-file and save-file dialogs (IDOK and IDCANCEL are the system's).
#define IDC_DELETE              3
#define IDC_FILELIST            1000
#define IDC_FILENAME            1002
#define IDC_EXTTEXT             1003
#define IDC_FILETYPE            1004
#define IDC_FILETYPE_LABEL      1005
#define IDC_MEMO                1006
#define IDC_MEMO_LABEL          1007

// Version information box; its OK button is IDCANCEL.
#define IDC_VERINFO_TEXT        1007
#define IDC_VERINFO_ICON        1010
#define IDC_VERINFO_HEADER      1011

// Panel added to the system file dialogs; stc32 (1119, <dlgs.h>) marks where the
// system puts its own controls.
#define IDC_MOVE_USERFOLDER     1012

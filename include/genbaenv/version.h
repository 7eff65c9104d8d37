// The program's version line and the suite's version information box.
//
// The version line is the product version that the executable of the calling process
// declares in its version resource, followed, when VERSION.INF in the PROG folder of the
// program home sets one, by a space and the installation's addition:
//
//   ProductVersion 2.10, VERSION.INF [Version] AddString=SP1  => "2.10 SP1"
//   ProductVersion 2.10, no VERSION.INF or an empty AddString  => "2.10"
//   no product version (VERSION.INF is then not read)          => ""
#pragma once

#include <genbaenv/genbadefs.h>
#include <genbafw/cstring.h>

#include <windows.h>

class CEnvironObj;
class CWnd;

GENBAENV_API CString GetProgramVersion(const CEnvironObj& env);

// Shows the version information box modally and returns when it is closed. The box
// shows the program's name, version line and legal notice, and the information that
// installed components leave in the INFO folders beside the program's PROG folder and
// the system's FORM folder, and in VERSION.INF [Information].
//   pParentWnd  the owner, or null
//   lpszName    when not null, the name shown instead of the product name; when also
//               not empty, the caption becomes "<name> のﾊﾞｰｼﾞｮﾝ情報"
//   hIcon       when not null, shown in the box and set as its large icon; it stays the
//               caller's
GENBAENV_API void VersionInfoDialog(CWnd* pParentWnd, const CEnvironObj& env, const char* lpszName, HICON hIcon);

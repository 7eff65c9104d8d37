// What the suite's open and save dialogs share: the kind word and delete mode chosen
// from the options, the framed buttons' look, the delete question and the deletion, the
// Enter key moving the focus on, and the modal loop run on the library's templates.
#pragma once

#include <genbaenv/environ.h>
#include <genbafw/dialog.h>

#include <genbaenv/selfile.h>

#include <formkit.h>

namespace genba {

enum DeleteMode : int { DELMODE_NONE = 0, DELMODE_FILE = 1, DELMODE_FOLDER = 2 };

// "ﾌｧｲﾙ" with DELMODE_FILE unless SELFILE_NODELETE; "ﾌｫﾙﾀﾞｰ" with SELFILE_FOLDER, and
// DELMODE_FOLDER only with SELFILE_DELFOLDER.
void ChooseKindAndDeleteMode(int nFlags, const char*& lpszKind, int& nDelMode);

// The list anew: Clear, no selection, then the folder's entries (preselecting
// lpszSelName, null after the first filling).
void RefillEntries(CSelFileList& list, const CEnvironObj& env, const CString& strDir, const CString& strExtList,
                   const char* lpszSelName, int nFlags, SelFileProc pfnCallback, void* pData);

// What OnInitDialog adds to the base's: the OK, Cancel and Delete buttons take the
// suite's look, in that order, and the caller's caption replaces the template's.
void FinishInitDialog(CDialog& dlg, CFrameButton& ok, CFrameButton& cancel, CFrameButton& del, const char* lpszTitle);

// Asks "<kind>｢<name>｣を削除します ..." (Yes/No, No the default); on Yes deletes the file
// or removes the folder with everything in it. The outcome is not reported.
void AskAndDelete(const CEnvironObj& env, const CString& strDir, const CString& name, const char* lpszKind,
                  int nDelMode);

// The Enter key and the OK button reach OnOK; only the OK button itself confirms.
// True when the dialog should confirm; otherwise the focus has moved on.
bool OkButtonHasFocus(CDialog& dlg);

// DoModal with the library's templates found first; the previous resource module is
// back afterwards, whatever DoModal returned. -1 when an exception stopped it.
INT_PTR DoModalWithLibraryResources(CDialog& dlg);

} // namespace genba

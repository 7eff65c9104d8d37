// dialog KIND: the library's dialogs shown on the environment, for a person to use (where
// a display is available) or painted into a PNG and closed (--screenshot FILE.png, also
// headless). Each kind checks its own operands and options and prints what the dialog
// gave.
#pragma once

#include "args.h"
#include "commands.h"

#include <genbaenv/environ.h>

#include <functional>
#include <string>
#include <vector>

namespace genbatool {

struct DialogKind {
    const char* name;
    int minOperands, maxOperands;
    std::vector<OptionSpec> options;                       // --screenshot comes with every kind
    bool (*check)(const Request& r, std::string& error);   // null: nothing more to check
    int (*run)(const Request& r, Output& o);
    const char* help;                                      // the lines of --help
};

const std::vector<DialogKind>& DialogKinds();
std::string DialogKindNames();   // "open, save, ..."
std::string DialogHelp();

bool CheckDialog(const Request& r, std::string& error);
int RunDialog(const Request& r, Output& o);

// Shows the dialog `show` opens: for real, or with --screenshot captured once painted
// and closed. False, with the reason in o.err, when the picture was asked for and not
// written.
bool ShowDialog(const Request& r, Output& o, const std::function<void()>& show);

// A folder given as a path or as a path kind (no separator or colon, and reads as one),
// resolved on env; empty when a kind resolves to nothing.
CString FolderOrKind(const CEnvironObj& env, const CString& text);

// What a dialog that gives a text gave: the text on a line of its own (JSON: "chosen",
// null for nothing), EXIT_DONE; nothing chosen, EXIT_NOT_DONE. With --screenshot the
// picture is the result: EXIT_DONE when it was written, and nothing is printed.
int ReportChosen(const Request& r, Output& o, bool shown, const CString& chosen);

// The dialog kinds (cmd_dialog_KIND.cpp).
int RunDialogOpen(const Request& r, Output& o);
bool CheckDialogSave(const Request& r, std::string& error);
int RunDialogSave(const Request& r, Output& o);
int RunDialogAbout(const Request& r, Output& o);
bool CheckKindOption(const Request& r, std::string& error);   // --kind KIND, when given
unsigned long KindOption(const Request& r);                    // its kind, else 0
int RunFileOpen(const Request& r, Output& o);
int RunFileSave(const Request& r, Output& o);
int RunPickDir(const Request& r, Output& o);
int RunPickComputer(const Request& r, Output& o);

} // namespace genbatool

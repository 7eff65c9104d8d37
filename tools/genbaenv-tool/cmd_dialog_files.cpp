// dialog file-open, dialog file-save: the system's file dialogs as the library opens them.
#include "cmd_dialog.h"

#include "cmdutil.h"
#include "kinds.h"

#include <genbafw/handle.h>

namespace genbatool {

namespace {

int RunFileDialog(const Request& r, Output& o, bool save)
{
    genba::ComApartment com;   // as the applications start it
    CEnvironObj env;
    const CString path = r.operands.empty() ? CString() : r.operands[0];
    const CString* filter = r.Option("--filter");
    const unsigned long option = r.Option("--plain") ? 1 : 0;
    CString chosen;
    const bool shown = ShowDialog(r, o, [&] {
        chosen = save ? env.SaveFileDialogEx(nullptr, filter ? *filter : nullptr, path, nullptr, KindOption(r), 0, option)
                      : env.OpenFileDialogEx(nullptr, filter ? *filter : nullptr, path, nullptr, KindOption(r), 0, option);
    });
    return ReportChosen(r, o, shown, chosen);
}

} // namespace

unsigned long KindOption(const Request& r)
{
    unsigned long kind = 0;
    std::string ignored;
    const CString* text = r.Option("--kind");
    return text && ParseKind(*text, kind, ignored) ? kind : 0;
}

bool CheckKindOption(const Request& r, std::string& error)
{
    unsigned long kind = 0;
    const CString* text = r.Option("--kind");
    if (text && !ParseKind(*text, kind, error)) {
        error = "--kind: " + error;
        return false;
    }
    return true;
}

int RunFileOpen(const Request& r, Output& o) { return RunFileDialog(r, o, false); }
int RunFileSave(const Request& r, Output& o) { return RunFileDialog(r, o, true); }

} // namespace genbatool

#include "cmd_dialog.h"

#include "cmdutil.h"
#include "format.h"
#include "kinds.h"
#include "screenshot.h"

namespace genbatool {

const std::vector<DialogKind>& DialogKinds()
{
    // One row a kind; each kind's check and run live in cmd_dialog_KIND.cpp.
    static const std::vector<DialogKind> kinds = {
        {"open", 0, 2, {{"--folders", false}, {"--select", true}}, nullptr, RunDialogOpen,
         "  dialog open [DIR|KIND] [EXTLIST] [--folders] [--select NAME]\n"
         "                            the suite's open dialog on a folder (default: site.main)\n"},
        {"save", 0, 2, {{"--type", true}, {"--name", true}, {"--memo", true}, {"--folders", false}},
         CheckDialogSave, RunDialogSave,
         "  dialog save [DIR|KIND] [EXTLIST] [--type N] [--name NAME] [--memo TEXT] [--folders]\n"
         "                            the suite's save dialog: the name chosen (and the memo)\n"},
        {"about", 0, 0, {{"--name", true}}, nullptr, RunDialogAbout,
         "  dialog about [--name NAME] the version information box (NAME instead of the\n"
         "                            product name, and in the caption)\n"},
        {"file-open", 0, 1, {{"--kind", true}, {"--filter", true}, {"--plain", false}}, CheckKindOption, RunFileOpen,
         "  dialog file-open [PATH] [--kind KIND] [--filter F] [--plain]\n"
         "                            the system's open dialog in PATH's folder (else KIND's),\n"
         "                            the name after its last backslash in the box; F as\n"
         "                            Text|*.txt|...; --plain: without the jump to the site's\n"
         "                            user folder; prints the path chosen\n"},
        {"file-save", 0, 1, {{"--kind", true}, {"--filter", true}, {"--plain", false}}, CheckKindOption, RunFileSave,
         "  dialog file-save [PATH] [--kind KIND] [--filter F] [--plain]\n"
         "                            the system's save dialog, as file-open\n"},
        {"pick-dir", 0, 0, {{"--kind", true}, {"--root", true}}, CheckKindOption, RunPickDir,
         "  dialog pick-dir [--kind KIND] [--root DIR]\n"
         "                            the folder picker on KIND's folder (made when missing),\n"
         "                            the tree from DIR (a path or a kind; default: the desktop)\n"},
        {"pick-computer", 0, 0, {}, nullptr, RunPickComputer,
         "  dialog pick-computer      the computer picker on the network\n"},
    };
    return kinds;
}

std::string DialogKindNames()
{
    std::string names;
    for (const DialogKind& k : DialogKinds()) names += (names.empty() ? "" : ", ") + std::string(k.name);
    return names;
}

std::string DialogHelp()
{
    std::string help;
    for (const DialogKind& k : DialogKinds()) help += k.help;
    return help + "                            --screenshot FILE.png paints a dialog into FILE.png and closes it\n";
}

namespace {
const DialogKind* FindKind(const std::string& name)
{
    for (const DialogKind& k : DialogKinds())
        if (name == k.name) return &k;
    return nullptr;
}
} // namespace

bool CheckDialog(const Request& r, std::string& error)
{
    const DialogKind* k = FindKind(r.dialogKind);
    if (!k) {
        error = "unknown dialog '" + r.dialogKind + "'";
        return false;
    }
    return !k->check || k->check(r, error);
}

int RunDialog(const Request& r, Output& o)
{
    const DialogKind* k = FindKind(r.dialogKind);
    return k ? k->run(r, o) : EXIT_BAD_USAGE;
}

bool ShowDialog(const Request& r, Output& o, const std::function<void()>& show)
{
    if (r.screenshot.IsEmpty()) {
        show();
        return true;
    }
    // Made absolute first: the system's file dialogs move the current folder while open.
    char full[2 * MAX_PATH] = {0};
    const DWORD n = GetFullPathNameA(r.screenshot, sizeof full, full, nullptr);
    ModalCapture c = RunModalWithScreenshot(show, n > 0 && n < sizeof full ? CString(full) : r.screenshot);
    if (c.saved) return true;
    o.err += "dialog " + r.dialogKind + ": no picture: " + (c.shown ? c.error : std::string("the dialog did not appear")) + "\n";
    return false;
}

int ReportChosen(const Request& r, Output& o, bool shown, const CString& chosen)
{
    if (!r.screenshot.IsEmpty()) return shown ? EXIT_DONE : EXIT_NOT_DONE;
    if (r.json) {
        JsonWriter w;
        w.BeginObject().Key("chosen");
        if (chosen.IsEmpty())
            w.Null();
        else
            w.String(chosen);
        o.out += w.EndObject().Text();
    } else if (!chosen.IsEmpty()) {
        o.out += S(chosen) + "\n";
    }
    return chosen.IsEmpty() ? EXIT_NOT_DONE : EXIT_DONE;
}

CString FolderOrKind(const CEnvironObj& env, const CString& text)
{
    if (text.FindOneOf("\\/:") >= 0) return text;
    unsigned long kind = 0;
    std::string ignored;
    return ParseKind(text, kind, ignored) ? env.GetPath(kind) : text;
}

} // namespace genbatool

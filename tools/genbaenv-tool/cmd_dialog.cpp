#include "cmd_dialog.h"

#include "cmdutil.h"
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
    ModalCapture c = RunModalWithScreenshot(show, r.screenshot);
    if (c.saved) return true;
    o.err += "dialog " + r.dialogKind + ": no picture: " + (c.shown ? c.error : std::string("the dialog did not appear")) + "\n";
    return false;
}

CString FolderOrKind(const CEnvironObj& env, const CString& text)
{
    if (text.FindOneOf("\\/:") >= 0) return text;
    unsigned long kind = 0;
    std::string ignored;
    return ParseKind(text, kind, ignored) ? env.GetPath(kind) : text;
}

} // namespace genbatool

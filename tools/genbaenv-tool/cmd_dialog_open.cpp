// dialog open: the suite's open dialog on a folder of the environment.
#include "cmd_dialog.h"
#include "cmdutil.h"
#include "format.h"

namespace genbatool {

int RunDialogOpen(const Request& r, Output& o)
{
    CEnvironObj env;
    const CString dir = FolderOrKind(env, r.operands.empty() ? CString("site.main") : r.operands[0]);
    if (dir.IsEmpty()) {
        o.err += "dialog open: " + S(r.operands.empty() ? CString("site.main") : r.operands[0]) +
                 " resolves to no folder (no current site, or its home is not configured)\n";
        return EXIT_NOT_DONE;
    }
    const CString extList = r.operands.size() > 1 ? r.operands[1] : CString();
    const CString* select = r.Option("--select");
    const int flags = r.Option("--folders") ? SELFILE_FOLDER : 0;
    CString chosen;
    const bool shown = ShowDialog(r, o, [&] {
        chosen = env.SelectOpenFile(nullptr, dir, extList, select ? static_cast<const char*>(*select) : nullptr, flags,
                                    nullptr, nullptr, nullptr);
    });
    if (!shown) return EXIT_NOT_DONE;
    if (r.json) {
        JsonWriter j;
        j.BeginObject().Field("folder", dir).Field("chosen", chosen).EndObject();
        o.out += j.Text();
    } else if (!chosen.IsEmpty()) {
        o.out += S(chosen) + "\n";
    }
    // A picture is what was asked for; otherwise Cancel chose nothing.
    return !r.screenshot.IsEmpty() || !chosen.IsEmpty() ? EXIT_DONE : EXIT_NOT_DONE;
}

} // namespace genbatool

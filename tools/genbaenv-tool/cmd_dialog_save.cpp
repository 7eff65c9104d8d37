// dialog save: the suite's save dialog on a folder of the environment.
#include "cmd_dialog.h"
#include "cmdutil.h"
#include "format.h"

namespace genbatool {

namespace {

// --type N: a type index, or a negative number to let the user choose.
bool ReadTypeIndex(const Request& r, int& type, std::string& error)
{
    type = -1;
    const CString* text = r.Option("--type");
    if (!text) return true;
    const bool negative = text->GetAt(0) == '-';
    unsigned long n = 0;
    if (!ParseNumber(negative ? text->Mid(1) : *text, 0, 0xFFFF, "--type", n, error)) return false;
    type = negative ? -static_cast<int>(n) : static_cast<int>(n);
    return true;
}

} // namespace

bool CheckDialogSave(const Request& r, std::string& error)
{
    int type = 0;
    return ReadTypeIndex(r, type, error);
}

int RunDialogSave(const Request& r, Output& o)
{
    CEnvironObj env;
    const CString where = r.operands.empty() ? CString("site.main") : r.operands[0];
    const CString dir = FolderOrKind(env, where);
    if (dir.IsEmpty()) {
        o.err += "dialog save: " + S(where) + " resolves to no folder (no current site, or its home is not configured)\n";
        return EXIT_NOT_DONE;
    }
    int type = -1;
    std::string ignored;
    ReadTypeIndex(r, type, ignored);
    const CString* name = r.Option("--name");
    const CString* memoGiven = r.Option("--memo");
    CString memo = memoGiven ? *memoGiven : CString();
    CString chosen;
    const bool shown = ShowDialog(r, o, [&] {
        chosen = env.SelectSaveFile(nullptr, dir, r.operands.size() > 1 ? r.operands[1] : CString(), type,
                                    name ? static_cast<const char*>(*name) : nullptr,
                                    r.Option("--folders") ? SELFILE_FOLDER : 0, nullptr, memoGiven ? &memo : nullptr,
                                    nullptr, nullptr);
    });
    if (!shown) return EXIT_NOT_DONE;
    if (r.json) {
        JsonWriter j;
        j.BeginObject().Field("folder", dir).Field("chosen", chosen).Field("memo", memo).EndObject();
        o.out += j.Text();
    } else if (!chosen.IsEmpty()) {
        o.out += S(chosen) + (memoGiven ? "\t" + S(memo) : std::string()) + "\n";
    }
    return !r.screenshot.IsEmpty() || !chosen.IsEmpty() ? EXIT_DONE : EXIT_NOT_DONE;
}

} // namespace genbatool

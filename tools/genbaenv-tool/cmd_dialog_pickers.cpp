// dialog pick-dir, dialog pick-computer: the folder and computer pickers.
#include "cmd_dialog.h"

#include "cmdutil.h"
#include "kinds.h"

#include <genbafw/handle.h>

namespace genbatool {

int RunPickDir(const Request& r, Output& o)
{
    genba::ComApartment com;   // as the applications start it
    CEnvironObj env;
    const unsigned long kind = KindOption(r);
    const CString* rootOption = r.Option("--root");
    const CString root = rootOption ? FolderOrKind(env, *rootOption) : CString();   // empty: the desktop
    const CString status = kind ? KindName(kind) : CString();
    CString chosen;
    const bool shown = ShowDialog(r, o, [&] {
        chosen = env.SelectDir(nullptr, 0, nullptr, "ﾌｫﾙﾀﾞｰを選択してください。", status,
                               root.IsEmpty() ? nullptr : static_cast<const char*>(root), kind, 0);
    });
    return ReportChosen(r, o, shown, chosen);
}

int RunPickComputer(const Request& r, Output& o)
{
    genba::ComApartment com;
    CEnvironObj env;
    CString chosen;
    const bool shown = ShowDialog(r, o, [&] {
        chosen = env.SelectComputer(nullptr, nullptr, "ｺﾝﾋﾟｭｰﾀｰを選択してください。", nullptr, 0);
    });
    return ReportChosen(r, o, shown, chosen);
}

} // namespace genbatool

// dialog about [--name NAME]: the version information box of the installation, with the
// tool's own version resource and the system's application icon.
#include "cmd_dialog.h"

#include <genbaenv/version.h>

namespace genbatool {

int RunDialogAbout(const Request& r, Output& o)
{
    CEnvironObj env;
    const CString* name = r.Option("--name");
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);   // shared: never destroyed
    const bool shown = ShowDialog(r, o, [&] { VersionInfoDialog(nullptr, env, name ? static_cast<const char*>(*name) : nullptr, icon); });
    return shown ? EXIT_DONE : EXIT_NOT_DONE;
}

} // namespace genbatool

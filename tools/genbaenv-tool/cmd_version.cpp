// version: the tool's own version line, built by the library from the tool's version
// resource and the installation's VERSION.INF, as every program of the suite gets it.
#include "cmdutil.h"
#include "format.h"

#include <genbaenv/version.h>

namespace genbatool {

int RunVersion(const Request& r, Output& o)
{
    CEnvironObj env;
    const CString line = GetProgramVersion(env);
    if (r.json)
        o.out += JsonWriter().BeginObject().Field("version", line).EndObject().Text();
    else if (!line.IsEmpty())
        o.out += S(line) + "\n";
    if (line.IsEmpty()) {
        o.err += "version: the program declares no product version\n";
        return EXIT_NOT_DONE;
    }
    return EXIT_DONE;
}

} // namespace genbatool

// path, paths: folders by path kind, and the "Environ" value that decided each, as the
// library resolved them.
#include "cmdutil.h"
#include "format.h"
#include "kinds.h"

#include <genbaenv/diagnostics.h>

#include "env/regnames.h"

#include <vector>

namespace genbatool {

namespace {

struct Resolved {
    unsigned long kind = 0;
    CString path;
    unsigned long decidedBy = 0;   // the Environ value that decided the path, 0: none
};

Resolved Resolve(const CEnvironObj& env, unsigned long kind)
{
    Resolved res;
    res.kind = kind;
    res.path = GenbaResolvePath(env, kind, &res.decidedBy);
    return res;
}

bool HasOverride(const CEnvironObj& env, unsigned long code)
{
    CString ignored;
    return env.GetUserDataStr("", genba::regname::kEnviron, EnvironValueName(code), ignored) != 0;
}

std::string JsonResolved(const std::vector<Resolved>& rows)
{
    JsonWriter j;
    j.BeginArray();
    for (const Resolved& res : rows) {
        j.BeginObject().Field("kind", KindHex(res.kind)).Field("name", KindName(res.kind)).Field("path", res.path);
        j.Key("override");
        if (res.decidedBy != 0)
            j.String(EnvironValueName(res.decidedBy));
        else
            j.Null();
        j.EndObject();
    }
    j.EndArray();
    return j.Text();
}

std::string TextResolved(const std::vector<Resolved>& rows, bool header)
{
    TextTable t;
    if (header) t.AddRow({"KIND", "NAME", "PATH", "DECIDED BY"});
    for (const Resolved& res : rows)
        t.AddRow({KindHex(res.kind), KindName(res.kind), OrNone(res.path),
                  res.decidedBy != 0 ? "override " + EnvironValueName(res.decidedBy) : CString()});
    return t.Render(0);
}

} // namespace

int RunPath(const Request& r, Output& o)
{
    CEnvironObj env;
    std::vector<Resolved> rows;
    for (unsigned long kind : r.kinds) rows.push_back(Resolve(env, kind));
    o.out += r.json ? JsonResolved(rows) : TextResolved(rows, false);
    return EXIT_DONE;
}

int RunPaths(const Request& r, Output& o)
{
    CEnvironObj env;
    const GenbaNamedCode* kinds = nullptr;
    const GenbaNamedCode* apps = nullptr;
    const int nKinds = GenbaAcceptedKinds(&kinds);
    const int nApps = GenbaApplicationCodes(&apps);
    std::vector<Resolved> rows;
    for (int k = 0; k < nKinds; ++k) {
        rows.push_back(Resolve(env, kinds[k].code));
        // An application's kind is listed when asked for all, or when a value of its
        // own under Environ redirects it.
        for (int a = 0; a < nApps; ++a)
            if (r.allApps || HasOverride(env, kinds[k].code | apps[a].code))
                rows.push_back(Resolve(env, kinds[k].code | apps[a].code));
    }
    o.out += r.json ? JsonResolved(rows) : TextResolved(rows, true);
    return EXIT_DONE;
}

} // namespace genbatool

#include "commands.h"

#include "cmd_dialog.h"
#include "cmdutil.h"

#include <genbaenv/diagnostics.h>

namespace genbatool {

CString Number(unsigned long n)
{
    CString s;
    s.Format("%lu", n);
    return s;
}

CString JoinPath(const CEnvironObj& env, const CString& dir, const CString& name)
{
    CString p(dir);
    env.AddFileName(p, name);
    return p;
}

CString DataKey(const CEnvironObj& env, DataRoot root, const CString& section, const CString& entry)
{
    const bool machine = root == DataRoot::Machine;
    return CString(machine ? "HKLM\\" : "HKCU\\") + GenbaDataKeyPath(env, machine, section, entry);
}

int RunRequest(const Request& r, Output& o)
{
    switch (r.command) {
    case Command::Help: o.out += HelpText(); return EXIT_DONE;
    case Command::Show: return RunShow(r, o);
    case Command::Path: return RunPath(r, o);
    case Command::Paths: return RunPaths(r, o);
    case Command::Tree: return RunTree(r, o);
    case Command::Files: return RunFiles(r, o);
    case Command::WorkShow: return RunWorkShow(r, o);
    case Command::WorkSet: return RunWorkSet(r, o);
    case Command::Get: return RunGet(r, o);
    case Command::Set: return RunSet(r, o);
    case Command::Del: return RunDel(r, o);
    case Command::Dialog: return RunDialog(r, o);
    case Command::Version: return RunVersion(r, o);
    }
    return EXIT_BAD_USAGE;
}

int RunTool(const std::vector<CString>& args, Output& o)
{
    Request r;
    std::string error;
    if (!ParseCommandLine(args, r, error)) {
        o.err += error + "\nTry 'genbaenv-tool --help'.\n";
        return EXIT_BAD_USAGE;
    }
    return RunRequest(r, o);
}

} // namespace genbatool

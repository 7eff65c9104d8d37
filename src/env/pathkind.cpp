// Path resolution by kind: the suite's folder names and application codes, and the
// per-user "Environ" overrides, read afresh on every call.
#include "env/environ_impl.h"

#include "env/config.h"
#include "env/regnames.h"
#include "env/registry.h"

#include <genbaenv/diagnostics.h>

#include <cstdio>

namespace {

enum class Append { Name, Nothing, ProgramFolder, HelpFolder, ServerShare };

struct AcceptedKind {
    unsigned long kind;   // base and subfolder
    Append append;
    const char* folder;
};

const AcceptedKind kAcceptedKinds[] = {
    {PATHKIND_PROGRAM_PROG, Append::Name, "PROG"},
    {PATHKIND_PROGRAM_MAIN, Append::Name, "MAIN"},
    {PATHKIND_PROGRAM_CAD, Append::Name, "CAD"},
    {PATHKIND_PROGRAM_TOOLS, Append::Name, "TOOLS"},
    {PATHKIND_PROGRAM_PAL, Append::Name, "PAL"},
    {PATHKIND_PROGRAM_APLI, Append::ProgramFolder, nullptr},
    {PATHKIND_SYSTEM_MAIN, Append::Name, "MAIN"},
    {PATHKIND_SYSTEM_CAD, Append::Name, "CAD"},
    {PATHKIND_SYSTEM_SYSTEM, Append::Name, "SYSTEM"},
    {PATHKIND_SYSTEM_FORM, Append::Name, "FORM"},
    {PATHKIND_SYSTEM_JOKEN, Append::Name, "JOKEN"},
    {PATHKIND_SYSTEM_TEMP, Append::Name, "TEMP"},
    {PATHKIND_SYSTEM_PLOTPOOL, Append::Name, "PLOTPOOL"},
    {PATHKIND_SYSTEM_DCPOOL, Append::Name, "DCPOOL"},
    {PATHKIND_SYSTEM_USERDATA, Append::Name, "USERDATA"},
    {PATHKIND_SYSTEM_DDM, Append::Name, "DDM"},
    {PATHKIND_GENBA, Append::Nothing, nullptr},
    {PATHKIND_GENBA_MAIN, Append::Name, "MAIN"},
    {PATHKIND_GENBA_CAD, Append::Name, "CAD"},
    {PATHKIND_GENBA_JOKEN, Append::Name, "JOKEN"},
    {PATHKIND_GENBA_TEMP, Append::Name, "TEMP"},
    {PATHKIND_GENBA_DC, Append::Name, "DC"},
    {PATHKIND_GENBA_USERDATA, Append::Name, "USERDATA"},
    {PATHKIND_GENBA_BACKUP, Append::Name, "BACKUP"},
    {PATHKIND_GENBA_DDM, Append::Name, "DDM"},
    {PATHKIND_HELP_APLI, Append::HelpFolder, nullptr},
    {PATHKIND_TEMP, Append::Nothing, nullptr},
    {PATHKIND_QMS_SERVER, Append::ServerShare, "QMS_SERVER"},
};

// Readable names of the accepted kinds, in the same order, for the tool and the tests.
const GenbaNamedCode kKindNames[] = {
    {PATHKIND_PROGRAM_PROG, "program.prog"},     {PATHKIND_PROGRAM_MAIN, "program.main"},
    {PATHKIND_PROGRAM_CAD, "program.cad"},       {PATHKIND_PROGRAM_TOOLS, "program.tools"},
    {PATHKIND_PROGRAM_PAL, "program.pal"},       {PATHKIND_PROGRAM_APLI, "program.apli"},
    {PATHKIND_SYSTEM_MAIN, "system.main"},       {PATHKIND_SYSTEM_CAD, "system.cad"},
    {PATHKIND_SYSTEM_SYSTEM, "system.system"},   {PATHKIND_SYSTEM_FORM, "system.form"},
    {PATHKIND_SYSTEM_JOKEN, "system.joken"},     {PATHKIND_SYSTEM_TEMP, "system.temp"},
    {PATHKIND_SYSTEM_PLOTPOOL, "system.plotpool"}, {PATHKIND_SYSTEM_DCPOOL, "system.dcpool"},
    {PATHKIND_SYSTEM_USERDATA, "system.userdata"}, {PATHKIND_SYSTEM_DDM, "system.ddm"},
    {PATHKIND_GENBA, "site"},                    {PATHKIND_GENBA_MAIN, "site.main"},
    {PATHKIND_GENBA_CAD, "site.cad"},            {PATHKIND_GENBA_JOKEN, "site.joken"},
    {PATHKIND_GENBA_TEMP, "site.temp"},          {PATHKIND_GENBA_DC, "site.dc"},
    {PATHKIND_GENBA_USERDATA, "site.userdata"},  {PATHKIND_GENBA_BACKUP, "site.backup"},
    {PATHKIND_GENBA_DDM, "site.ddm"},            {PATHKIND_HELP_APLI, "help"},
    {PATHKIND_TEMP, "temp"},                     {PATHKIND_QMS_SERVER, "server"},
};
static_assert(sizeof kKindNames / sizeof kKindNames[0] == sizeof kAcceptedKinds / sizeof kAcceptedKinds[0],
              "one name for each accepted kind");

const GenbaNamedCode kApplicationCodes[] = {
    {PATHAPP_VQA, "VQA"}, {PATHAPP_VQB, "VQB"}, {PATHAPP_VQC, "VQC"}, {PATHAPP_VQD, "VQD"},
    {PATHAPP_VQE, "VQE"}, {PATHAPP_VQF, "VQF"}, {PATHAPP_VQG, "VQG"}, {PATHAPP_VQH, "VQH"},
    {PATHAPP_VQI, "VQI"}, {PATHAPP_VQJ, "VQJ"}, {PATHAPP_VQK, "VQK"},
};

const AcceptedKind* FindAcceptedKind(unsigned long level2)
{
    for (const AcceptedKind& k : kAcceptedKinds)
        if (k.kind == level2) return &k;
    return nullptr;
}

const char* FindApplicationFolder(unsigned long code)
{
    for (const auto& a : kApplicationCodes)
        if (a.code == code) return a.name;
    return nullptr;
}

// Replaces the path by the user's "Environ" value named after the code, when that value
// can be read as a text, and notes the code that did.
void ReadEnvironOverride(const ZRApliChange& apli, unsigned long code, CString& path, unsigned long& decidedBy)
{
    genba::UniqueRegKey key = genba::OpenUserKey(apli, nullptr, genba::regname::kEnviron, nullptr, genba::KEYOPEN_READ);
    if (!key) return;
    char name[16];
    std::snprintf(name, sizeof name, "%08lX", code);
    if (genba::ReadRegString(key.get(), path, name, genba::kRegTextLimit)) decidedBy = code;
}

} // namespace

CString CEnvironObj::GetHomePath(unsigned long base) const
{
    switch (base) {
    case PATHBASE_PROGRAM: return genba::s_strHomeProgram;
    case PATHBASE_SYSTEM: return genba::s_strHomeSystem;
    case PATHBASE_GENBA: return genba::s_strHomeData;
    case PATHBASE_HELP: return genba::s_strHomeHelp;
    case PATHBASE_TEMP: return genba::s_strHomeTemp;
    case PATHBASE_SERVER: return genba::s_strServerQMS;
    default: return CString();
    }
}

namespace genba {

CString ResolvePath(const CEnvironObj& env, const CEnvironObjImpl& state, unsigned long kind, unsigned long& decidedBy)
{
    const unsigned long base = kind & PATHKIND_BASE_MASK;
    const unsigned long level2 = kind & PATHKIND_LEVEL2_MASK;
    const unsigned long app = kind & PATHKIND_APP_MASK;
    const ZRApliChange& apli = state.m_ApliChange;
    decidedBy = 0;

    CString path = base == PATHBASE_GENBA ? state.m_strGenbaPath : env.GetHomePath(base);
    if (base == PATHBASE_SERVER) {
        // A server kind needs a data path on a network share, whatever else is stored.
        CString dataServer = GetServerNameFromPath(env, env.GenbaPath(state.m_strDataPath, 0, 0));
        if (dataServer.IsEmpty()) return CString();
        if (!path.IsEmpty() && path[0] == '?')
            path = GetServerNameFromPath(env, env.GetPath(PATHKIND_SYSTEM_SYSTEM));
        else if (!path.IsEmpty() && path[0] == '*')
            path = dataServer;
    }
    ReadEnvironOverride(apli, base, path, decidedBy);
    if (path.IsEmpty()) return CString();

    const AcceptedKind* accepted = FindAcceptedKind(level2);
    if (!accepted) return CString();
    switch (accepted->append) {
    case Append::Name: env.AddFileName(path, accepted->folder); break;
    case Append::Nothing: break;
    case Append::ProgramFolder: env.AddFileName(path, apli.GetProgramFolderName()); break;
    case Append::HelpFolder: env.AddFileName(path, apli.GetHelpFolderName()); break;
    case Append::ServerShare:
        path = "\\\\" + path;
        env.AddFileName(path, accepted->folder);
        break;
    }
    ReadEnvironOverride(apli, level2, path, decidedBy);

    if (app != 0) {
        const char* folder = FindApplicationFolder(app);
        if (!folder) return CString();
        env.AddFileName(path, folder);
    }
    ReadEnvironOverride(apli, kind, path, decidedBy);
    return path;
}

} // namespace genba

CString CEnvironObj::GetPath(unsigned long kind) const
{
    unsigned long decidedBy = 0;
    return genba::ResolvePath(*this, *m_pImpl, kind, decidedBy);
}

int GenbaAcceptedKinds(const GenbaNamedCode** ppKinds)
{
    if (ppKinds) *ppKinds = kKindNames;
    return static_cast<int>(sizeof kKindNames / sizeof kKindNames[0]);
}

int GenbaApplicationCodes(const GenbaNamedCode** ppCodes)
{
    if (ppCodes) *ppCodes = kApplicationCodes;
    return static_cast<int>(sizeof kApplicationCodes / sizeof kApplicationCodes[0]);
}

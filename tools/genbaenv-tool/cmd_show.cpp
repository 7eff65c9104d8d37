// show, work, work set: the installation and the current work as applications see them.
#include "cmdutil.h"
#include "format.h"

#include <genbaenv/diagnostics.h>
#include <zrapli.h>

#include "env/regnames.h"

namespace genbatool {

namespace {

using namespace genba::regname;

const unsigned long kHomeBases[6] = {PATHBASE_PROGRAM, PATHBASE_SYSTEM, PATHBASE_GENBA,
                                     PATHBASE_HELP,    PATHBASE_TEMP,   PATHBASE_SERVER};
const char* const kHomeJsonNames[6] = {"program", "system", "data", "help", "temp", "serverQMS"};

struct InstallRecord {
    GenbaInstallDiag diag;
    CString productKey;
    CString setupKey;   // HKLM\...\<setup section>\CurrentVersion
    CString homes[6];   // program, system, data, help, temp, ServerQMS
};

struct WorkRecord {
    CString key;         // HKCU\...\CurrentWork
    CString dataPath;    // as stored; empty: the data home stands in
    CString dataRoot;    // the folder the numbers are looked up in
    unsigned short folderNo = 0, siteNo = 0;
    CString folderName, siteName;
    CString siteFolder;
    bool siteFolderExists = false;
};

struct ShowRecord {
    InstallRecord install;
    WorkRecord work;
    CString serverName;
    unsigned long appType = 0;
};

InstallRecord ReadInstall(const CEnvironObj& env)
{
    InstallRecord r;
    GenbaGetInstallDiag(env, r.diag);
    r.productKey = env.GetApliChange().GetProductKeyName();
    r.setupKey = DataKey(env, DataRoot::Machine, r.diag.strSetupSection, "");
    for (int i = 0; i < 6; ++i) r.homes[i] = env.GetHomePath(kHomeBases[i]);
    return r;
}

WorkRecord ReadWork(const CEnvironObj& env)
{
    WorkRecord w;
    w.key = DataKey(env, DataRoot::User, "", kCurrentWork);
    w.dataPath = env.GetDataPath();
    w.dataRoot = env.GenbaPath(w.dataPath, 0, 0);
    w.folderNo = env.GetFNo();
    w.siteNo = env.GetGNo();
    if (w.folderNo != 0) w.folderName = env.GetFolderName(w.dataPath, w.folderNo);
    if (w.folderNo != 0 && w.siteNo != 0) w.siteName = env.GetGenbaName(w.dataPath, w.folderNo, w.siteNo);
    w.siteFolder = env.GetPath(PATHKIND_GENBA);
    w.siteFolderExists = !w.siteFolder.IsEmpty() && env.IsExist(w.siteFolder) == EXIST_FOLDER;
    return w;
}

CString NumberedText(unsigned short no, const CString& name)
{
    if (no == 0) return "(none)";
    CString s;
    s.Format("%u  .%03X  ", no, no);
    return s + OrNone(name, "(no such folder yet)");
}

std::string TextWork(const WorkRecord& w)
{
    TextTable t;
    t.AddRow({"data path", w.dataPath.IsEmpty() ? "(none: the data home, " + OrNone(w.dataRoot) + ")" : w.dataPath});
    t.AddRow({"folder", NumberedText(w.folderNo, w.folderName)});
    t.AddRow({"site", NumberedText(w.siteNo, w.siteName)});
    t.AddRow({"site folder", w.siteFolder.IsEmpty() ? CString("(none)")
                                                    : w.siteFolder + (w.siteFolderExists ? "" : "  (not there yet)")});
    return "Current work  " + S(w.key) + "\n" + t.Render(2);
}

void JsonWork(JsonWriter& j, const WorkRecord& w)
{
    j.BeginObject()
        .Field("dataPath", w.dataPath)
        .Field("dataRoot", w.dataRoot)
        .Field("folderNo", static_cast<unsigned long long>(w.folderNo))
        .Field("folderName", w.folderName)
        .Field("siteNo", static_cast<unsigned long long>(w.siteNo))
        .Field("siteName", w.siteName)
        .Field("siteFolder", w.siteFolder)
        .Field("siteFolderExists", w.siteFolderExists)
        .EndObject();
}

std::string TextShow(const ShowRecord& s)
{
    const GenbaInstallDiag& d = s.install.diag;
    TextTable t;
    t.AddRow({"library", OrNone(d.strLibraryFile)});
    t.AddRow({"INI file", d.strIniFile + (d.bIniFound ? "" : "  (not there: no prefix, no suffixes)")});
    if (d.bIniFound) {
        t.AddRow({"  [Type] Setup", OrNone(d.strSetupPrefix, "(empty)")});
        t.AddRow({"  [Type] HKLM", OrNone(d.strMachineSuffix, "(empty)")});
        t.AddRow({"  [Type] HKCU", OrNone(d.strUserSuffix, "(empty)")});
    }
    t.AddRow({"product keys", "HKLM\\" + d.strMachineKey + "  HKCU\\" + d.strUserKey});
    t.AddRow({"install type",
              d.strInstallType + (d.bTypeFromCurrentWork ? "  (CurrentWork \"Type\")" : "  (from the library's location)")});
    t.AddRow({"setup section", s.install.setupKey});
    for (int i = 0; i < 6; ++i) t.AddRow({kHomeValues[i], OrNone(s.install.homes[i])});
    TextTable tail;
    tail.AddRow({"Server name", OrNone(s.serverName)});
    tail.AddRow({"Application type", s.appType == 0xFFFFFFFFUL ? CString("(none)") : Number(s.appType)});
    return "Installation\n" + t.Render(2) + TextWork(s.work) + tail.Render(0);
}

std::string JsonShow(const ShowRecord& s)
{
    const GenbaInstallDiag& d = s.install.diag;
    JsonWriter j;
    j.BeginObject();
    j.Key("installation").BeginObject();
    j.Field("library", d.strLibraryFile);
    j.Key("ini").BeginObject()
        .Field("file", d.strIniFile)
        .Field("exists", d.bIniFound)
        .Field("setup", d.strSetupPrefix)
        .Field("hklm", d.strMachineSuffix)
        .Field("hkcu", d.strUserSuffix)
        .EndObject();
    j.Field("productKey", s.install.productKey);
    j.Field("machineKey", "HKLM\\" + d.strMachineKey);
    j.Field("userKey", "HKCU\\" + d.strUserKey);
    j.Field("installType", d.strInstallType);
    j.Field("installTypeFrom", d.bTypeFromCurrentWork ? "CurrentWork" : "library location");
    j.Field("setupSection", d.strSetupSection);
    j.Field("setupKey", s.install.setupKey);
    j.Key("homes").BeginObject();
    for (int i = 0; i < 6; ++i) j.Field(kHomeJsonNames[i], s.install.homes[i]);
    j.EndObject();
    j.EndObject();
    j.Key("work");
    JsonWork(j, s.work);
    j.Field("serverName", s.serverName);
    j.Key("appType");
    if (s.appType == 0xFFFFFFFFUL)
        j.Null();
    else
        j.Number(s.appType);
    j.EndObject();
    return j.Text();
}

// A stored value of CurrentWork as it was, so that a failed command can put it back.
struct SavedValue {
    bool present = false;
    bool isDWord = false;
    unsigned long dword = 0;
    CString str;
};

SavedValue SaveValue(const CEnvironObj& env, const char* name, bool isDWord)
{
    SavedValue v;
    v.isDWord = isDWord;
    v.present = isDWord ? env.GetUserDataDWord("", kCurrentWork, name, v.dword) != 0
                        : env.GetUserDataStr("", kCurrentWork, name, v.str) != 0;
    return v;
}

void RestoreValue(const CEnvironObj& env, const char* name, const SavedValue& v)
{
    if (!v.present)
        env.DelUserData("", kCurrentWork, name);
    else if (v.isDWord)
        env.SetUserDataDWord("", kCurrentWork, name, v.dword);
    else
        env.SetUserDataStr("", kCurrentWork, name, v.str);
}

} // namespace

int RunShow(const Request& r, Output& o)
{
    CEnvironObj env;
    ShowRecord s;
    s.install = ReadInstall(env);
    s.work = ReadWork(env);
    s.serverName = env.GetServerName();
    s.appType = env.GetAppType();
    o.out += r.json ? JsonShow(s) : TextShow(s);
    return EXIT_DONE;
}

int RunWorkShow(const Request& r, Output& o)
{
    CEnvironObj env;
    WorkRecord w = ReadWork(env);
    if (r.json) {
        JsonWriter j;
        JsonWork(j, w);
        o.out += j.Text();
    } else {
        o.out += TextWork(w);
    }
    return EXIT_DONE;
}

int RunWorkSet(const Request& r, Output& o)
{
    {
        CEnvironObj env;
        struct Step {
            bool wanted;
            const char* name;
            bool isDWord;
            unsigned long number;
        };
        const Step steps[3] = {{r.hasDataPath, kDataPath, false, 0},
                               {r.hasFolder, kFolderNo, true, r.folderNo},
                               {r.hasSite, kGenbaNo, true, r.siteNo}};
        SavedValue saved[3];
        for (int i = 0; i < 3; ++i)
            if (steps[i].wanted) saved[i] = SaveValue(env, steps[i].name, steps[i].isDWord);
        for (int i = 0; i < 3; ++i) {
            if (!steps[i].wanted) continue;
            int ok = steps[i].isDWord ? env.SetUserDataDWord("", kCurrentWork, steps[i].name, steps[i].number)
                                      : env.SetUserDataStr("", kCurrentWork, steps[i].name, r.dataPath);
            if (!ok) {
                // All or nothing: what this command already wrote goes back.
                for (int k = 0; k <= i; ++k)
                    if (steps[k].wanted) RestoreValue(env, steps[k].name, saved[k]);
                o.err += "work set: could not write " +
                         S(ValueRef(DataKey(env, DataRoot::User, "", kCurrentWork), steps[i].name)) +
                         "; nothing was changed\n";
                return EXIT_NOT_DONE;
            }
        }
        if (r.hasDataPath && !r.dataPath.IsEmpty() && env.IsExist(r.dataPath) != EXIST_FOLDER)
            o.err += "note: the data path " + S(r.dataPath) + " is not there (yet)\n";
    }
    // A new environment object reads what was stored: that is what applications see.
    return RunWorkShow(r, o);
}

} // namespace genbatool

#include "commands.h"

#include "format.h"
#include "kinds.h"

#include <genbaenv/environ.h>
#include <genbaenv/selfile.h>
#include <windows.h>
#include <zrapli.h>

#include <cstdio>
#include <memory>
#include <new>

namespace genbatool {

namespace {

const char kCurrentWork[] = "CurrentWork";
const char kEnviron[] = "Environ";

std::string S(const CString& s) { return std::string(static_cast<const char*>(s), static_cast<size_t>(s.GetLength())); }

CString Number(unsigned long n)
{
    CString s;
    s.Format("%lu", n);
    return s;
}

// ---------------------------------------------------------------------------------
// The installation as the library reads it. The homes come from the library itself;
// the INI values and the setup section are internal to it and are worked out here by
// the same rules, for display.

struct InstallInfo {
    CString libraryFile;
    CString iniFile;
    bool iniExists = false;
    CString setupPrefix, machineSuffix, userSuffix;
    CString productKey;
    CString installType;
    bool typeFromCurrentWork = false;
    CString setupSection;
    CString homes[6];   // program, system, data, help, temp, ServerQMS
};

const unsigned long kHomeBases[6] = {PATHBASE_PROGRAM, PATHBASE_SYSTEM, PATHBASE_GENBA,
                                     PATHBASE_HELP,    PATHBASE_TEMP,   PATHBASE_SERVER};
const char* const kHomeValueNames[6] = {"HomeProgram", "HomeSystem", "HomeData", "HomeHelp", "HomeTemp", "ServerQMS"};
const char* const kHomeJsonNames[6] = {"program", "system", "data", "help", "temp", "serverQMS"};

CString LibraryFile()
{
    HMODULE module = GetModuleHandleA("genbaenv.dll");
    char buf[MAX_PATH + 1] = {0};
    DWORD n = module ? GetModuleFileNameA(module, buf, MAX_PATH) : 0;
    if (n == 0 || n >= MAX_PATH) return CString();
    return CString(buf, static_cast<int>(n));
}

CString ReadIniValue(const CString& ini, const char* key)
{
    char buf[261] = {0};
    DWORD n = GetPrivateProfileStringA("Type", key, "", buf, sizeof buf, ini);
    return CString(buf, static_cast<int>(n));
}

CString ServerOfPath(const CEnvironObj& env, const CString& path)
{
    if (path.IsEmpty()) return CString();
    return env.GetServerNameFromShareName(env.GetShareNameFromUNCPath(env.GetUNCPath(path)));
}

InstallInfo ReadInstall(const CEnvironObj& env)
{
    InstallInfo info;
    info.libraryFile = LibraryFile();
    int slash = info.libraryFile.ReverseFind('\\');
    CString folder = info.libraryFile.Left(slash + 1);
    CString file = info.libraryFile.Mid(slash + 1);
    info.iniFile = folder + env.GetBaseNameFromFileName(file) + ".INI";
    info.iniExists = !info.libraryFile.IsEmpty() && env.IsExist(info.iniFile) == EXIST_FILE;
    if (info.iniExists) {
        info.setupPrefix = ReadIniValue(info.iniFile, "Setup");
        info.machineSuffix = ReadIniValue(info.iniFile, "HKLM");
        info.userSuffix = ReadIniValue(info.iniFile, "HKCU");
    }
    info.productKey = env.GetApliChange().GetProductKeyName();
    CString type;
    info.typeFromCurrentWork = env.GetUserDataStr("", kCurrentWork, "Type", type) && !type.IsEmpty();
    if (!info.typeFromCurrentWork) type = ServerOfPath(env, info.libraryFile).IsEmpty() ? "Local" : "Network";
    info.installType = type;
    info.setupSection = "Setup" + info.setupPrefix + type;
    for (int i = 0; i < 6; ++i) info.homes[i] = env.GetHomePath(kHomeBases[i]);
    return info;
}

CString ProductKeyPath(const InstallInfo& info, DataRoot root)
{
    return CString(root == DataRoot::User ? "HKCU" : "HKLM") + "\\Software\\Velmora\\" + info.productKey +
           (root == DataRoot::User ? info.userSuffix : info.machineSuffix);
}

// The key of a section and entry, the way the settings store forms it.
CString DataKeyPath(const InstallInfo& info, DataRoot root, const CString& section, const CString& entry)
{
    CString key = ProductKeyPath(info, root);
    if (!section.IsEmpty()) key += "\\" + section + "\\CurrentVersion";
    if (!entry.IsEmpty()) key += "\\" + entry;
    return key;
}

// A value of a key, for messages: HKCU\...\CurrentWork "DataPath".
CString ValueRef(const CString& key, const CString& name) { return key + " \"" + name + "\""; }

// ---------------------------------------------------------------------------------
// The current work of an environment object.

struct WorkInfo {
    CString dataPath;    // as stored; empty: the data home stands in
    CString dataRoot;    // the folder the numbers are looked up in
    unsigned short folderNo = 0, siteNo = 0;
    CString folderName, siteName;
    CString siteFolder;
    bool siteFolderExists = false;
};

WorkInfo ReadWork(const CEnvironObj& env)
{
    WorkInfo w;
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

void TextWork(const WorkInfo& w, const CString& key, std::string& out)
{
    TextTable t;
    t.AddRow({"data path", w.dataPath.IsEmpty() ? "(none: the data home, " + OrNone(w.dataRoot) + ")" : w.dataPath});
    t.AddRow({"folder", NumberedText(w.folderNo, w.folderName)});
    t.AddRow({"site", NumberedText(w.siteNo, w.siteName)});
    t.AddRow({"site folder", w.siteFolder.IsEmpty() ? CString("(none)")
                                                    : w.siteFolder + (w.siteFolderExists ? "" : "  (not there yet)")});
    out += "Current work  " + S(key) + "\n" + t.Render(2);
}

void JsonWork(JsonWriter& j, const WorkInfo& w)
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

// ---------------------------------------------------------------------------------
// show

int RunShow(const Request& r, Output& o)
{
    CEnvironObj env;
    InstallInfo info = ReadInstall(env);
    WorkInfo work = ReadWork(env);
    CString server = env.GetServerName();
    unsigned long appType = env.GetAppType();
    CString setupKey = DataKeyPath(info, DataRoot::Machine, info.setupSection, "");
    CString workKey = DataKeyPath(info, DataRoot::User, "", kCurrentWork);

    if (r.json) {
        JsonWriter j;
        j.BeginObject();
        j.Key("installation").BeginObject();
        j.Field("library", info.libraryFile);
        j.Key("ini").BeginObject()
            .Field("file", info.iniFile)
            .Field("exists", info.iniExists)
            .Field("setup", info.setupPrefix)
            .Field("hklm", info.machineSuffix)
            .Field("hkcu", info.userSuffix)
            .EndObject();
        j.Field("productKey", info.productKey);
        j.Field("machineKey", ProductKeyPath(info, DataRoot::Machine));
        j.Field("userKey", ProductKeyPath(info, DataRoot::User));
        j.Field("installType", info.installType);
        j.Field("installTypeFrom", info.typeFromCurrentWork ? "CurrentWork" : "library location");
        j.Field("setupSection", info.setupSection);
        j.Field("setupKey", setupKey);
        j.Key("homes").BeginObject();
        for (int i = 0; i < 6; ++i) j.Field(kHomeJsonNames[i], info.homes[i]);
        j.EndObject();
        j.EndObject();
        j.Key("work");
        JsonWork(j, work);
        j.Field("serverName", server);
        j.Key("appType");
        if (appType == 0xFFFFFFFFUL)
            j.Null();
        else
            j.Number(appType);
        j.EndObject();
        o.out += j.Text();
        return EXIT_DONE;
    }

    TextTable t;
    t.AddRow({"library", OrNone(info.libraryFile)});
    t.AddRow({"INI file", info.iniFile + (info.iniExists ? "" : "  (not there: no prefix, no suffixes)")});
    if (info.iniExists) {
        t.AddRow({"  [Type] Setup", OrNone(info.setupPrefix, "(empty)")});
        t.AddRow({"  [Type] HKLM", OrNone(info.machineSuffix, "(empty)")});
        t.AddRow({"  [Type] HKCU", OrNone(info.userSuffix, "(empty)")});
    }
    t.AddRow({"product keys", ProductKeyPath(info, DataRoot::Machine) + "  " + ProductKeyPath(info, DataRoot::User)});
    t.AddRow({"install type",
              info.installType + (info.typeFromCurrentWork ? "  (CurrentWork \"Type\")" : "  (from the library's location)")});
    t.AddRow({"setup section", setupKey});
    for (int i = 0; i < 6; ++i) t.AddRow({kHomeValueNames[i], OrNone(info.homes[i])});
    o.out += "Installation\n" + t.Render(2);
    TextWork(work, workKey, o.out);
    TextTable tail;
    tail.AddRow({"Server name", OrNone(server)});
    tail.AddRow({"Application type", appType == 0xFFFFFFFFUL ? CString("(none)") : Number(appType)});
    o.out += tail.Render(0);
    return EXIT_DONE;
}

// ---------------------------------------------------------------------------------
// path, paths

struct Resolved {
    unsigned long kind;
    CString path;
    bool overridden = false;
    unsigned long overrideCode = 0;   // the Environ value that decided the path
};

bool ReadOverride(const CEnvironObj& env, unsigned long code, CString& value)
{
    return env.GetUserDataStr("", kEnviron, EnvironValueName(code), value) != 0;
}

bool HasOverride(const CEnvironObj& env, unsigned long code)
{
    CString ignored;
    return ReadOverride(env, code, ignored);
}

// Where GetPath starts for a base, before any override: the current site for the site
// base, the server worked out from ServerQMS for the server base, else the home.
CString StartPath(const CEnvironObj& env, unsigned long base)
{
    if (base == PATHBASE_GENBA) {
        unsigned short f = env.GetFNo(), g = env.GetGNo();
        return f != 0 && g != 0 ? env.GenbaPath(env.GetDataPath(), f, g) : CString();
    }
    CString start = env.GetHomePath(base);
    if (base != PATHBASE_SERVER || start.IsEmpty()) return start;
    if (start.GetAt(0) == '?') return ServerOfPath(env, env.GetPath(PATHKIND_SYSTEM_SYSTEM));
    if (start.GetAt(0) == '*') return ServerOfPath(env, env.GenbaPath(env.GetDataPath(), 0, 0));
    return start;
}

// The Environ value that decided a kind's path, following GetPath: the base's value
// replaces the start; an empty path ends there; then the values of base and subfolder
// and of the full kind each replace the path. A server kind whose data path is not on
// a network share is empty before any value is read.
Resolved Resolve(const CEnvironObj& env, unsigned long kind)
{
    Resolved res;
    res.kind = kind;
    res.path = env.GetPath(kind);
    unsigned long base = kind & PATHKIND_BASE_MASK;
    if (base == PATHBASE_SERVER && ServerOfPath(env, env.GenbaPath(env.GetDataPath(), 0, 0)).IsEmpty()) return res;
    CString path = StartPath(env, base);
    auto decide = [&](unsigned long code) {
        if (ReadOverride(env, code, path)) {
            res.overridden = true;
            res.overrideCode = code;
        }
    };
    decide(base);
    if (path.IsEmpty()) return res;
    decide(kind & PATHKIND_LEVEL2_MASK);
    if ((kind & PATHKIND_APP_MASK) != 0) decide(kind);
    return res;
}

void JsonResolved(JsonWriter& j, const Resolved& res)
{
    j.BeginObject().Field("kind", KindHex(res.kind)).Field("name", KindName(res.kind)).Field("path", res.path);
    j.Key("override");
    if (res.overridden)
        j.String(EnvironValueName(res.overrideCode));
    else
        j.Null();
    j.EndObject();
}

void AddResolvedRow(TextTable& t, const Resolved& res)
{
    t.AddRow({KindHex(res.kind), KindName(res.kind), OrNone(res.path),
              res.overridden ? "override " + EnvironValueName(res.overrideCode) : CString()});
}

int WriteResolved(const Request& r, const std::vector<Resolved>& rows, bool header, Output& o)
{
    if (r.json) {
        JsonWriter j;
        j.BeginArray();
        for (const Resolved& res : rows) JsonResolved(j, res);
        j.EndArray();
        o.out += j.Text();
        return EXIT_DONE;
    }
    TextTable t;
    if (header) t.AddRow({"KIND", "NAME", "PATH", "DECIDED BY"});
    for (const Resolved& res : rows) AddResolvedRow(t, res);
    o.out += t.Render(0);
    return EXIT_DONE;
}

int RunPath(const Request& r, Output& o)
{
    CEnvironObj env;
    std::vector<Resolved> rows;
    for (unsigned long kind : r.kinds) rows.push_back(Resolve(env, kind));
    return WriteResolved(r, rows, false, o);
}

int RunPaths(const Request& r, Output& o)
{
    CEnvironObj env;
    std::vector<Resolved> rows;
    for (const KindEntry& k : AcceptedKinds()) {
        rows.push_back(Resolve(env, k.code));
        // An application's kind is listed when asked for all, or when a value of its
        // own under Environ redirects it.
        for (const AppEntry& a : ApplicationCodes())
            if (r.allApps || HasOverride(env, k.code | a.code)) rows.push_back(Resolve(env, k.code | a.code));
    }
    return WriteResolved(r, rows, true, o);
}

// ---------------------------------------------------------------------------------
// tree

struct Numbered {
    unsigned long no;
    CString fileName;
    CString name;   // display name: the base name
};

std::vector<Numbered> ListNumberedFolders(const CEnvironObj& env, const CString& dir)
{
    CSelFileList list;
    list.AddFileList(env, dir, "", nullptr, SELFILE_FOLDER, nullptr, nullptr);
    std::vector<Numbered> r;
    for (int i = 0; i < list.GetCnt(); ++i) r.push_back({list.GetFileNo(i), list.GetFileName(i), list.GetDispStr(i)});
    return r;
}

CString JoinPath(const CEnvironObj& env, const CString& dir, const CString& name)
{
    CString p(dir);
    env.AddFileName(p, name);
    return p;
}

CString NumberColumns(unsigned long no)
{
    CString s;
    s.Format("%4lu  .%03lX", no, no);
    return s;
}

int RunTree(const Request& r, Output& o)
{
    CEnvironObj env;
    CString given = r.dir.IsEmpty() ? env.GetDataPath() : r.dir;
    CString root = env.GenbaPath(given, 0, 0);
    if (root.IsEmpty()) {
        o.err += "tree: no data path: none given, none in the current work and no data home\n";
        return EXIT_NOT_DONE;
    }
    if (env.IsExist(root) != EXIST_FOLDER) {
        o.err += "tree: no such folder: " + S(root) + "\n";
        return EXIT_NOT_DONE;
    }
    // The current work is marked when the tree is that of its data path.
    bool isCurrent = env.GenbaPath(env.GetDataPath(), 0, 0).CompareNoCase(root) == 0;
    unsigned short curFolder = isCurrent ? env.GetFNo() : 0;
    unsigned short curSite = isCurrent ? env.GetGNo() : 0;

    std::vector<Numbered> folders = ListNumberedFolders(env, root);
    if (r.json) {
        JsonWriter j;
        j.BeginObject().Field("dataPath", root).Key("folders").BeginArray();
        for (const Numbered& f : folders) {
            j.BeginObject()
                .Field("no", static_cast<unsigned long long>(f.no))
                .Field("ext", env.GetExtStr(f.no))
                .Field("name", f.name)
                .Field("fileName", f.fileName)
                .Field("current", f.no == curFolder);
            j.Key("sites").BeginArray();
            for (const Numbered& s : ListNumberedFolders(env, JoinPath(env, root, f.fileName)))
                j.BeginObject()
                    .Field("no", static_cast<unsigned long long>(s.no))
                    .Field("ext", env.GetExtStr(s.no))
                    .Field("name", s.name)
                    .Field("fileName", s.fileName)
                    .Field("current", f.no == curFolder && s.no == curSite)
                    .EndObject();
            j.EndArray().EndObject();
        }
        j.EndArray().EndObject();
        o.out += j.Text();
        return EXIT_DONE;
    }

    o.out += S(root) + "\n";
    if (folders.empty()) o.out += "  (no numbered folders)\n";
    for (const Numbered& f : folders) {
        o.out += "  folder " + S(NumberColumns(f.no)) + "  " + S(f.name) + (f.no == curFolder ? "  <- current" : "") + "\n";
        std::vector<Numbered> sites = ListNumberedFolders(env, JoinPath(env, root, f.fileName));
        if (sites.empty()) o.out += "           (no sites)\n";
        for (const Numbered& s : sites)
            o.out += "    site " + S(NumberColumns(s.no)) + "    " + S(s.name) +
                     (f.no == curFolder && s.no == curSite ? "  <- current" : "") + "\n";
    }
    return EXIT_DONE;
}

// ---------------------------------------------------------------------------------
// files

struct FileFacts {
    bool known = false;
    bool folder = false;
    unsigned long long size = 0;
    CString modified;   // local time, "2024-05-01 09:30"
};

FileFacts FactsOf(const CString& path)
{
    FileFacts f;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return f;
    f.known = true;
    f.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    f.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    FILETIME local;
    SYSTEMTIME st;
    if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &st))
        f.modified.Format("%04u-%02u-%02u %02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute);
    return f;
}

CString SizeText(const FileFacts& f)
{
    if (!f.known) return "?";
    if (f.folder) return "<folder>";
    CString s;
    s.Format("%llu", f.size);
    return s;
}

struct Listed {
    CString type;   // type title (typed listing)
    unsigned long no;
    CString fileName;
    CString display;
    FileFacts facts;
};

// The listing the selectable file list gives. A typed listing is made one type at a
// time, which yields the same entries in the same order and tells each one's type.
std::vector<Listed> ListFiles(const CEnvironObj& env, const CString& dir, const Request& r, int& types)
{
    std::vector<Listed> rows;
    types = r.hasExtList ? env.GetExtCount(r.extList) : 0;
    auto take = [&](const CSelFileList& list, const CString& type) {
        for (int i = 0; i < list.GetCnt(); ++i)
            rows.push_back({type, list.GetFileNo(i), list.GetFileName(i), list.GetDispStr(i),
                            FactsOf(JoinPath(env, dir, list.GetFileName(i)))});
    };
    if (types <= 0) {
        CSelFileList list;
        list.AddFileList(env, dir, "", nullptr, r.listFlags, nullptr, nullptr);
        take(list, CString());
        return rows;
    }
    for (int i = 0; i < types; ++i) {
        CSelFileList list;
        CString title = env.GetExtTitle(r.extList, i);
        list.AddFileList(env, dir, title + "|" + env.GetExt(r.extList, i), nullptr, r.listFlags, nullptr, nullptr);
        take(list, title);
    }
    return rows;
}

int RunFiles(const Request& r, Output& o)
{
    CEnvironObj env;
    CString dir = r.dir;
    if (r.dirIsKind) {
        dir = env.GetPath(r.dirKind);
        if (dir.IsEmpty()) {
            o.err += "files: path kind " + S(KindName(r.dirKind)) + " (" + S(KindHex(r.dirKind)) +
                     ") resolves to no folder (no current site, or its home is not configured)\n";
            return EXIT_NOT_DONE;
        }
    }
    if (env.IsExist(dir) != EXIST_FOLDER) {
        o.err += "files: no such folder: " + S(dir) + "\n";
        return EXIT_NOT_DONE;
    }
    int types = 0;
    std::vector<Listed> rows = ListFiles(env, dir, r, types);
    bool numbered = types <= 0;

    if (r.json) {
        JsonWriter j;
        j.BeginObject()
            .Field("folder", dir)
            .Field("listing", numbered ? "numbered" : "typed")
            .Field("extList", r.extList)
            .Key("entries")
            .BeginArray();
        for (const Listed& e : rows) {
            j.BeginObject();
            if (numbered)
                j.Field("no", static_cast<unsigned long long>(e.no));
            else
                j.Field("type", e.type);
            j.Field("fileName", e.fileName).Field("display", e.display);
            int tab = e.display.Find('\t');
            j.Field("memo", tab >= 0 ? e.display.Left(tab) : e.display);
            j.Field("folder", e.facts.folder);
            if (e.facts.known && !e.facts.folder)
                j.Field("size", e.facts.size);
            j.Field("modified", e.facts.modified);
            j.EndObject();
        }
        j.EndArray().EndObject();
        o.out += j.Text();
        return EXIT_DONE;
    }

    CString what;
    what.Format("%s listing, %d %s", numbered ? "numbered" : "typed", static_cast<int>(rows.size()),
                rows.size() == 1 ? "entry" : "entries");
    o.out += S(dir) + "  (" + S(what) + ")\n";
    if (rows.empty()) return EXIT_DONE;
    TextTable t;
    if (numbered) {
        t.AddRow({"NO", "EXT", "MEMO", "FILE", "SIZE", "MODIFIED"});
        t.AlignRight(0);
        t.AlignRight(4);
    } else {
        t.AddRow({"TYPE", "FILE", "SIZE", "MODIFIED"});
        t.AlignRight(2);
    }
    for (const Listed& e : rows) {
        if (numbered)
            t.AddRow({Number(e.no), env.GetExtStr(e.no), e.display, e.fileName, SizeText(e.facts), e.facts.modified});
        else
            t.AddRow({e.type, e.display, SizeText(e.facts), e.facts.modified});
    }
    o.out += t.Render(2);
    return EXIT_DONE;
}

// ---------------------------------------------------------------------------------
// work

int WriteWork(const Request& r, Output& o)
{
    CEnvironObj env;
    InstallInfo info = ReadInstall(env);
    WorkInfo work = ReadWork(env);
    if (r.json) {
        JsonWriter j;
        JsonWork(j, work);
        o.out += j.Text();
    } else {
        TextWork(work, DataKeyPath(info, DataRoot::User, "", kCurrentWork), o.out);
    }
    return EXIT_DONE;
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
        const Step steps[3] = {{r.hasDataPath, "DataPath", false, 0},
                               {r.hasFolder, "FolderNo", true, r.folderNo},
                               {r.hasSite, "GenbaNo", true, r.siteNo}};
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
                         S(ValueRef(DataKeyPath(ReadInstall(env), DataRoot::User, "", kCurrentWork), steps[i].name)) +
                         "; nothing was changed\n";
                return EXIT_NOT_DONE;
            }
        }
        if (r.hasDataPath && !r.dataPath.IsEmpty() && env.IsExist(r.dataPath) != EXIST_FOLDER)
            o.err += "note: the data path " + S(r.dataPath) + " is not there (yet)\n";
    }
    // A new environment object reads what was stored: that is what applications see.
    return WriteWork(r, o);
}

// ---------------------------------------------------------------------------------
// get, set, del

struct DataAccess {
    const CEnvironObj& env;
    DataRoot root;
    const CString& section;
    const CString& entry;
    const CString& name;

    bool User() const { return root == DataRoot::User; }
    int GetDWord(unsigned long& v) const
    {
        return User() ? env.GetUserDataDWord(section, entry, name, v) : env.GetMachineDataDWord(section, entry, name, v);
    }
    int GetStr(CString& v) const
    {
        return User() ? env.GetUserDataStr(section, entry, name, v) : env.GetMachineDataStr(section, entry, name, v);
    }
    unsigned long GetBuffSize() const
    {
        return User() ? env.GetUserDataBuffSize(section, entry, name) : env.GetMachineDataBuffSize(section, entry, name);
    }
    int GetBuff(void* buf, unsigned long size) const
    {
        return User() ? env.GetUserDataBuff(section, entry, name, buf, size)
                      : env.GetMachineDataBuff(section, entry, name, buf, size);
    }
    int SetDWord(unsigned long v) const
    {
        return User() ? env.SetUserDataDWord(section, entry, name, v) : env.SetMachineDataDWord(section, entry, name, v);
    }
    int SetStr(const CString& v) const
    {
        return User() ? env.SetUserDataStr(section, entry, name, v) : env.SetMachineDataStr(section, entry, name, v);
    }
    int SetBuff(const std::string& b) const
    {
        return User() ? env.SetUserDataBuff(section, entry, name, b.data(), static_cast<unsigned long>(b.size()))
                      : env.SetMachineDataBuff(section, entry, name, b.data(), static_cast<unsigned long>(b.size()));
    }
    int Del() const { return User() ? env.DelUserData(section, entry, name) : env.DelMachineData(section, entry, name); }
    int DelKey() const { return User() ? env.DelUserSection(section, entry) : env.DelMachineSection(section, entry); }
};

struct ReadValue {
    ValueType type = ValueType::Any;   // Any: nothing read
    unsigned long dword = 0;
    CString str;
    std::string bytes;
};

// Reads a value of the asked type, or of the first type that fits: number, text, bytes.
ReadValue ReadData(const DataAccess& a, ValueType wanted)
{
    ReadValue v;
    if ((wanted == ValueType::Any || wanted == ValueType::DWord) && a.GetDWord(v.dword)) {
        v.type = ValueType::DWord;
        return v;
    }
    if ((wanted == ValueType::Any || wanted == ValueType::Str) && a.GetStr(v.str)) {
        v.type = ValueType::Str;
        return v;
    }
    if (wanted == ValueType::Any || wanted == ValueType::Hex) {
        unsigned long size = a.GetBuffSize();
        std::unique_ptr<char[]> buf(new (std::nothrow) char[size + 1]);
        if (buf && a.GetBuff(buf.get(), size)) {
            v.type = ValueType::Hex;
            v.bytes.assign(buf.get(), size);
        }
    }
    return v;
}

const char* TypeName(ValueType t)
{
    switch (t) {
    case ValueType::DWord: return "dword";
    case ValueType::Str: return "str";
    case ValueType::Hex: return "hex";
    case ValueType::Any: break;
    }
    return "value";
}

std::string HexText(const std::string& bytes)
{
    std::string r;
    char buf[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(bytes[i]));
        r += (i ? " " : "") + std::string(buf);
    }
    return r;
}

void JsonValue(JsonWriter& j, const ReadValue& v)
{
    j.Field("type", TypeName(v.type));
    j.Key("value");
    switch (v.type) {
    case ValueType::DWord: j.Number(v.dword); break;
    case ValueType::Str: j.String(v.str); break;
    case ValueType::Hex: j.String(CString(HexText(v.bytes).c_str())); break;
    case ValueType::Any: j.Null(); break;
    }
    if (v.type == ValueType::Hex) j.Field("size", static_cast<unsigned long long>(v.bytes.size()));
}

std::string ValueText(const ReadValue& v)
{
    switch (v.type) {
    case ValueType::DWord: return std::to_string(v.dword);
    case ValueType::Str: return S(v.str);
    case ValueType::Hex: return HexText(v.bytes);
    case ValueType::Any: break;
    }
    return std::string();
}

void JsonAddress(JsonWriter& j, const Request& r, const CString& key)
{
    j.Field("root", r.root == DataRoot::User ? "user" : "machine")
        .Field("section", r.section)
        .Field("entry", r.entry)
        .Field("key", key);
}

// The JSON record of one stored value: its address, its name and its typed value.
std::string ValueRecordJson(const Request& r, const CString& key, const ReadValue& v)
{
    JsonWriter j;
    j.BeginObject();
    JsonAddress(j, r, key);
    j.Field("name", r.name);
    JsonValue(j, v);
    j.EndObject();
    return j.Text();
}

int RunGet(const Request& r, Output& o)
{
    CEnvironObj env;
    CString key = DataKeyPath(ReadInstall(env), r.root, r.section, r.entry);
    DataAccess a{env, r.root, r.section, r.entry, r.name};
    ReadValue v = ReadData(a, r.type);
    if (v.type == ValueType::Any) {
        o.err += std::string("get: no ") + (r.type == ValueType::Any ? "" : std::string(TypeName(r.type)) + " ") +
                 "value " + S(ValueRef(key, r.name)) + "\n";
        return EXIT_NOT_DONE;
    }
    if (r.json) {
        o.out += ValueRecordJson(r, key, v);
    } else {
        o.out += ValueText(v) + "\n";
    }
    return EXIT_DONE;
}

int RunSet(const Request& r, Output& o)
{
    CEnvironObj env;
    CString key = DataKeyPath(ReadInstall(env), r.root, r.section, r.entry);
    DataAccess a{env, r.root, r.section, r.entry, r.name};
    ReadValue v;
    v.type = r.type;
    int ok = 0;
    switch (r.type) {
    case ValueType::DWord:
        ok = a.SetDWord(r.dword);
        v.dword = r.dword;
        break;
    case ValueType::Str:
        ok = a.SetStr(r.str);
        v.str = r.str;
        break;
    case ValueType::Hex:
        ok = a.SetBuff(r.bytes);
        v.bytes = r.bytes;
        break;
    case ValueType::Any: break;
    }
    if (!ok) {
        o.err += "set: could not write " + S(ValueRef(key, r.name)) + "\n";
        return EXIT_NOT_DONE;
    }
    if (r.json) {
        o.out += ValueRecordJson(r, key, v);
    } else {
        o.out += "set " + S(ValueRef(key, r.name)) + " (" + TypeName(v.type) + ") = " + ValueText(v) + "\n";
    }
    return EXIT_DONE;
}

int RunDel(const Request& r, Output& o)
{
    CEnvironObj env;
    CString key = DataKeyPath(ReadInstall(env), r.root, r.section, r.entry);
    DataAccess a{env, r.root, r.section, r.entry, r.name};
    std::string done;
    bool deleted = true;
    if (r.wholeKey) {
        if (!a.DelKey()) {
            o.err += "del: could not delete the key " + S(key) + " (not there, or not all of it)\n";
            return EXIT_NOT_DONE;
        }
        done = "deleted key " + S(key);
    } else {
        bool wasThere = ReadData(a, ValueType::Any).type != ValueType::Any;
        if (!a.Del()) {
            o.err += "del: no such key " + S(key) + "\n";
            return EXIT_NOT_DONE;
        }
        done = (wasThere ? "deleted " : "nothing to delete: no value ") + S(ValueRef(key, r.name));
        deleted = wasThere;
    }
    if (r.json) {
        JsonWriter j;
        j.BeginObject();
        JsonAddress(j, r, key);
        if (!r.wholeKey) j.Field("name", r.name);
        j.Field("deleted", deleted).EndObject();
        o.out += j.Text();
    } else {
        o.out += done + "\n";
    }
    return EXIT_DONE;
}

} // namespace

int RunRequest(const Request& r, Output& o)
{
    switch (r.command) {
    case Command::Help: o.out += HelpText(); return EXIT_DONE;
    case Command::Show: return RunShow(r, o);
    case Command::Path: return RunPath(r, o);
    case Command::Paths: return RunPaths(r, o);
    case Command::Tree: return RunTree(r, o);
    case Command::Files: return RunFiles(r, o);
    case Command::WorkShow: return WriteWork(r, o);
    case Command::WorkSet: return RunWorkSet(r, o);
    case Command::Get: return RunGet(r, o);
    case Command::Set: return RunSet(r, o);
    case Command::Del: return RunDel(r, o);
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

// tree, files: the numbered folders and sites of a data path, and the selectable files
// of a folder, as the library's file list gives them.
#include "cmdutil.h"
#include "format.h"
#include "kinds.h"

#include <genbaenv/selfile.h>
#include <windows.h>

#include <vector>

namespace genbatool {

namespace {

struct Numbered {
    unsigned long no;
    CString fileName;
    CString name;   // display name: the base name
    bool current;
};

struct TreeFolder {
    Numbered folder;
    std::vector<Numbered> sites;
};

struct TreeRecord {
    CString root;
    std::vector<TreeFolder> folders;
};

// The numbered folders of dir; `current` marks the one with that number (0: none).
std::vector<Numbered> ListNumberedFolders(const CEnvironObj& env, const CString& dir, unsigned long current)
{
    CSelFileList list;
    list.AddFileList(env, dir, "", nullptr, SELFILE_FOLDER, nullptr, nullptr);
    std::vector<Numbered> r;
    for (int i = 0; i < list.GetCnt(); ++i)
        r.push_back({list.GetFileNo(i), list.GetFileName(i), list.GetDispStr(i), current != 0 && list.GetFileNo(i) == current});
    return r;
}

TreeRecord ReadTree(const CEnvironObj& env, const CString& root)
{
    // The current work is marked when the tree is that of its data path.
    const bool isCurrent = env.GenbaPath(env.GetDataPath(), 0, 0).CompareNoCase(root) == 0;
    TreeRecord t;
    t.root = root;
    for (const Numbered& f : ListNumberedFolders(env, root, isCurrent ? env.GetFNo() : 0))
        t.folders.push_back({f, ListNumberedFolders(env, JoinPath(env, root, f.fileName), f.current ? env.GetGNo() : 0)});
    return t;
}

void JsonNumbered(JsonWriter& j, const CEnvironObj& env, const Numbered& n)
{
    j.Field("no", static_cast<unsigned long long>(n.no))
        .Field("ext", env.GetExtStr(n.no))
        .Field("name", n.name)
        .Field("fileName", n.fileName)
        .Field("current", n.current);
}

std::string JsonTree(const CEnvironObj& env, const TreeRecord& t)
{
    JsonWriter j;
    j.BeginObject().Field("dataPath", t.root).Key("folders").BeginArray();
    for (const TreeFolder& f : t.folders) {
        j.BeginObject();
        JsonNumbered(j, env, f.folder);
        j.Key("sites").BeginArray();
        for (const Numbered& s : f.sites) {
            j.BeginObject();
            JsonNumbered(j, env, s);
            j.EndObject();
        }
        j.EndArray().EndObject();
    }
    j.EndArray().EndObject();
    return j.Text();
}

CString NumberColumns(unsigned long no)
{
    CString s;
    s.Format("%4lu  .%03lX", no, no);
    return s;
}

std::string TextTree(const TreeRecord& t)
{
    std::string out = S(t.root) + "\n";
    if (t.folders.empty()) out += "  (no numbered folders)\n";
    for (const TreeFolder& f : t.folders) {
        out += "  folder " + S(NumberColumns(f.folder.no)) + "  " + S(f.folder.name) +
               (f.folder.current ? "  <- current" : "") + "\n";
        if (f.sites.empty()) out += "           (no sites)\n";
        for (const Numbered& s : f.sites)
            out += "    site " + S(NumberColumns(s.no)) + "    " + S(s.name) + (s.current ? "  <- current" : "") + "\n";
    }
    return out;
}

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

struct FilesRecord {
    CString dir;
    CString extList;
    bool numbered = true;
    std::vector<Listed> rows;
};

// The listing the selectable file list gives. A typed listing is made one type at a
// time, which yields the same entries in the same order and tells each one's type.
FilesRecord ReadFiles(const CEnvironObj& env, const CString& dir, const Request& r)
{
    FilesRecord rec;
    rec.dir = dir;
    rec.extList = r.extList;
    const int types = r.hasExtList ? env.GetExtCount(r.extList) : 0;
    rec.numbered = types <= 0;
    auto take = [&](const CSelFileList& list, const CString& type) {
        for (int i = 0; i < list.GetCnt(); ++i)
            rec.rows.push_back({type, list.GetFileNo(i), list.GetFileName(i), list.GetDispStr(i),
                                FactsOf(JoinPath(env, dir, list.GetFileName(i)))});
    };
    if (rec.numbered) {
        CSelFileList list;
        list.AddFileList(env, dir, "", nullptr, r.listFlags, nullptr, nullptr);
        take(list, CString());
        return rec;
    }
    for (int i = 0; i < types; ++i) {
        CSelFileList list;
        CString title = env.GetExtTitle(r.extList, i);
        list.AddFileList(env, dir, title + "|" + env.GetExt(r.extList, i), nullptr, r.listFlags, nullptr, nullptr);
        take(list, title);
    }
    return rec;
}

std::string JsonFiles(const FilesRecord& rec)
{
    JsonWriter j;
    j.BeginObject()
        .Field("folder", rec.dir)
        .Field("listing", rec.numbered ? "numbered" : "typed")
        .Field("extList", rec.extList)
        .Key("entries")
        .BeginArray();
    for (const Listed& e : rec.rows) {
        j.BeginObject();
        if (rec.numbered)
            j.Field("no", static_cast<unsigned long long>(e.no));
        else
            j.Field("type", e.type);
        j.Field("fileName", e.fileName).Field("display", e.display);
        int tab = e.display.Find('\t');
        j.Field("memo", tab >= 0 ? e.display.Left(tab) : e.display);
        j.Field("folder", e.facts.folder);
        if (e.facts.known && !e.facts.folder) j.Field("size", e.facts.size);
        j.Field("modified", e.facts.modified);
        j.EndObject();
    }
    j.EndArray().EndObject();
    return j.Text();
}

std::string TextFiles(const CEnvironObj& env, const FilesRecord& rec)
{
    CString what;
    what.Format("%s listing, %d %s", rec.numbered ? "numbered" : "typed", static_cast<int>(rec.rows.size()),
                rec.rows.size() == 1 ? "entry" : "entries");
    std::string out = S(rec.dir) + "  (" + S(what) + ")\n";
    if (rec.rows.empty()) return out;
    TextTable t;
    if (rec.numbered) {
        t.AddRow({"NO", "EXT", "MEMO", "FILE", "SIZE", "MODIFIED"});
        t.AlignRight(0);
        t.AlignRight(4);
    } else {
        t.AddRow({"TYPE", "FILE", "SIZE", "MODIFIED"});
        t.AlignRight(2);
    }
    for (const Listed& e : rec.rows) {
        if (rec.numbered)
            t.AddRow({Number(e.no), env.GetExtStr(e.no), e.display, e.fileName, SizeText(e.facts), e.facts.modified});
        else
            t.AddRow({e.type, e.display, SizeText(e.facts), e.facts.modified});
    }
    return out + t.Render(2);
}

} // namespace

int RunTree(const Request& r, Output& o)
{
    CEnvironObj env;
    CString root = env.GenbaPath(r.dir.IsEmpty() ? env.GetDataPath() : r.dir, 0, 0);
    if (root.IsEmpty()) {
        o.err += "tree: no data path: none given, none in the current work and no data home\n";
        return EXIT_NOT_DONE;
    }
    if (env.IsExist(root) != EXIST_FOLDER) {
        o.err += "tree: no such folder: " + S(root) + "\n";
        return EXIT_NOT_DONE;
    }
    TreeRecord t = ReadTree(env, root);
    o.out += r.json ? JsonTree(env, t) : TextTree(t);
    return EXIT_DONE;
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
    FilesRecord rec = ReadFiles(env, dir, r);
    o.out += r.json ? JsonFiles(rec) : TextFiles(env, rec);
    return EXIT_DONE;
}

} // namespace genbatool

#include "kinds.h"

#include <genbaenv/diagnostics.h>
#include <genbaenv/pathkind.h>

#include <cstdio>

namespace genbatool {

namespace {

struct BaseEntry {
    unsigned long code;
    const char* name;
};

const BaseEntry kBases[] = {
    {PATHBASE_PROGRAM, "program"}, {PATHBASE_SYSTEM, "system"}, {PATHBASE_GENBA, "site"},
    {PATHBASE_HELP, "help"},       {PATHBASE_TEMP, "temp"},     {PATHBASE_SERVER, "server"},
};

// Names that are accepted besides the readable names of AcceptedKinds.
const KindEntry kAliases[] = {
    {PATHKIND_QMS_SERVER, "server.qms_server"},
};

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
unsigned HexValue(char c)
{
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    return static_cast<unsigned>(c - 'A' + 10);
}

bool AllHex(const CString& s, int from)
{
    if (s.GetLength() <= from) return false;
    for (int i = from; i < s.GetLength(); ++i)
        if (!IsHexDigit(s.GetAt(i))) return false;
    return true;
}

std::string Quoted(const CString& s) { return "'" + std::string(static_cast<const char*>(s)) + "'"; }

const KindEntry* FindKindByCode(unsigned long level2)
{
    for (const KindEntry& k : AcceptedKinds())
        if (k.code == level2) return &k;
    return nullptr;
}

const AppEntry* FindAppByCode(unsigned long app)
{
    for (const AppEntry& a : ApplicationCodes())
        if (a.code == app) return &a;
    return nullptr;
}

std::string BaseNames()
{
    std::string r;
    for (const BaseEntry& b : kBases) r += (r.empty() ? "" : ", ") + std::string(b.name);
    return r;
}

// The subfolder names of one base, for messages: "main, cad, ...".
std::string SubfolderNames(const char* base)
{
    std::string prefix = std::string(base) + ".";
    std::string r;
    for (const KindEntry& k : AcceptedKinds()) {
        std::string name = k.name;
        if (name.compare(0, prefix.size(), prefix) == 0) r += (r.empty() ? "" : ", ") + name.substr(prefix.size());
    }
    return r;
}

bool ParseHexKind(const CString& text, int digitsFrom, unsigned long& kind, std::string& error)
{
    unsigned long long value = 0;
    for (int i = digitsFrom; i < text.GetLength(); ++i) {
        value = value * 16 + HexValue(text.GetAt(i));
        if (value > 0xFFFFFFFFULL) {
            error = "path kind " + Quoted(text) + " is out of range (at most 32 bits, 0xFFFFFFFF)";
            return false;
        }
    }
    unsigned long code = static_cast<unsigned long>(value);
    if (!FindKindByCode(code & PATHKIND_LEVEL2_MASK)) {
        error = "unknown path kind " + std::string(KindHex(code)) +
                ": no such base and subfolder (see 'genbaenv-tool paths' for the accepted kinds)";
        return false;
    }
    unsigned long app = code & PATHKIND_APP_MASK;
    if (app != 0 && !FindAppByCode(app)) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "unknown application code 0x%04lX in path kind 0x%08lX (0x0100 VQA to 0x0B00 VQK)",
                      app, code);
        error = buf;
        return false;
    }
    kind = code;
    return true;
}

bool ParseNamedKind(const CString& text, unsigned long& kind, std::string& error)
{
    CString lower(text);
    lower.MakeLower();
    CString kindPart = lower;
    CString appPart;
    bool hasApp = false;
    int plus = lower.Find('+');
    if (plus >= 0) {
        kindPart = lower.Left(plus);
        appPart = lower.Mid(plus + 1);
        hasApp = true;
    }

    unsigned long level2 = 0;
    for (const KindEntry& k : AcceptedKinds())
        if (kindPart == k.name) level2 = k.code;
    for (const KindEntry& k : kAliases)
        if (kindPart == k.name) level2 = k.code;
    if (level2 == 0) {
        CString base = kindPart;
        int dot = kindPart.Find('.');
        if (dot >= 0) base = kindPart.Left(dot);
        const BaseEntry* found = nullptr;
        for (const BaseEntry& b : kBases)
            if (base == b.name) found = &b;
        if (!found) {
            error = "unknown path kind " + Quoted(text) + ": unknown base " + Quoted(base) + " (bases: " + BaseNames() + ")";
        } else if (dot < 0) {
            error = "path kind " + Quoted(text) + " needs a subfolder: " + std::string(found->name) + ".NAME with NAME one of " +
                    SubfolderNames(found->name);
        } else {
            std::string subs = SubfolderNames(found->name);
            error = "unknown path kind " + Quoted(text) + ": " + std::string(found->name) + " has no subfolder " +
                    Quoted(kindPart.Mid(dot + 1)) + " (" +
                    (subs.empty() ? "use " + std::string(found->name) + " alone" : "it has " + subs) + ")";
        }
        return false;
    }

    unsigned long app = 0;
    if (hasApp) {
        for (const AppEntry& a : ApplicationCodes()) {
            CString name(a.name);
            name.MakeLower();
            if (appPart == name) app = a.code;
        }
        if (app == 0) {
            error = "unknown application code " + Quoted(text.Mid(plus + 1)) + " in path kind " + Quoted(text) +
                    " (VQA to VQK)";
            return false;
        }
    }
    kind = level2 | app;
    return true;
}

} // namespace

const std::vector<KindEntry>& AcceptedKinds()
{
    static const std::vector<KindEntry> kinds = [] {
        const GenbaNamedCode* table = nullptr;
        const int n = GenbaAcceptedKinds(&table);
        return std::vector<KindEntry>(table, table + n);
    }();
    return kinds;
}

const std::vector<AppEntry>& ApplicationCodes()
{
    static const std::vector<AppEntry> apps = [] {
        const GenbaNamedCode* table = nullptr;
        const int n = GenbaApplicationCodes(&table);
        return std::vector<AppEntry>(table, table + n);
    }();
    return apps;
}

bool ParseKind(const CString& text, unsigned long& kind, std::string& error)
{
    if (text.IsEmpty()) {
        error = "missing path kind (a name such as site.main, or a code such as 0x03020000)";
        return false;
    }
    if (text.GetLength() > 2 && text.GetAt(0) == '0' && (text.GetAt(1) == 'x' || text.GetAt(1) == 'X')) {
        if (!AllHex(text, 2)) {
            error = "bad path kind " + Quoted(text) + ": not a hexadecimal number";
            return false;
        }
        return ParseHexKind(text, 2, kind, error);
    }
    // Eight hexadecimal digits, the way the "Environ" values are named. No readable
    // name has eight characters that are all hexadecimal digits.
    if (text.GetLength() == 8 && AllHex(text, 0)) return ParseHexKind(text, 0, kind, error);
    return ParseNamedKind(text, kind, error);
}

CString KindName(unsigned long kind)
{
    const KindEntry* k = FindKindByCode(kind & PATHKIND_LEVEL2_MASK);
    if (!k) return CString();
    unsigned long app = kind & PATHKIND_APP_MASK;
    if (app == 0) return CString(k->name);
    const AppEntry* a = FindAppByCode(app);
    if (!a) return CString();
    return CString(k->name) + "+" + a->name;
}

CString KindHex(unsigned long kind)
{
    CString s;
    s.Format("0x%08lX", kind);
    return s;
}

CString EnvironValueName(unsigned long code)
{
    CString s;
    s.Format("%08lX", code);
    return s;
}

} // namespace genbatool

#include "args.h"

#include "cmd_dialog.h"
#include "kinds.h"

#include <genbaenv/environ.h>

namespace genbatool {

namespace {

struct CommandForm {
    const char* name;
    Command command;
    int minOperands;
    int maxOperands;   // -1: no limit
    std::vector<OptionSpec> options;
};

const std::vector<CommandForm>& Commands()
{
    static const std::vector<CommandForm> commands = {
        {"help", Command::Help, 0, 1, {}},
        {"show", Command::Show, 0, 0, {}},
        {"path", Command::Path, 1, -1, {}},
        {"paths", Command::Paths, 0, 0, {{"--all", false}}},
        {"tree", Command::Tree, 0, 1, {}},
        {"files", Command::Files, 1, 2, {{"--folders", false}, {"--hidden", false}}},
        {"work", Command::WorkShow, 0, 0, {}},
        {"work set", Command::WorkSet, 0, 0, {{"--data", true}, {"--folder", true}, {"--site", true}}},
        {"get", Command::Get, 4, 4, {{"--dword", false}, {"--str", false}, {"--hex", false}}},
        {"set", Command::Set, 4, 4, {{"--dword", true}, {"--str", true}, {"--hex", true}}},
        {"del", Command::Del, 3, 4, {{"--key", false}}},
        {"version", Command::Version, 0, 0, {}},
    };
    return commands;
}

// "dialog KIND": one form for each kind the dialog family knows.
const CommandForm* FindDialogCommand(const std::string& kind)
{
    static std::vector<CommandForm> forms;
    if (forms.empty())
        for (const DialogKind& k : DialogKinds()) {
            CommandForm f{k.name, Command::Dialog, k.minOperands, k.maxOperands, k.options};
            f.options.push_back({"--screenshot", true});
            forms.push_back(f);
        }
    for (const CommandForm& f : forms)
        if (kind == f.name) return &f;
    return nullptr;
}

const CommandForm* FindCommand(const std::string& name)
{
    for (const CommandForm& c : Commands())
        if (name == c.name) return &c;
    return nullptr;
}

struct ParsedOption {
    std::string name;
    CString value;
};

std::string Str(const CString& s) { return std::string(static_cast<const char*>(s)); }
std::string Quoted(const CString& s) { return "'" + Str(s) + "'"; }

bool IsGlobalFlag(const std::string& name) { return name == "--json" || name == "--raw" || name == "--help" || name == "-h"; }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
unsigned HexValue(char c)
{
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    return static_cast<unsigned>(c - 'A' + 10);
}

const ParsedOption* FindOption(const std::vector<ParsedOption>& options, const char* name)
{
    for (const ParsedOption& o : options)
        if (o.name == name) return &o;
    return nullptr;
}

bool ParseRoot(const CString& text, DataRoot& root, std::string& error)
{
    CString lower(text);
    lower.MakeLower();
    if (lower == "user") {
        root = DataRoot::User;
        return true;
    }
    if (lower == "machine") {
        root = DataRoot::Machine;
        return true;
    }
    error = "unknown data root " + Quoted(text) + " (user or machine)";
    return false;
}

// The one type option of get or set; two of them are refused.
bool TakeValueType(const std::vector<ParsedOption>& options, ValueType& type, const ParsedOption*& option,
                   std::string& error)
{
    static const struct {
        const char* name;
        ValueType type;
    } kTypes[] = {{"--dword", ValueType::DWord}, {"--str", ValueType::Str}, {"--hex", ValueType::Hex}};
    type = ValueType::Any;
    option = nullptr;
    for (const auto& t : kTypes) {
        const ParsedOption* o = FindOption(options, t.name);
        if (!o) continue;
        if (option) {
            error = option->name + " and " + o->name + " cannot be combined: give one type";
            return false;
        }
        option = o;
        type = t.type;
    }
    return true;
}

bool CheckDataAddress(const std::vector<CString>& operands, Request& r, std::string& error)
{
    if (!ParseRoot(operands[0], r.root, error)) return false;
    r.section = operands[1];
    r.entry = operands[2];
    if (operands.size() > 3) r.name = operands[3];
    return true;
}

bool CheckPath(const std::vector<CString>& operands, Request& r, std::string& error)
{
    for (const CString& k : operands) {
        unsigned long kind = 0;
        if (!ParseKind(k, kind, error)) return false;
        r.kinds.push_back(kind);
    }
    return true;
}

// DIR of files: a folder, or a path kind when the text has no path separator or colon
// and reads as one.
void TakeListingFolder(const CString& text, Request& r)
{
    r.dir = text;
    r.dirIsKind = false;
    if (text.FindOneOf("\\/:") >= 0) return;
    std::string ignored;
    unsigned long kind = 0;
    if (ParseKind(text, kind, ignored)) {
        r.dirIsKind = true;
        r.dirKind = kind;
    }
}

bool CheckFiles(const std::vector<CString>& operands, const std::vector<ParsedOption>& options, Request& r,
                std::string& error)
{
    if (operands[0].IsEmpty()) {
        error = "files: the folder is empty";
        return false;
    }
    TakeListingFolder(operands[0], r);
    if (operands.size() > 1) {
        r.hasExtList = true;
        r.extList = operands[1];
    }
    if (FindOption(options, "--folders")) r.listFlags |= SELFILE_FOLDER;
    if (FindOption(options, "--hidden")) r.listFlags |= SELFILE_HIDDEN;
    return true;
}

bool CheckWorkSet(const std::vector<ParsedOption>& options, Request& r, std::string& error)
{
    const ParsedOption* data = FindOption(options, "--data");
    const ParsedOption* folder = FindOption(options, "--folder");
    const ParsedOption* site = FindOption(options, "--site");
    if (!data && !folder && !site) {
        error = "work set: missing argument: give --data PATH, --folder N or --site N";
        return false;
    }
    if (data) {
        if (!data->value.IsEmpty() && !IsAbsolutePath(data->value)) {
            error = "--data: " + Quoted(data->value) +
                    " is not an absolute path (C:\\Data or \\\\server\\share\\Data; empty for the data home)";
            return false;
        }
        r.hasDataPath = true;
        r.dataPath = data->value;
    }
    unsigned long n = 0;
    if (folder) {
        if (!ParseNumber(folder->value, 0, 0xFFF, "--folder", n, error)) return false;
        r.hasFolder = true;
        r.folderNo = static_cast<unsigned short>(n);
    }
    if (site) {
        if (!ParseNumber(site->value, 0, 0xFFF, "--site", n, error)) return false;
        r.hasSite = true;
        r.siteNo = static_cast<unsigned short>(n);
    }
    return true;
}

bool CheckSet(const std::vector<CString>& operands, const std::vector<ParsedOption>& options, Request& r,
              std::string& error)
{
    if (!CheckDataAddress(operands, r, error)) return false;
    const ParsedOption* option = nullptr;
    if (!TakeValueType(options, r.type, option, error)) return false;
    switch (r.type) {
    case ValueType::Any:
        error = "set: missing value: give --dword N, --str TEXT or --hex BYTES";
        return false;
    case ValueType::DWord:
        return ParseNumber(option->value, 0, 0xFFFFFFFFUL, "--dword", r.dword, error);
    case ValueType::Str:
        r.str = option->value;
        return true;
    case ValueType::Hex:
        return ParseHexBytes(option->value, r.bytes, error);
    }
    return true;
}

bool CheckDel(const std::vector<CString>& operands, const std::vector<ParsedOption>& options, Request& r,
              std::string& error)
{
    if (!CheckDataAddress(operands, r, error)) return false;
    r.wholeKey = FindOption(options, "--key") != nullptr;
    if (r.wholeKey && operands.size() > 3) {
        error = "del --key deletes a whole key: give no value name (got " + Quoted(operands[3]) + ")";
        return false;
    }
    if (!r.wholeKey && operands.size() < 4) {
        error = "del: missing value name (or --key to delete the whole key)";
        return false;
    }
    return true;
}

bool CheckOperands(const CommandForm& form, const std::vector<CString>& operands, std::string& error)
{
    int n = static_cast<int>(operands.size());
    if (n < form.minOperands) {
        static const struct {
            Command command;
            const char* what;
        } kMissing[] = {
            {Command::Path, "path: missing path kind (a name such as site.main, or a code such as 0x03020000)"},
            {Command::Files, "files: missing folder (a path or a path kind)"},
        };
        error = std::string(form.name) + ": missing argument: expected user|machine SECTION ENTRY" +
                (form.command == Command::Del ? " NAME or --key" : " NAME");
        for (const auto& m : kMissing)
            if (m.command == form.command) error = m.what;
        return false;
    }
    if (form.command == Command::WorkShow && n > 0) {
        error = "unknown work subcommand " + Quoted(operands[0]) + " (show or set)";
        return false;
    }
    if (form.maxOperands >= 0 && n > form.maxOperands) {
        error = std::string(form.name) + ": unexpected argument " + Quoted(operands[static_cast<size_t>(form.maxOperands)]);
        return false;
    }
    return true;
}

} // namespace

bool ParseNumber(const CString& text, unsigned long min, unsigned long max, const char* what, unsigned long& value,
                 std::string& error)
{
    int len = text.GetLength();
    bool hex = len > 2 && text.GetAt(0) == '0' && (text.GetAt(1) == 'x' || text.GetAt(1) == 'X');
    int from = hex ? 2 : 0;
    if (len == from) {
        error = std::string(what) + ": missing number";
        return false;
    }
    unsigned long long v = 0;
    bool tooLarge = false;
    for (int i = from; i < len; ++i) {
        char c = text.GetAt(i);
        bool ok = hex ? IsHexDigit(c) : (c >= '0' && c <= '9');
        if (!ok) {
            error = std::string(what) + ": " + Quoted(text) + " is not a number (decimal, or hexadecimal with 0x)";
            return false;
        }
        v = v * (hex ? 16 : 10) + (hex ? HexValue(c) : static_cast<unsigned>(c - '0'));
        if (v > 0xFFFFFFFFULL) {
            tooLarge = true;   // keep checking the remaining characters, without overflow
            v = 0xFFFFFFFFULL + 1;
        }
    }
    if (tooLarge || v < min || v > max) {
        error = std::string(what) + ": " + Str(text) + " is out of range (" + std::to_string(min) + " to " +
                std::to_string(max) + ")";
        return false;
    }
    value = static_cast<unsigned long>(v);
    return true;
}

bool ParseHexBytes(const CString& text, std::string& bytes, std::string& error)
{
    // Groups between separators hold whole bytes: "1 2" is refused, not read as 12.
    std::string result;
    std::string group;
    for (int i = 0; i <= text.GetLength(); ++i) {
        char c = i < text.GetLength() ? text.GetAt(i) : ' ';
        if (c == ' ' || c == ':' || c == ',' || c == '-') {
            if (group.size() % 2 != 0) {
                error = "--hex: " + Quoted(text) + " has an odd number of hexadecimal digits in '" + group +
                        "' (two a byte)";
                return false;
            }
            for (size_t k = 0; k < group.size(); k += 2)
                result += static_cast<char>(HexValue(group[k]) * 16 + HexValue(group[k + 1]));
            group.clear();
            continue;
        }
        if (!IsHexDigit(c)) {
            error = "--hex: " + Quoted(text) + " holds a character that is not a hexadecimal digit";
            return false;
        }
        group += c;
    }
    bytes = result;
    return true;
}

bool IsAbsolutePath(const CString& p)
{
    if (p.GetLength() >= 3 && p.GetAt(1) == ':' && (p.GetAt(2) == '\\' || p.GetAt(2) == '/')) {
        char d = p.GetAt(0);
        return (d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z');
    }
    // \\server\share: a server name and a share name.
    if (p.GetLength() >= 5 && p.GetAt(0) == '\\' && p.GetAt(1) == '\\') {
        int slash = p.Find('\\', 2);
        return slash > 2 && slash + 1 < p.GetLength() && p.GetAt(slash + 1) != '\\';
    }
    return false;
}

bool ParseCommandLine(const std::vector<CString>& args, Request& r, std::string& error)
{
    r = Request();
    // --help anywhere wins: whoever asks for help gets it, whatever else is there.
    for (const CString& a : args) {
        if (a == "--") break;
        if (a == "--help" || a == "-h") {
            r.command = Command::Help;
            return true;
        }
    }

    const CommandForm* form = nullptr;
    std::vector<CString> operands;
    std::vector<ParsedOption> options;
    bool endOfOptions = false;
    bool workWord = false;
    bool dialogWord = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const CString& a = args[i];
        if (!endOfOptions && a == "--") {
            endOfOptions = true;
            continue;
        }
        if (!endOfOptions && a.GetLength() > 1 && a.GetAt(0) == '-') {
            int eq = a.Find('=');
            std::string name = Str(eq >= 0 ? a.Left(eq) : a);
            if (IsGlobalFlag(name)) {
                if (eq >= 0) {
                    error = name + " takes no value";
                    return false;
                }
                (name == "--json" ? r.json : r.raw) = true;
                continue;
            }
            const OptionSpec* o = nullptr;
            if (form)
                for (const OptionSpec& s : form->options)
                    if (name == s.name) o = &s;
            if (!o) {
                error = "unknown option " + Quoted(CString(name.c_str())) +
                        (form ? " for '" + std::string(form->name) + "'" : std::string());
                return false;
            }
            if (FindOption(options, o->name)) {
                error = name + " given twice";
                return false;
            }
            ParsedOption parsed{name, CString()};
            if (o->takesValue) {
                if (eq >= 0) {
                    parsed.value = a.Mid(eq + 1);
                } else if (i + 1 < args.size()) {
                    parsed.value = args[++i];
                } else {
                    error = name + ": missing value";
                    return false;
                }
            } else if (eq >= 0) {
                error = name + " takes no value";
                return false;
            }
            options.push_back(parsed);
            continue;
        }
        if (dialogWord && !form) {
            form = FindDialogCommand(Str(a));
            if (!form) {
                error = "unknown dialog " + Quoted(a) + " (" + DialogKindNames() + ")";
                return false;
            }
            r.dialogKind = Str(a);
            continue;
        }
        if (form) {
            // work show, work set: the word after work, before any of its options.
            if (form->command == Command::WorkShow && !workWord && (a == "set" || a == "show")) {
                workWord = true;
                if (a == "set") form = FindCommand("work set");
                continue;
            }
            operands.push_back(a);
            continue;
        }
        if (a == "dialog") {
            dialogWord = true;
            continue;
        }
        form = FindCommand(Str(a));
        if (!form) {
            error = "unknown subcommand " + Quoted(a) + " (show, path, paths, tree, files, work, get, set, del, dialog, version, help)";
            return false;
        }
    }
    if (!form) {
        error = dialogWord ? "dialog: missing kind (" + DialogKindNames() + ")"
                           : "missing subcommand (show, path, paths, tree, files, work, get, set, del, dialog, version, help)";
        return false;
    }
    if (!CheckOperands(*form, operands, error)) return false;

    r.command = form->command;
    switch (form->command) {
    case Command::Help:
    case Command::Show:
    case Command::WorkShow:
    case Command::Version:
        return true;
    case Command::Path:
        return CheckPath(operands, r, error);
    case Command::Paths:
        r.allApps = FindOption(options, "--all") != nullptr;
        return true;
    case Command::Tree:
        if (!operands.empty()) r.dir = operands[0];
        return true;
    case Command::Files:
        return CheckFiles(operands, options, r, error);
    case Command::WorkSet:
        return CheckWorkSet(options, r, error);
    case Command::Get: {
        const ParsedOption* ignored = nullptr;
        return CheckDataAddress(operands, r, error) && TakeValueType(options, r.type, ignored, error);
    }
    case Command::Set:
        return CheckSet(operands, options, r, error);
    case Command::Del:
        return CheckDel(operands, options, r, error);
    case Command::Dialog:
        r.operands = operands;
        for (const ParsedOption& o : options) {
            if (o.name == "--screenshot")
                r.screenshot = o.value;
            else
                r.options.push_back({o.name, o.value});
        }
        return CheckDialog(r, error);
    }
    return true;
}

const CString* Request::Option(const char* name) const
{
    for (const auto& o : options)
        if (o.first == name) return &o.second;
    return nullptr;
}

std::string HelpText()
{
    return "genbaenv-tool: the suite's environment as every application sees it\n"
           "\n"
           "usage: genbaenv-tool [--json] [--raw] COMMAND [ARGUMENTS]\n"
           "\n"
           "  show                      installation (INI values, setup section, the five homes,\n"
           "                            ServerQMS), current work, server name, application type\n"
           "  path KIND...              resolve path kinds, by name (site.main, system.form,\n"
           "                            program.prog+VQA) or by code (0x03020000, 03020000)\n"
           "  paths [--all]             every accepted kind with its path and the per-user\n"
           "                            override that decided it (--all: with application codes)\n"
           "  tree [DATAPATH]           numbered folders and sites of a data path (default: the\n"
           "                            current one)\n"
           "  files DIR [EXTLIST]       the selectable file list of a folder (DIR: a path or a\n"
           "                            kind): numbered, or typed by EXTLIST (Data|.ABC|Old|.BAK);\n"
           "                            --folders lists folders, --hidden hidden entries\n"
           "  work [show]               the current work\n"
           "  work set [--data PATH] [--folder N] [--site N]\n"
           "                            store the current work for new environment objects\n"
           "  get user|machine SECTION ENTRY NAME [--dword|--str|--hex]\n"
           "  set user|machine SECTION ENTRY NAME --dword N | --str TEXT | --hex BYTES\n"
           "  del user|machine SECTION ENTRY NAME\n"
           "  del user|machine SECTION ENTRY --key   (the whole key, with everything below it)\n"
           "                            user and machine data; \"\" for an empty SECTION or ENTRY\n"
           + DialogHelp() +
           "  version                   this tool's own version line, as the library builds it for\n"
           "                            every program (product version and VERSION.INF AddString)\n"
           "  help                      this text\n"
           "\n"
           "  --json   machine-readable output of every command\n"
           "  --raw    bytes exactly as the library gives them (code page 932), not converted\n"
           "           for the terminal\n"
           "\n"
           "Kinds: program.{prog,main,cad,tools,pal,apli}, system.{main,cad,system,form,joken,\n"
           "temp,plotpool,dcpool,userdata,ddm}, site, site.{main,cad,joken,temp,dc,userdata,\n"
           "backup,ddm}, help, temp, server; add +VQA to +VQK for an application's subfolder.\n"
           "Numbers: decimal or 0x-hexadecimal; folder and site numbers 0 to 4095 (0: none).\n"
           "\n"
           "Exit status: 0 done, 1 not found or not done, 2 bad command line (nothing done).\n";
}

} // namespace genbatool

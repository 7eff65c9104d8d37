// The tool's command line: path kinds by name and code, numbers, byte blocks, and the
// refusals that must happen before anything runs.
#include "args.h"
#include "kinds.h"

#include <genbaenv/environ.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace genbatool;

namespace {

std::vector<CString> Args(std::initializer_list<const char*> list)
{
    std::vector<CString> v;
    for (const char* a : list) v.push_back(CString(a));
    return v;
}

// --- kinds ----------------------------------------------------------------------

TEST(ToolKinds, AcceptedNamesAndCodes)
{
    struct Row {
        const char* text;
        unsigned long kind;
    } rows[] = {
        {"site.main", 0x03020000},       {"SITE.MAIN", 0x03020000},        {"site", 0x03010000},
        {"system.form", 0x02040000},     {"program.prog+VQA", 0x01010100}, {"program.prog+vqk", 0x01010B00},
        {"program.apli", 0x01060000},    {"help", 0x04010000},             {"temp", 0x05010000},
        {"server", 0x06010000},          {"server.qms_server", 0x06010000}, {"system.ddm+VQC", 0x020B0300},
        {"0x03020000", 0x03020000},      {"0X3020000", 0x03020000},        {"03070000", 0x03070000},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        unsigned long kind = 0;
        std::string error;
        ASSERT_TRUE(ParseKind(r.text, kind, error)) << error;
        EXPECT_EQ(r.kind, kind);
    }
}

TEST(ToolKinds, RefusalsNameWhatWasWrong)
{
    struct Row {
        const char* text;
        const char* inMessage;
    } rows[] = {
        {"", "missing path kind"},
        {"sitee.main", "unknown base 'sitee'"},
        {"site.mian", "site has no subfolder 'mian'"},
        {"program", "needs a subfolder"},
        {"help.apli", "use help alone"},
        {"site.main+VQZ", "unknown application code 'VQZ'"},
        {"site.main+", "unknown application code ''"},
        {"0x01000000", "unknown path kind 0x01000000"},   // a base alone is no kind
        {"0x02060000", "unknown path kind 0x02060000"},   // a gap in the system table
        {"0x01010C00", "unknown application code 0x0C00"},
        {"0x1FFFFFFFF", "out of range"},
        {"0x", "unknown base '0x'"},
        {"0xG", "not a hexadecimal number"},
        {"0302000", "unknown base"},                      // seven digits: not a code
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        unsigned long kind = 12345;
        std::string error;
        EXPECT_FALSE(ParseKind(r.text, kind, error));
        EXPECT_NE(std::string::npos, error.find(r.inMessage)) << error;
        EXPECT_EQ(12345u, kind);
    }
}

// Every accepted kind, with and without every application code, reads back from its
// name and from its code.
TEST(ToolKinds, NamesAndCodesRoundTrip)
{
    ASSERT_EQ(28u, AcceptedKinds().size());
    ASSERT_EQ(11u, ApplicationCodes().size());
    for (const KindEntry& k : AcceptedKinds()) {
        for (unsigned long app = 0; app <= 0x0B00; app += 0x0100) {
            unsigned long kind = k.code | app;
            SCOPED_TRACE(std::string(KindHex(kind)));
            CString name = KindName(kind);
            ASSERT_FALSE(name.IsEmpty());
            unsigned long back = 0;
            std::string error;
            ASSERT_TRUE(ParseKind(name, back, error)) << error;
            EXPECT_EQ(kind, back);
            ASSERT_TRUE(ParseKind(KindHex(kind), back, error)) << error;
            EXPECT_EQ(kind, back);
        }
    }
    EXPECT_EQ(CString(), KindName(0x01000000));
    EXPECT_EQ(CString(), KindName(0x03020C00));
    EXPECT_EQ(CString("03020000"), EnvironValueName(0x03020000));
}

// --- numbers and bytes -----------------------------------------------------------

TEST(ToolNumbers, Parse)
{
    struct Row {
        const char* text;
        unsigned long max;
        bool ok;
        unsigned long value;
        const char* inMessage;
    } rows[] = {
        {"0", 4095, true, 0, ""},
        {"4095", 4095, true, 4095, ""},
        {"0xFFF", 4095, true, 4095, ""},
        {"0x1a", 4095, true, 26, ""},
        {"4096", 4095, false, 0, "4096 is out of range (0 to 4095)"},
        {"4294967295", 0xFFFFFFFF, true, 0xFFFFFFFF, ""},
        {"4294967296", 0xFFFFFFFF, false, 0, "out of range"},
        {"99999999999999999999999", 0xFFFFFFFF, false, 0, "out of range"},
        {"-1", 4095, false, 0, "not a number"},
        {"1e3", 4095, false, 0, "not a number"},
        {" 1", 4095, false, 0, "not a number"},
        {"", 4095, false, 0, "missing number"},
        {"0x", 4095, false, 0, "not a number"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        unsigned long v = 777;
        std::string error;
        EXPECT_EQ(r.ok, ParseNumber(r.text, 0, r.max, "--folder", v, error));
        if (r.ok) {
            EXPECT_EQ(r.value, v);
        } else {
            EXPECT_EQ(777u, v);
            EXPECT_EQ(0u, error.find("--folder")) << error;
            EXPECT_NE(std::string::npos, error.find(r.inMessage)) << error;
        }
    }
}

TEST(ToolNumbers, HexBytes)
{
    struct Row {
        const char* text;
        bool ok;
        std::string bytes;
    } rows[] = {
        {"", true, ""},
        {"00", true, std::string(1, '\0')},
        {"01 02 ff", true, "\x01\x02\xFF"},
        {"0102FF", true, "\x01\x02\xFF"},
        {"01:02-ff,00", true, std::string("\x01\x02\xFF\x00", 4)},
        {"012", false, ""},
        {"1 2", false, ""},
        {"zz", false, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        std::string bytes = "untouched", error;
        EXPECT_EQ(r.ok, ParseHexBytes(r.text, bytes, error)) << error;
        EXPECT_EQ(r.ok ? r.bytes : std::string("untouched"), bytes);
    }
}

TEST(ToolNumbers, AbsolutePaths)
{
    EXPECT_TRUE(IsAbsolutePath("C:\\Data"));
    EXPECT_TRUE(IsAbsolutePath("c:/Data"));
    EXPECT_TRUE(IsAbsolutePath("\\\\srv\\share"));
    EXPECT_FALSE(IsAbsolutePath("C:Data"));
    EXPECT_FALSE(IsAbsolutePath("Data"));
    EXPECT_FALSE(IsAbsolutePath("\\Data"));
    EXPECT_FALSE(IsAbsolutePath("/home/data"));
    EXPECT_FALSE(IsAbsolutePath("\\\\srv"));
    EXPECT_FALSE(IsAbsolutePath("\\\\srv\\"));
}

// --- command lines ---------------------------------------------------------------

TEST(ToolCommandLine, Accepted)
{
    Request r;
    std::string e;

    ASSERT_TRUE(ParseCommandLine(Args({"show", "--json"}), r, e)) << e;
    EXPECT_EQ(Command::Show, r.command);
    EXPECT_TRUE(r.json);

    ASSERT_TRUE(ParseCommandLine(Args({"--raw", "path", "site.main", "0x02040000", "program.prog+VQA"}), r, e)) << e;
    EXPECT_EQ(Command::Path, r.command);
    EXPECT_TRUE(r.raw);
    EXPECT_EQ((std::vector<unsigned long>{0x03020000, 0x02040000, 0x01010100}), r.kinds);

    ASSERT_TRUE(ParseCommandLine(Args({"paths", "--all"}), r, e)) << e;
    EXPECT_TRUE(r.allApps);

    ASSERT_TRUE(ParseCommandLine(Args({"tree"}), r, e)) << e;
    EXPECT_EQ(Command::Tree, r.command);
    EXPECT_TRUE(r.dir.IsEmpty());

    ASSERT_TRUE(ParseCommandLine(Args({"files", "C:\\Data\\x.001", "Data|.ABC", "--folders", "--hidden"}), r, e)) << e;
    EXPECT_EQ(CString("C:\\Data\\x.001"), r.dir);
    EXPECT_FALSE(r.dirIsKind);
    EXPECT_TRUE(r.hasExtList);
    EXPECT_EQ(SELFILE_FOLDER | SELFILE_HIDDEN, r.listFlags);

    ASSERT_TRUE(ParseCommandLine(Args({"files", "site.main"}), r, e)) << e;
    EXPECT_TRUE(r.dirIsKind);
    EXPECT_EQ(0x03020000u, r.dirKind);
    EXPECT_FALSE(r.hasExtList);

    ASSERT_TRUE(ParseCommandLine(Args({"work", "set", "--data", "C:\\D", "--folder=0x1A", "--site", "2"}), r, e)) << e;
    EXPECT_EQ(Command::WorkSet, r.command);
    EXPECT_TRUE(r.hasDataPath && r.hasFolder && r.hasSite);
    EXPECT_EQ(CString("C:\\D"), r.dataPath);
    EXPECT_EQ(26, r.folderNo);
    EXPECT_EQ(2, r.siteNo);

    ASSERT_TRUE(ParseCommandLine(Args({"work", "set", "--data", ""}), r, e)) << e;
    EXPECT_TRUE(r.hasDataPath && !r.hasFolder && !r.hasSite);

    ASSERT_TRUE(ParseCommandLine(Args({"--json", "work"}), r, e)) << e;
    EXPECT_EQ(Command::WorkShow, r.command);
    ASSERT_TRUE(ParseCommandLine(Args({"work", "show"}), r, e)) << e;
    EXPECT_EQ(Command::WorkShow, r.command);

    ASSERT_TRUE(ParseCommandLine(Args({"get", "machine", "SetupLocal", "", "HomeData"}), r, e)) << e;
    EXPECT_EQ(DataRoot::Machine, r.root);
    EXPECT_EQ(CString("SetupLocal"), r.section);
    EXPECT_TRUE(r.entry.IsEmpty());
    EXPECT_EQ(ValueType::Any, r.type);

    ASSERT_TRUE(ParseCommandLine(Args({"set", "user", "", "Environ", "02040000", "--str", "-x"}), r, e)) << e;
    EXPECT_EQ(ValueType::Str, r.type);
    EXPECT_EQ(CString("-x"), r.str);

    ASSERT_TRUE(ParseCommandLine(Args({"set", "user", "S", "E", "N", "--hex=01 02"}), r, e)) << e;
    EXPECT_EQ(std::string("\x01\x02"), r.bytes);

    ASSERT_TRUE(ParseCommandLine(Args({"del", "user", "S", "E", "--key"}), r, e)) << e;
    EXPECT_TRUE(r.wholeKey);

    // Operands that look like options after "--".
    ASSERT_TRUE(ParseCommandLine(Args({"get", "user", "--", "-S", "E", "--N"}), r, e)) << e;
    EXPECT_EQ(CString("-S"), r.section);
    EXPECT_EQ(CString("--N"), r.name);

    ASSERT_TRUE(ParseCommandLine(Args({"frob", "--help"}), r, e)) << e;
    EXPECT_EQ(Command::Help, r.command);
}

TEST(ToolCommandLine, Refused)
{
    struct Row {
        std::vector<CString> args;
        const char* inMessage;
    } rows[] = {
        {Args({}), "missing subcommand"},
        {Args({"frob"}), "unknown subcommand 'frob'"},
        {Args({"show", "extra"}), "show: unexpected argument 'extra'"},
        {Args({"show", "--all"}), "unknown option '--all' for 'show'"},
        {Args({"--bogus", "show"}), "unknown option '--bogus'"},
        {Args({"--json=1", "show"}), "--json takes no value"},
        {Args({"path"}), "path: missing path kind"},
        {Args({"path", "site.main", "nope"}), "unknown base 'nope'"},
        {Args({"files"}), "files: missing folder"},
        {Args({"files", ""}), "files: the folder is empty"},
        {Args({"tree", "a", "b"}), "tree: unexpected argument 'b'"},
        {Args({"work", "frob"}), "unknown work subcommand 'frob'"},
        {Args({"work", "set"}), "work set: missing argument"},
        {Args({"work", "set", "--folder"}), "--folder: missing value"},
        {Args({"work", "set", "--folder", "4096"}), "--folder: 4096 is out of range (0 to 4095)"},
        {Args({"work", "set", "--site", "x"}), "--site: 'x' is not a number"},
        {Args({"work", "set", "--data", "relative\\dir"}), "not an absolute path"},
        {Args({"work", "set", "--site", "1", "--site", "2"}), "--site given twice"},
        {Args({"get", "user", "S", "E"}), "get: missing argument"},
        {Args({"get", "root", "S", "E", "N"}), "unknown data root 'root' (user or machine)"},
        {Args({"get", "user", "S", "E", "N", "--dword", "--str"}), "--dword and --str cannot be combined"},
        {Args({"set", "user", "S", "E", "N"}), "set: missing value"},
        {Args({"set", "user", "S", "E", "N", "--dword", "5000000000"}), "--dword: 5000000000 is out of range"},
        {Args({"set", "user", "S", "E", "N", "--dword"}), "--dword: missing value"},
        {Args({"set", "user", "S", "E", "N", "--hex", "abc"}), "odd number of hexadecimal digits"},
        {Args({"set", "user", "S", "E", "N", "--str", "a", "--hex", "00"}), "cannot be combined"},
        {Args({"del", "user", "S", "E"}), "del: missing value name"},
        {Args({"del", "user", "S", "E", "N", "--key"}), "give no value name"},
        {Args({"del", "user", "S", "E", "--key=1"}), "--key takes no value"},
    };
    int i = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE("row " + std::to_string(i++));
        Request q;
        std::string error;
        EXPECT_FALSE(ParseCommandLine(r.args, q, error));
        EXPECT_NE(std::string::npos, error.find(r.inMessage)) << error;
    }
}

TEST(ToolCommandLine, HelpListsEverySubcommand)
{
    std::string help = HelpText();
    for (const char* word : {"show", "path KIND", "paths", "tree [DATAPATH]", "files DIR [EXTLIST]", "work set",
                             "--data PATH", "--folder N", "--site N", "get user|machine", "set user|machine",
                             "del user|machine", "--dword", "--str", "--hex", "--json", "--raw"}) {
        EXPECT_NE(std::string::npos, help.find(word)) << word;
    }
}

} // namespace

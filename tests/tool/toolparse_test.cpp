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

#define FOR_ROWS(rows) for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)

std::vector<CString> Args(std::initializer_list<const char*> list) { return std::vector<CString>(list.begin(), list.end()); }

// --- kinds ----------------------------------------------------------------------

// Accepted names and codes give their kind; refusals name what was wrong and leave the
// kind alone.
TEST(ToolKinds, ParseByNameAndCode)
{
    const struct {
        const char* text;
        unsigned long kind;
        const char* inMessage;
    } rows[] = {
        {"site.main", 0x03020000, ""},
        {"SITE.MAIN", 0x03020000, ""},
        {"site", 0x03010000, ""},
        {"program.prog+VQA", 0x01010100, ""},
        {"program.prog+vqk", 0x01010B00, ""},
        {"help", 0x04010000, ""},
        {"server.qms_server", 0x06010000, ""},
        {"0x03020000", 0x03020000, ""},
        {"0X3020000", 0x03020000, ""},
        {"03070000", 0x03070000, ""},
        {"", 0, "missing path kind"},
        {"sitee.main", 0, "unknown base 'sitee'"},
        {"site.mian", 0, "site has no subfolder 'mian'"},
        {"program", 0, "needs a subfolder"},
        {"help.apli", 0, "use help alone"},
        {"site.main+VQZ", 0, "unknown application code 'VQZ'"},
        {"site.main+", 0, "unknown application code ''"},
        {"0x01000000", 0, "unknown path kind 0x01000000"},   // a base alone is no kind
        {"0x02060000", 0, "unknown path kind 0x02060000"},   // a gap in the system table
        {"0x01010C00", 0, "unknown application code 0x0C00"},
        {"0x1FFFFFFFF", 0, "out of range"},
        {"0x", 0, "unknown base '0x'"},
        {"0xG", 0, "not a hexadecimal number"},
        {"0302000", 0, "unknown base"},                      // seven digits: not a code
    };
    FOR_ROWS(rows) {
        unsigned long kind = 12345;
        std::string error;
        EXPECT_EQ(rows[i].kind != 0, ParseKind(rows[i].text, kind, error)) << rows[i].text << ": " << error;
        EXPECT_EQ(rows[i].kind ? rows[i].kind : 12345u, kind) << rows[i].text;
        EXPECT_NE(std::string::npos, error.find(rows[i].inMessage)) << rows[i].text << ": " << error;
    }
}

// Every accepted kind, with and without every application code, reads back from its
// name and from its code.
TEST(ToolKinds, NamesAndCodesRoundTrip)
{
    ASSERT_EQ(28u, AcceptedKinds().size());
    ASSERT_EQ(11u, ApplicationCodes().size());
    for (const KindEntry& k : AcceptedKinds()) {
        for (unsigned long kind = k.code; kind <= (k.code | 0x0B00); kind += 0x0100) {
            unsigned long byName = 0, byCode = 0;
            std::string error;
            EXPECT_TRUE(ParseKind(KindName(kind), byName, error) && ParseKind(KindHex(kind), byCode, error))
                << KindHex(kind) << " " << KindName(kind) << ": " << error;
            EXPECT_EQ(kind, byName) << KindHex(kind);
            EXPECT_EQ(kind, byCode) << KindHex(kind);
        }
    }
    EXPECT_EQ(CString(), KindName(0x01000000));
    EXPECT_EQ(CString(), KindName(0x03020C00));
    EXPECT_EQ(CString("03020000"), EnvironValueName(0x03020000));
}

// --- numbers, bytes and paths ----------------------------------------------------

TEST(ToolNumbers, Parse)
{
    const struct {
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
        {"4096", 4095, false, 777, "4096 is out of range (0 to 4095)"},
        {"4294967295", 0xFFFFFFFF, true, 0xFFFFFFFF, ""},
        {"4294967296", 0xFFFFFFFF, false, 777, "out of range"},
        {"99999999999999999999999", 0xFFFFFFFF, false, 777, "out of range"},
        {"-1", 4095, false, 777, "not a number"},
        {" 1", 4095, false, 777, "not a number"},
        {"0x", 4095, false, 777, "not a number"},
        {"", 4095, false, 777, "missing number"},
    };
    FOR_ROWS(rows) {
        unsigned long v = 777;
        std::string error;
        EXPECT_EQ(rows[i].ok, ParseNumber(rows[i].text, 0, rows[i].max, "--folder", v, error)) << rows[i].text;
        EXPECT_EQ(rows[i].value, v) << rows[i].text;
        if (!rows[i].ok) {
            EXPECT_EQ(0u, error.find("--folder")) << error;
            EXPECT_NE(std::string::npos, error.find(rows[i].inMessage)) << error;
        }
    }
}

TEST(ToolNumbers, HexBytes)
{
    const struct {
        const char* text;
        bool ok;
        std::string bytes;
    } rows[] = {
        {"", true, ""},
        {"00", true, std::string(1, '\0')},
        {"01 02 ff", true, "\x01\x02\xFF"},
        {"0102FF", true, "\x01\x02\xFF"},
        {"01:02-ff,00", true, std::string("\x01\x02\xFF\x00", 4)},
        {"012", false, "untouched"},
        {"1 2", false, "untouched"},
        {"zz", false, "untouched"},
    };
    FOR_ROWS(rows) {
        std::string bytes = "untouched", error;
        EXPECT_EQ(rows[i].ok, ParseHexBytes(rows[i].text, bytes, error)) << rows[i].text << ": " << error;
        EXPECT_EQ(rows[i].bytes, bytes) << rows[i].text;
    }
}

TEST(ToolNumbers, AbsolutePaths)
{
    for (const char* p : {"C:\\Data", "c:/Data", "\\\\srv\\share"}) EXPECT_TRUE(IsAbsolutePath(p)) << p;
    for (const char* p : {"C:Data", "Data", "\\Data", "/home/data", "\\\\srv", "\\\\srv\\"}) EXPECT_FALSE(IsAbsolutePath(p)) << p;
}

// --- command lines ---------------------------------------------------------------

Request Accepted(std::initializer_list<const char*> args)
{
    Request r;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(Args(args), r, error)) << *args.begin() << ": " << error;
    return r;
}

TEST(ToolCommandLine, Accepted)
{
    Request r = Accepted({"show", "--json"});
    EXPECT_TRUE(r.command == Command::Show && r.json);
    r = Accepted({"--raw", "path", "site.main", "0x02040000", "program.prog+VQA"});
    EXPECT_TRUE(r.command == Command::Path && r.raw);
    EXPECT_EQ((std::vector<unsigned long>{0x03020000, 0x02040000, 0x01010100}), r.kinds);
    EXPECT_TRUE(Accepted({"paths", "--all"}).allApps);
    r = Accepted({"tree"});
    EXPECT_TRUE(r.command == Command::Tree && r.dir.IsEmpty());

    r = Accepted({"files", "C:\\Data\\x.001", "Data|.ABC", "--folders", "--hidden"});
    EXPECT_EQ(CString("C:\\Data\\x.001"), r.dir);
    EXPECT_TRUE(!r.dirIsKind && r.hasExtList);
    EXPECT_EQ(SELFILE_FOLDER | SELFILE_HIDDEN, r.listFlags);
    r = Accepted({"files", "site.main"});
    EXPECT_TRUE(r.dirIsKind && !r.hasExtList);
    EXPECT_EQ(0x03020000u, r.dirKind);

    r = Accepted({"work", "set", "--data", "C:\\D", "--folder=0x1A", "--site", "2"});
    EXPECT_TRUE(r.command == Command::WorkSet && r.hasDataPath && r.hasFolder && r.hasSite);
    EXPECT_EQ(CString("C:\\D"), r.dataPath);
    EXPECT_TRUE(r.folderNo == 26 && r.siteNo == 2);
    r = Accepted({"work", "set", "--data", ""});
    EXPECT_TRUE(r.hasDataPath && !r.hasFolder && !r.hasSite);
    EXPECT_EQ(Command::WorkShow, Accepted({"--json", "work"}).command);
    EXPECT_EQ(Command::WorkShow, Accepted({"work", "show"}).command);

    r = Accepted({"get", "machine", "SetupLocal", "", "HomeData"});
    EXPECT_TRUE(r.root == DataRoot::Machine && r.entry.IsEmpty() && r.type == ValueType::Any);
    EXPECT_EQ(CString("SetupLocal"), r.section);
    r = Accepted({"set", "user", "", "Environ", "02040000", "--str", "-x"});
    EXPECT_TRUE(r.type == ValueType::Str && r.str == CString("-x"));
    EXPECT_EQ(std::string("\x01\x02"), Accepted({"set", "user", "S", "E", "N", "--hex=01 02"}).bytes);
    EXPECT_TRUE(Accepted({"del", "user", "S", "E", "--key"}).wholeKey);
    // Operands that look like options after "--".
    r = Accepted({"get", "user", "--", "-S", "E", "--N"});
    EXPECT_TRUE(r.section == CString("-S") && r.name == CString("--N"));
    EXPECT_EQ(Command::Help, Accepted({"frob", "--help"}).command);
}

TEST(ToolCommandLine, Refused)
{
    const struct {
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
        {Args({"set", "user", "S", "E", "N", "--hex", "abc"}), "odd number of hexadecimal digits"},
        {Args({"set", "user", "S", "E", "N", "--str", "a", "--hex", "00"}), "cannot be combined"},
        {Args({"del", "user", "S", "E"}), "del: missing value name"},
        {Args({"del", "user", "S", "E", "N", "--key"}), "give no value name"},
        {Args({"del", "user", "S", "E", "--key=1"}), "--key takes no value"},
    };
    FOR_ROWS(rows) {
        Request q;
        std::string error;
        EXPECT_FALSE(ParseCommandLine(rows[i].args, q, error)) << "row " << i;
        EXPECT_NE(std::string::npos, error.find(rows[i].inMessage)) << "row " << i << ": " << error;
    }
}

TEST(ToolCommandLine, HelpListsEverySubcommand)
{
    std::string help = HelpText();
    for (const char* word : {"show", "path KIND", "paths", "tree [DATAPATH]", "files DIR [EXTLIST]", "work set",
                             "--data PATH", "--folder N", "--site N", "get user|machine", "set user|machine",
                             "del user|machine", "--dword", "--str", "--hex", "--json", "--raw"})
        EXPECT_NE(std::string::npos, help.find(word)) << word;
}

} // namespace

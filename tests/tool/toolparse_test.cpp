// The tool's command line and output building blocks, in process: path kinds by name and
// code, numbers and bytes, refusals before anything runs, JSON escaping of CP932 text,
// columns, and the conversions between CP932, UTF-16 and UTF-8.
#include "args.h"
#include "format.h"
#include "kinds.h"
#include "textconv.h"

#include <genbaenv/environ.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace genbatool;

namespace {

TEST(ToolArgs, KindsByNameAndCode)
{
    const struct { const char* text; unsigned long kind; const char* inMessage; } rows[] = {
        {"SITE.MAIN", 0x03020000, ""}, {"program.prog+vqk", 0x01010B00, ""}, {"server.qms_server", 0x06010000, ""},
        {"03070000", 0x03070000, ""},
        {"site.mian", 0, "site has no subfolder 'mian'"}, {"program", 0, "needs a subfolder"},
        {"site.main+VQZ", 0, "unknown application code 'VQZ'"},
        {"0x01000000", 0, "unknown path kind 0x01000000"},   // a base alone is no kind
        {"0x01010C00", 0, "unknown application code 0x0C00"}, {"0x1FFFFFFFF", 0, "out of range"},
    };
    for (const auto& r : rows) {
        unsigned long kind = 12345;
        std::string error;
        EXPECT_EQ(r.kind != 0, ParseKind(r.text, kind, error)) << r.text << ": " << error;
        EXPECT_EQ(r.kind ? r.kind : 12345u, kind) << r.text;
        EXPECT_NE(std::string::npos, error.find(r.inMessage)) << r.text << ": " << error;
    }
    // Every kind the library resolves reads back from the name the library gives it.
    for (const KindEntry& k : AcceptedKinds()) {
        unsigned long kind = 0;
        std::string error;
        EXPECT_TRUE(ParseKind(KindName(k.code | 0x0B00), kind, error) && kind == (k.code | 0x0B00)) << k.name;
    }
}

TEST(ToolArgs, NumbersBytesAndRefusals)
{
    unsigned long v = 777;
    std::string error, bytes;
    EXPECT_TRUE(ParseNumber("0x1a", 0, 4095, "--folder", v, error) && v == 26);
    EXPECT_FALSE(ParseNumber("4096", 0, 4095, "--folder", v, error));
    EXPECT_EQ("--folder: 4096 is out of range (0 to 4095)", error);
    EXPECT_FALSE(ParseNumber("4294967296", 0, 0xFFFFFFFF, "--dword", v, error));
    EXPECT_EQ(26u, v);
    EXPECT_TRUE(ParseHexBytes("01:02-ff,00", bytes, error) && bytes == std::string("\x01\x02\xFF\x00", 4));
    EXPECT_FALSE(ParseHexBytes("012", bytes, error));
    const struct { std::vector<CString> args; const char* inMessage; } rows[] = {
        {{"frob"}, "unknown subcommand 'frob'"},
        {{"show", "--all"}, "unknown option '--all' for 'show'"},
        {{"files", ""}, "files: the folder is empty"},
        {{"work", "set", "--data", "relative\\dir"}, "not an absolute path"},
        {{"work", "set", "--site", "1", "--site", "2"}, "--site given twice"},
        {{"get", "user", "S", "E", "N", "--dword", "--str"}, "--dword and --str cannot be combined"},
        {{"del", "user", "S", "E", "N", "--key"}, "give no value name"},
        {{"dialog", "pick-dir", "--kind", "site.mian"}, "--kind: unknown path kind 'site.mian'"},
    };
    for (const auto& r : rows) {
        Request q;
        EXPECT_FALSE(ParseCommandLine(r.args, q, error)) << "row " << (&r - rows);
        EXPECT_NE(std::string::npos, error.find(r.inMessage)) << "row " << (&r - rows) << ": " << error;
    }
    Request q;
    ASSERT_TRUE(ParseCommandLine({"get", "user", "--", "-S", "E", "--N"}, q, error)) << error;
    EXPECT_TRUE(q.section == CString("-S") && q.name == CString("--N"));   // operands after "--"
}

TEST(ToolOutput, CP932TextInJsonColumnsAndUtf8)
{
    const struct { std::string in, json; } json[] = {
        {"\x95\x5C", "\x95\x5C"},              // 表: its trail byte is no backslash
        {"\x83\x5C\\", "\x83\x5C\\\\"},        // ソ then a real backslash
        {"\x81\"", "\x81\\\""},                // a lone lead byte does not hide the quote
        {std::string("a\t\x01\0", 4), "a\\t\\u0001\\u0000"},
    };
    for (const auto& r : json) EXPECT_EQ(r.json, JsonEscape(r.in.data(), static_cast<int>(r.in.size())));
    TextTable t;
    t.AddRow({"\x95\x5C", "x"});          // 表: two bytes, two columns
    t.AddRow({"\xCC\xA7\xB2\xD9", "yy"});  // ﾌｧｲﾙ: four bytes, four columns
    EXPECT_EQ("\x95\x5C    x\n\xCC\xA7\xB2\xD9  yy\n", t.Render(0));
    EXPECT_EQ("C:\\\xE8\xA1\xA8", Cp932ToUtf8("C:\\\x95\x5C"));
    EXPECT_EQ("?\"x", Cp932ToUtf8("\x81\"x"));   // lone lead byte: the quote stays
    CString out("untouched");
    EXPECT_TRUE(WideToCp932(L"\x301C", out));    // WAVE DASH as typed on a UTF-8 terminal: ～
    EXPECT_EQ(CString("\x81\x60"), out);
    EXPECT_FALSE(WideToCp932(L"\x00E9", out));   // é: no CP932 form, no best fit to e
}

} // namespace

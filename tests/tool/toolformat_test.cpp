// The tool's output: JSON escaping of CP932 text, columns by terminal width, and the
// conversions between CP932, UTF-16 and UTF-8.
#include "format.h"
#include "textconv.h"

#include <gtest/gtest.h>

#include <string>

using namespace genbatool;

namespace {

std::string B(const char* s) { return std::string(s); }

TEST(ToolJson, EscapeStepsOverDoubleByteCharacters)
{
    struct Row {
        std::string in;
        std::string out;
    } rows[] = {
        {"plain", "plain"},
        {"C:\\Data", "C:\\\\Data"},
        {"say \"hi\"", "say \\\"hi\\\""},
        {"\x95\x5C", "\x95\x5C"},                          // 表: its trail byte is no backslash
        {"\x83\x5C\\", "\x83\x5C\\\\"},                    // ソ then a real backslash
        {"\x83\x7C", "\x83\x7C"},                          // trail byte 7C
        {"\x81\"", "\x81\\\""},                            // a lone lead byte does not hide the quote
        {"\x81\\", "\x81\\"},                                  // 81 5C is one character: ―
        {"\x81\n", "\x81\\n"},
        {"\x81", "\x81"},                                  // lone lead byte at the end
        {"\xCC\xA7\xB2\xD9", "\xCC\xA7\xB2\xD9"},          // ﾌｧｲﾙ, half-width: single bytes
        {"a\tb\nc\r", "a\\tb\\nc\\r"},
        {std::string("\x01\x1F", 2), "\\u0001\\u001F"},
        {std::string("a\0b", 3), "a\\u0000b"},
    };
    int i = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE("row " + std::to_string(i++));
        EXPECT_EQ(r.out, JsonEscape(r.in.data(), static_cast<int>(r.in.size())));
    }
}

TEST(ToolJson, WriterNestsAndSeparates)
{
    JsonWriter j;
    j.BeginObject()
        .Field("name", CString("a\\b"))
        .Field("no", 3ULL)
        .Field("ok", true)
        .Key("list")
        .BeginArray()
        .Number(1)
        .BeginObject()
        .EndObject()
        .BeginArray()
        .EndArray()
        .Null()
        .EndArray()
        .EndObject();
    EXPECT_EQ(B("{\n"
                "  \"name\": \"a\\\\b\",\n"
                "  \"no\": 3,\n"
                "  \"ok\": true,\n"
                "  \"list\": [\n"
                "    1,\n"
                "    {},\n"
                "    [],\n"
                "    null\n"
                "  ]\n"
                "}\n"),
              j.Text());
}

TEST(ToolTable, ColumnsByTerminalWidth)
{
    TextTable t;
    t.AddRow({"\x95\x5C", "x", ""});          // 表: two bytes, two columns
    t.AddRow({"\xCC\xA7\xB2\xD9", "yy", "z"});  // ﾌｧｲﾙ: four bytes, four columns
    t.AddRow({"ab", ""});
    EXPECT_EQ(B("  \x95\x5C    x\n"
                "  \xCC\xA7\xB2\xD9  yy  z\n"
                "  ab\n"),
              t.Render(2));
}

TEST(ToolTable, RightAlignedColumns)
{
    TextTable t;
    t.AddRow({"NO", "SIZE", "NAME"});
    t.AddRow({"1", "15", "\x95\x5C"});
    t.AddRow({"186", "2048", "x"});
    t.AlignRight(0);
    t.AlignRight(1);
    EXPECT_EQ(B(" NO  SIZE  NAME\n"
                "  1    15  \x95\x5C\n"
                "186  2048  x\n"),
              t.Render(0));
}

TEST(ToolText, Cp932ToUtf8)
{
    struct Row {
        std::string in;
        std::string out;
    } rows[] = {
        {"", ""},
        {"C:\\Data", "C:\\Data"},
        {"C:\\\x95\x5C", "C:\\\xE8\xA1\xA8"},                     // 表
        {"\x83\x5C", "\xE3\x82\xBD"},                             // ソ
        {"\x94\x5C", "\xE8\x83\xBD"},                             // 能
        {"\xCC\xA7", "\xEF\xBE\x8C\xEF\xBD\xA7"},                 // ﾌｧ
        {"\x8C\xBB\x8F\xEA", "\xE7\x8F\xBE\xE5\xA0\xB4"},         // 現場
        {"\x81\x60", "\xEF\xBD\x9E"},                             // ～ FULLWIDTH TILDE
        {"\x81\"x", "?\"x"},                                      // lone lead byte: the quote stays
        {"a\x81", "a?"},
    };
    int i = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE("row " + std::to_string(i++));
        EXPECT_EQ(r.out, Cp932ToUtf8(r.in));
    }
}

TEST(ToolText, WideToCp932)
{
    struct Row {
        std::wstring in;
        bool ok;
        std::string out;
    } rows[] = {
        {L"", true, ""},
        {L"site.main", true, "site.main"},
        {L"\x8868", true, "\x95\x5C"},                // 表
        {L"\x73FE\x5834", true, "\x8C\xBB\x8F\xEA"},   // 現場
        {L"\xFF8C", true, "\xCC"},                    // ﾌ
        {L"\x301C", true, "\x81\x60"},                // WAVE DASH as typed on a UTF-8 terminal
        {L"\x2212", true, "\x81\x7C"},                // MINUS SIGN
        {L"\xFF5E", true, "\x81\x60"},
        {L"\x00E9", false, ""},                       // é: no CP932 form, no best fit to e
        {L"\xD83D\xDE00", false, ""},                 // an emoji
    };
    int i = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE("row " + std::to_string(i++));
        CString out("untouched");
        EXPECT_EQ(r.ok, WideToCp932(r.in, out));
        EXPECT_EQ(r.ok ? r.out : std::string("untouched"), std::string(out, out.GetLength()));
    }
}

} // namespace

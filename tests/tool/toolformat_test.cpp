// The tool's output: JSON escaping of CP932 text, columns by terminal width, and the
// conversions between CP932, UTF-16 and UTF-8.
#include "format.h"
#include "textconv.h"

#include <gtest/gtest.h>

#include <string>

using namespace genbatool;

namespace {

struct TextRow {
    std::string in, out;
};

TEST(ToolJson, EscapeStepsOverDoubleByteCharacters)
{
    const TextRow rows[] = {
        {"C:\\Data \"hi\"", "C:\\\\Data \\\"hi\\\""},
        {"\x95\x5C", "\x95\x5C"},                          // 表: its trail byte is no backslash
        {"\x83\x5C\\", "\x83\x5C\\\\"},                    // ソ then a real backslash
        {"\x83\x7C", "\x83\x7C"},                          // trail byte 7C
        {"\x81\"", "\x81\\\""},                            // a lone lead byte does not hide the quote
        {"\x81\\", "\x81\\"},                              // 81 5C is one character: ―
        {"\x81", "\x81"},                                  // lone lead byte at the end
        {"\xCC\xA7\xB2\xD9\"", "\xCC\xA7\xB2\xD9\\\""},    // ﾌｧｲﾙ, half-width: single bytes
        {std::string("a\tb\nc\r\x01\x1F\0z", 10), "a\\tb\\nc\\r\\u0001\\u001F\\u0000z"},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
        EXPECT_EQ(rows[i].out, JsonEscape(rows[i].in.data(), static_cast<int>(rows[i].in.size()))) << "row " << i;
}

TEST(ToolJson, WriterNestsAndSeparates)
{
    JsonWriter j;
    j.BeginObject().Field("name", CString("a\\b")).Field("no", 3ULL).Field("ok", true).Key("list");
    j.BeginArray().Number(1).BeginObject().EndObject().BeginArray().EndArray().Null().EndArray().EndObject();
    EXPECT_EQ("{\n  \"name\": \"a\\\\b\",\n  \"no\": 3,\n  \"ok\": true,\n  \"list\": [\n    1,\n    {},\n    [],\n"
              "    null\n  ]\n}\n",
              j.Text());
}

TEST(ToolTable, ColumnsByTerminalWidthAndAlignment)
{
    TextTable t;
    t.AddRow({"\x95\x5C", "x", ""});          // 表: two bytes, two columns
    t.AddRow({"\xCC\xA7\xB2\xD9", "yy", "z"});  // ﾌｧｲﾙ: four bytes, four columns
    t.AddRow({"ab", ""});
    EXPECT_EQ("  \x95\x5C    x\n  \xCC\xA7\xB2\xD9  yy  z\n  ab\n", t.Render(2));

    TextTable r;
    r.AddRow({"NO", "SIZE", "NAME"});
    r.AddRow({"1", "15", "\x95\x5C"});
    r.AddRow({"186", "2048", "x"});
    r.AlignRight(0);
    r.AlignRight(1);
    EXPECT_EQ(" NO  SIZE  NAME\n  1    15  \x95\x5C\n186  2048  x\n", r.Render(0));
}

TEST(ToolText, Cp932ToUtf8)
{
    const TextRow rows[] = {
        {"", ""},
        {"C:\\\x95\x5C", "C:\\\xE8\xA1\xA8"},                     // 表
        {"\x83\x5C\x94\x5C", "\xE3\x82\xBD\xE8\x83\xBD"},         // ソ能
        {"\xCC\xA7", "\xEF\xBE\x8C\xEF\xBD\xA7"},                 // ﾌｧ
        {"\x81\x60", "\xEF\xBD\x9E"},                             // ～ FULLWIDTH TILDE
        {"\x81\"x", "?\"x"},                                      // lone lead byte: the quote stays
        {"a\x81", "a?"},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
        EXPECT_EQ(rows[i].out, Cp932ToUtf8(rows[i].in)) << "row " << i;
}

TEST(ToolText, WideToCp932)
{
    const struct {
        std::wstring in;
        bool ok;
        std::string out;
    } rows[] = {
        {L"", true, ""},
        {L"a\x8868", true, "a\x95\x5C"},              // 表
        {L"\xFF8C", true, "\xCC"},                    // ﾌ
        {L"\x301C", true, "\x81\x60"},                // WAVE DASH as typed on a UTF-8 terminal
        {L"\xFF5E", true, "\x81\x60"},
        {L"\x2212", true, "\x81\x7C"},                // MINUS SIGN
        {L"\x00E9", false, "untouched"},              // é: no CP932 form, no best fit to e
        {L"\xD83D\xDE00", false, "untouched"},        // an emoji
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        CString out("untouched");
        EXPECT_EQ(rows[i].ok, WideToCp932(rows[i].in, out)) << "row " << i;
        EXPECT_EQ(rows[i].out, std::string(out, out.GetLength())) << "row " << i;
    }
}

} // namespace

// Output building blocks. Everything is built as CP932 text, the library's own bytes;
// the conversion for the terminal happens once, when the output is written.
#pragma once

#include <genbafw/cstring.h>

#include <string>
#include <vector>

namespace genbatool {

// A JSON string body for CP932 text: quote, backslash and control bytes escaped,
// double-byte characters copied whole, so that the second byte of 表 (95 5C) is not
// taken for a backslash.   C:\a"b => C:\\a\"b
std::string JsonEscape(const char* cp932, int length);
inline std::string JsonEscape(const CString& s) { return JsonEscape(s, s.GetLength()); }

// An indented JSON document, built in order: objects, arrays, keys and values.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(const char* key);
    JsonWriter& String(const CString& value);
    JsonWriter& Number(unsigned long long value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    // Key followed by its value.
    JsonWriter& Field(const char* key, const CString& value) { return Key(key).String(value); }
    JsonWriter& Field(const char* key, const char* value) { return Key(key).String(CString(value)); }
    JsonWriter& Field(const char* key, unsigned long long value) { return Key(key).Number(value); }
    JsonWriter& Field(const char* key, bool value) { return Key(key).Bool(value); }

    // The document, ending in a line end.
    std::string Text() const { return m_text + "\n"; }

private:
    void BeforeValue();
    void Indent();
    void Close(char bracket);

    std::string m_text;
    std::vector<int> m_counts;   // values written so far in each open container
    bool m_afterKey = false;
};

// Columns of text, padded by byte count: in CP932 a byte is one column of the
// terminal (half-width katakana included, double-byte characters take two).
class TextTable {
public:
    void AddRow(const std::vector<CString>& cells);
    // Numbers read better right-aligned.
    void AlignRight(size_t column) { m_right.push_back(column); }
    // Rows joined by two spaces, with the given indentation; the last column unpadded.
    std::string Render(int indent = 0) const;

private:
    std::vector<std::vector<CString>> m_rows;
    std::vector<size_t> m_right;
};

// "value" or a placeholder in parentheses when empty: (none).
CString OrNone(const CString& s, const char* placeholder = "(none)");

} // namespace genbatool

#include "format.h"

#include <genbafw/cp932.h>

#include <algorithm>
#include <cstdio>

namespace genbatool {

namespace {

bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

} // namespace

std::string JsonEscape(const char* s, int length)
{
    std::string r;
    r.reserve(static_cast<size_t>(length) + 8);
    for (int i = 0; i < length; ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        // A double-byte character only with a real trail byte: a lone lead byte must
        // not carry a following quote or backslash past the escaping.
        if (genba::cp932::IsLeadByte(b) && i + 1 < length && IsTrailByte(static_cast<unsigned char>(s[i + 1]))) {
            r += s[i];
            r += s[i + 1];
            ++i;
            continue;
        }
        switch (b) {
        case '"': r += "\\\""; break;
        case '\\': r += "\\\\"; break;
        case '\n': r += "\\n"; break;
        case '\r': r += "\\r"; break;
        case '\t': r += "\\t"; break;
        case '\b': r += "\\b"; break;
        case '\f': r += "\\f"; break;
        default:
            if (b < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04X", b);
                r += buf;
            } else {
                r += static_cast<char>(b);
            }
        }
    }
    return r;
}

void JsonWriter::Indent()
{
    m_text += '\n';
    m_text.append(m_counts.size() * 2, ' ');
}

void JsonWriter::BeforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_counts.empty()) {
        if (m_counts.back() > 0) m_text += ',';
        ++m_counts.back();
        Indent();
    }
}

JsonWriter& JsonWriter::BeginObject()
{
    BeforeValue();
    m_text += '{';
    m_counts.push_back(0);
    return *this;
}

void JsonWriter::Close(char bracket)
{
    int count = m_counts.back();
    m_counts.pop_back();
    if (count > 0) Indent();
    m_text += bracket;
}

JsonWriter& JsonWriter::EndObject()
{
    Close('}');
    return *this;
}

JsonWriter& JsonWriter::BeginArray()
{
    BeforeValue();
    m_text += '[';
    m_counts.push_back(0);
    return *this;
}

JsonWriter& JsonWriter::EndArray()
{
    Close(']');
    return *this;
}

JsonWriter& JsonWriter::Key(const char* key)
{
    BeforeValue();
    m_text += '"';
    m_text += JsonEscape(CString(key));
    m_text += "\": ";
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::String(const CString& value)
{
    BeforeValue();
    m_text += '"';
    m_text += JsonEscape(value);
    m_text += '"';
    return *this;
}

JsonWriter& JsonWriter::Number(unsigned long long value)
{
    BeforeValue();
    m_text += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value)
{
    BeforeValue();
    m_text += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null()
{
    BeforeValue();
    m_text += "null";
    return *this;
}

void TextTable::AddRow(const std::vector<CString>& cells) { m_rows.push_back(cells); }

std::string TextTable::Render(int indent) const
{
    std::vector<int> widths;
    for (const auto& row : m_rows)
        for (size_t c = 0; c < row.size(); ++c) {
            if (widths.size() <= c) widths.push_back(0);
            widths[c] = std::max(widths[c], row[c].GetLength());
        }
    std::string r;
    for (const auto& row : m_rows) {
        std::string line(static_cast<size_t>(indent), ' ');
        for (size_t c = 0; c < row.size(); ++c) {
            size_t pad = static_cast<size_t>(widths[c] - row[c].GetLength());
            bool right = std::find(m_right.begin(), m_right.end(), c) != m_right.end();
            if (right) line.append(pad, ' ');
            line += static_cast<const char*>(row[c]);
            if (c + 1 < row.size()) line.append((right ? 0 : pad) + 2, ' ');
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        r += line + "\n";
    }
    return r;
}

CString OrNone(const CString& s, const char* placeholder) { return s.IsEmpty() ? CString(placeholder) : s; }

} // namespace genbatool

#include "hardening/hostile_values.h"

#include "support/testsupport.h"

#include <genbafw/cp932.h>
#include <gtest/gtest.h>

#include <cstring>

namespace genbatest {

namespace {

#define DBCS "\x95\x5C\x83\x5C"   // 表ソ

CString Windir()
{
    char buf[MAX_PATH] = {0};
    GetEnvironmentVariableA("WINDIR", buf, sizeof buf);
    return buf;
}

CString Text(const std::string& s) { return CString(s.data(), static_cast<int>(s.size())); }

// No zero byte inside and no lone lead byte at the end: whole characters only.
bool IsWholeText(const CString& s)
{
    const char* p = s;
    const int len = s.GetLength();
    if (static_cast<int>(std::strlen(p)) != len) return false;
    int pos = 0;
    while (pos < len) {
        const int next = genba::cp932::NextPos(p, len, pos);
        if (next - pos == 1 && genba::cp932::IsLeadByte(static_cast<unsigned char>(p[pos]))) return false;
        pos = next;
    }
    return true;
}

} // namespace

std::string Repeat(const std::string& s, int n)
{
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

void SetHostileVariables()
{
    SetEnvironmentVariableA(kLongVariable, std::string(30000, 'L').c_str());
    SetEnvironmentVariableA(kDbcsVariable, DBCS);
}

std::vector<HostileText> HostileTexts()
{
    const std::string a2047(2047, 'a'), a2048(2048, 'a');
    const std::string longRef = std::string("%") + kLongVariable + "%", dbcsRef = std::string("%") + kDbcsVariable + "%";
    const std::string windirs = Repeat("%WINDIR%", 255);   // 2040 bytes, 2550 expanded
    const CString windir = Windir();
    CString windirsExpanded;
    for (int i = 0; i < 255; ++i) windirsExpanded += windir;
    const std::string dbcs2046 = Repeat("\x95\x5C", 1023);
    return {
        // Texts stored without a terminator: only the bytes returned are text, up to the
        // first zero among them; one that fills the whole 2048-byte buffer is too long.
        // (Wine adds a terminator of its own; RegText shows the rule alone.)
        {"REG_SZ", REG_SZ, std::string("abc", 4), Outcome::Read, "abc"},
        {"REG_SZ no bytes", REG_SZ, "", Outcome::Read, ""},
        {"REG_SZ unterminated", REG_SZ, "abc", Outcome::Read, "abc"},
        {"REG_SZ unterminated double-byte end", REG_SZ, "x" DBCS, Outcome::Read, "x" DBCS},
        {"REG_SZ zero inside", REG_SZ, std::string("ab\0cd", 5), Outcome::Read, "ab"},
        {"REG_SZ 2047 bytes, no zero", REG_SZ, a2047, Outcome::Read, Text(a2047)},
        {"REG_SZ 2047 bytes and zero", REG_SZ, a2047 + '\0', Outcome::Read, Text(a2047)},
        {"REG_SZ 2048 bytes, no zero", REG_SZ, a2048, Outcome::Refused, ""},
        {"REG_EXPAND_SZ unknown variable", REG_EXPAND_SZ, std::string("%GENBA_NONE%", 13), Outcome::Read, "%GENBA_NONE%"},
        {"REG_MULTI_SZ first empty", REG_MULTI_SZ, std::string("\0two\0", 6), Outcome::Read, ""},
        // Texts at and past the limit.
        {"REG_SZ 2049 bytes, no zero", REG_SZ, a2048 + "a", Outcome::Refused, ""},
        {"REG_SZ far longer, zero early", REG_SZ, "abc" + std::string(1, '\0') + std::string(99996, 'a'), Outcome::Refused, ""},
        {"REG_SZ 2046 double-byte bytes", REG_SZ, dbcs2046, Outcome::Read, Text(dbcs2046)},
        {"REG_SZ lone lead byte at the end", REG_SZ, "abc\x95", Outcome::Mangled, "abc"},
        {"REG_SZ lone lead byte and zero", REG_SZ, std::string("abc\x95\0", 5), Outcome::Mangled, "abc"},
        {"REG_SZ odd size", REG_SZ, std::string("ab\0", 3), Outcome::Read, "ab"},
        {"REG_EXPAND_SZ 2047 bytes, no zero", REG_EXPAND_SZ, a2047, Outcome::Read, Text(a2047)},
        {"REG_EXPAND_SZ 2048 bytes, no zero", REG_EXPAND_SZ, a2048, Outcome::Refused, ""},
        {"REG_EXPAND_SZ 2049 bytes", REG_EXPAND_SZ, a2048 + std::string(1, '\0'), Outcome::Refused, ""},
        {"REG_EXPAND_SZ empty", REG_EXPAND_SZ, "", Outcome::Read, ""},
        {"REG_MULTI_SZ 2047 bytes, no zero", REG_MULTI_SZ, a2047, Outcome::Read, Text(a2047)},
        {"REG_MULTI_SZ 2048 bytes, no zero", REG_MULTI_SZ, a2048, Outcome::Refused, ""},
        // Multi-strings: empty, unended, and one whose first string fits but not the whole.
        {"REG_MULTI_SZ no bytes", REG_MULTI_SZ, "", Outcome::Read, ""},
        {"REG_MULTI_SZ two zeros", REG_MULTI_SZ, std::string(2, '\0'), Outcome::Read, ""},
        {"REG_MULTI_SZ no final zero", REG_MULTI_SZ, std::string("C:\\M\0C:\\N", 9), Outcome::Read, "C:\\M"},
        {"REG_MULTI_SZ one final zero", REG_MULTI_SZ, std::string("C:\\M\0C:\\N\0", 10), Outcome::Read, "C:\\M"},
        {"REG_MULTI_SZ too long after a short first", REG_MULTI_SZ,
         "C:\\M" + std::string(1, '\0') + std::string(3000, 'b') + std::string(2, '\0'), Outcome::Refused, ""},
        // Expansions far longer than the value.
        {"REG_EXPAND_SZ 255 x %WINDIR%", REG_EXPAND_SZ, windirs + std::string(1, '\0'), Outcome::Read, windirsExpanded},
        {"REG_EXPAND_SZ 30000-byte variable", REG_EXPAND_SZ, longRef, Outcome::Read, CString('L', 30000)},
        {"REG_EXPAND_SZ 60000 bytes expanded", REG_EXPAND_SZ, longRef + longRef, Outcome::WholeOrRefused,
         CString('L', 60000)},
        {"REG_EXPAND_SZ 3 MB expanded", REG_EXPAND_SZ, Repeat(longRef, 100), Outcome::WholeOrRefused,
         CString('L', 3000000)},
        // Double-byte text: the expansion is longer in bytes than in characters.
        {"REG_EXPAND_SZ double-byte variable", REG_EXPAND_SZ, "a" + dbcsRef + "b", Outcome::Read, "a" DBCS "b"},
        {"REG_EXPAND_SZ double-byte text", REG_EXPAND_SZ, "C:\\" DBCS "\\x", Outcome::Read, "C:\\" DBCS "\\x"},
        {"REG_EXPAND_SZ 2046 double-byte bytes", REG_EXPAND_SZ, dbcs2046, Outcome::Read, Text(dbcs2046)},
        {"REG_EXPAND_SZ 120 x double-byte variable", REG_EXPAND_SZ, Repeat(dbcsRef, 120), Outcome::Read,
         Text(Repeat(DBCS, 120))},
        // Not texts.
        {"REG_DWORD", REG_DWORD, std::string("\x01\0\0\0", 4), Outcome::Refused, ""},
        {"REG_BINARY", REG_BINARY, std::string("abc", 4), Outcome::Refused, ""},
        {"REG_QWORD", REG_QWORD, std::string("abcdefg\0", 8), Outcome::Refused, ""},
        {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN, std::string("abc\0", 4), Outcome::Refused, ""},
        {"REG_NONE empty", REG_NONE, "", Outcome::Refused, ""},
        {"type 0x1234", 0x1234, std::string("abc\0", 4), Outcome::Refused, ""},
    };
}

std::vector<HostileNumber> HostileNumbers()
{
    std::vector<HostileNumber> rows;
    for (DWORD type : {REG_DWORD, REG_BINARY, REG_QWORD, REG_NONE, REG_DWORD_BIG_ENDIAN, REG_SZ, REG_MULTI_SZ})
        for (DWORD size : {0u, 3u, 4u, 5u, 8u}) rows.push_back({type, size, type == REG_DWORD && size == 4});
    return rows;
}

void ExpectHostileText(const HostileText& row, const CString& got, const CString& fallback)
{
    switch (row.outcome) {
    case Outcome::Read:
        EXPECT_EQ(got.GetLength(), row.text.GetLength());
        EXPECT_TRUE(got == row.text) << Hex(got.Left(32));
        break;
    case Outcome::Refused:
        EXPECT_TRUE(got == fallback) << "length " << got.GetLength() << ": " << Hex(got.Left(32));
        break;
    case Outcome::WholeOrRefused:
        EXPECT_TRUE(got == row.text || got == fallback) << "a part: length " << got.GetLength();
        break;
    case Outcome::Mangled:
        // The code page has no character for a lone lead byte: what comes back depends
        // on the system, but it starts with the text and holds whole characters only.
        EXPECT_EQ(got.Left(row.text.GetLength()), row.text);
        EXPECT_TRUE(IsWholeText(got)) << Hex(got);
        break;
    }
}

void ExpectHostileText(const HostileText& row, int result, const CString& got, const CString& fallback)
{
    if (row.outcome == Outcome::WholeOrRefused) {
        EXPECT_TRUE(result == 1 ? got == row.text : result == 0 && got == fallback)
            << "result " << result << ", length " << got.GetLength();
        return;
    }
    EXPECT_EQ(result, row.outcome == Outcome::Refused ? 0 : 1);
    ExpectHostileText(row, got, fallback);
}

} // namespace genbatest

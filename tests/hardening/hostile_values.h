// Registry values that other programs may leave where the library reads: texts of every
// text type at and past the 2048-byte limit, without terminators, empty and unended
// multi-strings, expandable texts whose expansion is far longer than the value, and the
// wrong types and sizes where a number is read. One table, applied to every value the
// library reads (the settings store, the homes, the current work, the overrides).
#pragma once

#include <genbafw/cstring.h>
#include <windows.h>

#include <string>
#include <vector>

namespace genbatest {

enum class Outcome {
    Read,             // read: gives `text`
    Refused,          // not read: the documented default
    WholeOrRefused,   // the whole `text`, or not read when the system cannot expand it all
    Mangled,          // bytes the code page cannot hold: read, in whole characters
};

struct HostileText {
    const char* what;
    DWORD type;
    std::string bytes;   // stored exactly, no terminator added
    Outcome outcome;
    CString text;
};

// Variables the expandable rows refer to; set in this process before reading.
const char kLongVariable[] = "GENBA_HARD_LONG";   // 30000 bytes
const char kDbcsVariable[] = "GENBA_HARD_DBCS";   // 表ソ (trail bytes 5C)

void SetHostileVariables();

std::string Repeat(const std::string& s, int n);

// The rows; SetHostileVariables first.
std::vector<HostileText> HostileTexts();

// Where a number is read: every one of these type and size pairs, only a REG_DWORD of
// four bytes is a number.
struct HostileNumber {
    DWORD type;
    DWORD size;
    bool readable;
    std::string bytes() const { return std::string("\x07\0\0\0\0\0\0\0\0", size); }
    std::string what() const { return "type " + std::to_string(type) + ", " + std::to_string(size) + " bytes"; }
};
std::vector<HostileNumber> HostileNumbers();

// Checks a text read against its row; `got` is the string after the read, `result`
// what the read returned (for reads that report one), `fallback` the documented default.
void ExpectHostileText(const HostileText& row, int result, const CString& got, const CString& fallback);
void ExpectHostileText(const HostileText& row, const CString& got, const CString& fallback);

} // namespace genbatest

#include "native_support.h"

#include <cstdio>

std::string Escaped(const CString& s)
{
    std::string out;
    for (int i = 0; i < s.GetLength(); ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += static_cast<char>(b);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out;
}

void PrintTo(const CString& s, std::ostream* os) { *os << '"' << Escaped(s) << '"' << " (" << s.GetLength() << " bytes)"; }

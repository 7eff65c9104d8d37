// The system's single-character tests, as the path operations that talk to the
// system use them (the pure code carries an equal CP932 table).
#pragma once

#include <windows.h>

namespace genba {

inline char SysUpperChar(char c)
{
    // CharUpperA takes a single character in the low word of the pointer argument.
    ULONG_PTR v = reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<unsigned char>(c)))));
    return static_cast<char>(v & 0xFF);
}

inline bool SysIsAlpha(char c) { return IsCharAlphaA(c) != FALSE; }

} // namespace genba

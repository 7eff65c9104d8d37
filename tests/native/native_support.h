// Helpers of the native tests: strings from byte literals (zero bytes included) and
// readable failure messages for CP932 bytes.
#pragma once

#include <genbafw/cstring.h>

#include <cstddef>
#include <ostream>
#include <string>

// The literal's bytes, every one of them: B("a\0b") has three.
template <size_t N>
CString B(const char (&bytes)[N])
{
    return CString(bytes, static_cast<int>(N - 1));
}

// Bytes as text, with every byte outside printable ASCII as \xNN.
std::string Escaped(const CString& s);

void PrintTo(const CString& s, std::ostream* os);

// Compares byte-exactly and shows both sides readably: EXPECT_EQ(Escaped(want), Escaped(got)).

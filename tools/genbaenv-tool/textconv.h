// Text between the library's code page 932 and the terminal: the library speaks CP932
// bytes, terminals here speak UTF-8 (or UTF-16 through a console).
#pragma once

#include <genbafw/cstring.h>

#include <string>

namespace genbatool {

// CP932 bytes as UTF-16. A lead byte without a valid trail byte becomes '?' on its own,
// so that the byte after it (a quote, a backslash, a line end) is never swallowed into a
// broken character.
std::wstring Cp932ToWide(const std::string& cp932);

// CP932 bytes as UTF-8, by way of Cp932ToWide.
std::string Cp932ToUtf8(const std::string& cp932);

// UTF-16 as UTF-8.
std::string WideToUtf8(const std::wstring& wide);

// UTF-16 as CP932. Characters that UTF-8 terminals produce for the JIS forms of a few
// CP932 characters (WAVE DASH U+301C for FULLWIDTH TILDE U+FF5E, MINUS SIGN U+2212 for
// FULLWIDTH HYPHEN-MINUS U+FF0D, ...) are taken as those characters first. Returns false
// when a character has no CP932 form at all; nothing is guessed.
bool WideToCp932(const std::wstring& wide, CString& out);

} // namespace genbatool

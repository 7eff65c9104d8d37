// Character stepping in code page 932 (Shift_JIS). Every search of the project walks
// strings through these functions, so a trail byte is never taken for a separator.
#pragma once

#include <genbafw/fwdefs.h>

namespace genba {
namespace cp932 {

// Lead bytes of a double-byte character: 81-9F and E0-FC.
inline bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Position of the character after the one at pos, in a string of len bytes.
// A lead byte followed by its trail byte steps two; a lone lead byte at the end
// (or before a zero byte) steps one, so the terminator is never stepped over.
inline int NextPos(const char* s, int len, int pos)
{
    if (pos < 0) return 0;
    if (pos >= len) return len;
    if (IsLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < len && s[pos + 1] != '\0')
        return pos + 2;
    return pos + 1;
}

// Start of the character that contains byte position pos: found by rescanning from the
// start, since a trail byte cannot be told from a lead byte by looking backwards.
GENBAFW_API int CharStart(const char* s, int len, int pos);

// True when byte position pos of the string is the start of a character.
inline bool IsCharBoundary(const char* s, int len, int pos) { return CharStart(s, len, pos) == pos; }

// The system's single-byte letter test under code page 932 (IsCharAlphaA): ASCII
// letters and the half-width katakana A6-DF.
inline bool IsAlphaByte(unsigned char b)
{
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= 0xA6 && b <= 0xDF);
}

// The system's single-byte upper-casing under code page 932 (CharUpperA): only a-z change.
inline unsigned char UpperByte(unsigned char b) { return (b >= 'a' && b <= 'z') ? static_cast<unsigned char>(b - 'a' + 'A') : b; }

// Upper-cases a double-byte character's trail byte in place: only the full-width small
// Latin letters (82 81 to 82 9A) change, to their capitals (82 60 to 82 79), as file
// names and the framework's case-blind comparison fold them.
inline void UpperWide(unsigned char lead, unsigned char& trail)
{
    if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) trail = static_cast<unsigned char>(trail - 0x21);
}

// Byte position of the first one-byte character equal to c at or after start, or -1.
// A double-byte character never matches, not even by its lead byte; a lone lead byte
// at the end is a one-byte character and does. A start inside a double-byte
// character begins at the next character.
GENBAFW_API int FindByte(const char* s, int len, char c, int start = 0);
// Byte position of the last one-byte character equal to c, or -1.
GENBAFW_API int ReverseFindByte(const char* s, int len, char c);

} // namespace cp932
} // namespace genba

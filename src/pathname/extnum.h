// Numbered extensions (.001 to .FFF) and extension lists ("title|ext|title|ext"):
// pure, no system call.
#pragma once

#include <genbafw/cstring.h>
#include <cstdint>

namespace genba {
namespace ext {

// The number an extension carries: the text after the last dot of the file part, read
// by strtoul's base-16 rules; 1 to 4095, else 0.       a.00a => 10, a.bak => 186
uint32_t GetExtNumber(const CString& path);
// strtoul(s, nullptr, 16), computed here so that its rules do not depend on the runtime.
uint32_t ReadHexLikeStrtoul(const char* s);
// ".%03lX" for 1 to 4095, else empty.                     10 => .00A
CString GetExtStr(uint32_t number);

int GetExtCount(const CString& list);                   // Data|*.dat|All|*.*| => 2
CString GetExt(const CString& list, int index);         // index 1 => *.*
CString GetExtTitle(const CString& list, int index);    // index 1 => All

} // namespace ext
} // namespace genba

// The lowest number from 1 to 4095 that no entry of a folder carries, found in one
// listing: exactly the number SearchExtDir(dir, n, null, nFlags) would first find no
// entry for, asked for n = 1, 2, ... (each of those asks lists the folder once more).
#pragma once

#include <genbafw/cstring.h>

namespace genba {

// 0 when every number is taken. nFlags: the listing options (SELFILE_FOLDER, SELFILE_HIDDEN).
unsigned long FindFirstFreeNumber(const CString& dir, int nFlags);

// The number a name's extension spells as SearchExtDir looks for it: three single-byte
// hexadecimal digits after the name's last dot, in either case.   x.00a => 10
// x.0001, x.01, x.0x1 => 0
unsigned long ThreeDigitNumber(const CString& name);

} // namespace genba

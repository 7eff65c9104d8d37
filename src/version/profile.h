// Reading the installation's small INI files through the system's profile reader.
#pragma once

#include <genbafw/cstring.h>

#include <functional>

namespace genba {

// The value of key in section, at most nMaxChars bytes, "" when there is none. A value
// the limit cuts inside a double-byte character ends before that character.
CString ReadProfileValue(const CString& file, const char* section, const char* key, int nMaxChars);

// Calls visit(key) for each key of the section, in file order, from one key list read
// into a buffer of nBufferSize bytes. The list is taken by the length the system
// returns: a list that does not fit is cut (without its final zero under Wine), and a
// last name without its zero is a cut one and is left out. False, visiting nothing,
// when the buffer cannot be allocated.
bool ForEachProfileKey(const CString& file, const char* section, unsigned long nBufferSize,
                       const std::function<void(const char* key)>& visit);

} // namespace genba

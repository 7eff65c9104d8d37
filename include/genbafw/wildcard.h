// Wildcard matching of a file name against a pattern, by Windows' rules for long names.
// Every enumeration of the project matches entries with this one function, against
// their own names only (never their 8.3 short names).
#pragma once

#include <genbafw/fwdefs.h>

namespace genba {

// Case-insensitive (single-byte and full-width Latin letters) and CP932-aware (a trail byte is never a
// wildcard or a dot): '*' matches any run of characters, '?' one character other than
// a dot, or none before a dot or at the end of the name; "*.*" also matches names
// without a dot, and "*." matches only those. A name without wildcard characters
// matches itself; "*" matches every name. Null counts as empty.
//   *.???  a.001 a.12 x     not b.0001        *.001  x.001 X.b.001   not Tokyo.0012
GENBAFW_API bool MatchWildcard(const char* pattern, const char* name);

} // namespace genba

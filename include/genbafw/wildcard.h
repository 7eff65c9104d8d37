// Wildcard matching of a file name against a pattern, by Windows' rules for long names.
// Every enumeration of the project matches entries with this one function, against
// their own names only (never their 8.3 short names).
#pragma once

#include <genbafw/fwdefs.h>

namespace genba {

// Case-insensitive (single-byte letters) and CP932-aware: '*' matches any run of
// characters, '?' one character, or none before a dot or at the end of the name;
// "*.*" also matches names without a dot.
GENBAFW_API bool MatchWildcard(const char* pattern, const char* name);

} // namespace genba

// Registry routines of the environment core: the suite's product key under a root,
// opening it in one of three modes, and reading texts and numbers from an open key.
//
// Key layout below a root:
//   Software\Velmora\<product key name><root suffix>[\<section>\CurrentVersion][\<entry>]
// The suffix is the INI's HKCU value under HKEY_CURRENT_USER, its HKLM value under
// HKEY_LOCAL_MACHINE, and nothing under any other root.
#pragma once

#include <genbafw/cstring.h>
#include <genbafw/handle.h>

#include <windows.h>

class CEnvironObj;
class ZRApliChange;

namespace genba {

enum KeyOpenMode : int {
    KEYOPEN_READ = 0,     // existing key, read access
    KEYOPEN_WRITE = 1,    // value name needed; creates missing keys, read and write access
    KEYOPEN_DELETE = 2,   // value name needed; existing key, deletes that value
};

// Longest stored text the library reads, terminating zero included.
const DWORD kRegTextLimit = 2048;

// Key path below the root for section, entry and value name (each may be null; empty
// section and entry count as absent, an empty value name does not). `pending` gets the
// last component, which is not part of the path: the value name when one is given,
// else the entry, else "CurrentVersion" after a section, else the product key itself.
CString BuildProductKeyPath(const ZRApliChange& apli, HKEY root, const char* section, const char* entry,
                            const char* valueName, CString& pending);

// The whole key path for section and entry (the pending component attached).
CString ProductKeyPath(const ZRApliChange& apli, HKEY root, const char* section, const char* entry);

// The key for section and entry opened in `mode`; empty when it cannot be opened, or
// when the mode is unknown or needs a value name that was not given. A write opening
// leaves an existing value in place: the caller's RegSetValueExA replaces value and
// type in one step, so a failing write loses nothing.
UniqueRegKey OpenProductKey(const ZRApliChange& apli, HKEY root, const char* section, const char* entry,
                            const char* valueName, int mode);
UniqueRegKey OpenMachineKey(const ZRApliChange& apli, const char* section, const char* entry,
                            const char* valueName, int mode);
UniqueRegKey OpenUserKey(const ZRApliChange& apli, const char* section, const char* entry,
                         const char* valueName, int mode);

// Text of a REG_SZ, the first string of a REG_MULTI_SZ, or an expanded REG_EXPAND_SZ,
// read with a buffer of `limit` bytes. The text ends at the first zero within the bytes
// the registry returned; one that fills the buffer without a zero counts as too long.
// 1 when read; 0 (out unchanged) for a missing, too long or non-text value, and for an
// expansion the system cannot give whole (past its limit of 32K characters).
int ReadRegString(HKEY key, CString& out, const char* name, DWORD limit);

// A REG_DWORD of exactly four bytes; 1 when read, 0 (out unchanged) otherwise.
int ReadRegDWord(HKEY key, unsigned long& out, const char* name);

// Bare name of the server whose share holds the path; empty for a local or empty path.
CString GetServerNameFromPath(const CEnvironObj& env, const CString& path);

// Deletes every value and subkey (recursively) of parent\name, keeping the key itself.
// Stops at the first failure; 1 when everything went.
int DeleteRegKeyContents(HKEY parent, const char* name);

} // namespace genba

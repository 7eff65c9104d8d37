// Pieces the command families share: CP932 text helpers and the registry addresses the
// library gives for messages.
#pragma once

#include "args.h"
#include "commands.h"

#include <genbaenv/environ.h>
#include <genbafw/cstring.h>

#include <string>

namespace genbatool {

inline std::string S(const CString& s) { return std::string(static_cast<const char*>(s), static_cast<size_t>(s.GetLength())); }

CString Number(unsigned long n);
CString JoinPath(const CEnvironObj& env, const CString& dir, const CString& name);

// HKCU\Software\...\<section>\CurrentVersion\<entry>, as the settings store forms it.
CString DataKey(const CEnvironObj& env, DataRoot root, const CString& section, const CString& entry);

// A value of a key, for messages: HKCU\...\CurrentWork "DataPath".
inline CString ValueRef(const CString& key, const CString& name) { return key + " \"" + name + "\""; }

// The command families.
int RunShow(const Request& r, Output& o);
int RunWorkShow(const Request& r, Output& o);
int RunWorkSet(const Request& r, Output& o);
int RunPath(const Request& r, Output& o);
int RunPaths(const Request& r, Output& o);
int RunTree(const Request& r, Output& o);
int RunFiles(const Request& r, Output& o);
int RunGet(const Request& r, Output& o);
int RunSet(const Request& r, Output& o);
int RunDel(const Request& r, Output& o);
int RunVersion(const Request& r, Output& o);

} // namespace genbatool

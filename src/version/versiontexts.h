// The two texts of the version box: the six-line header, and the information of the
// installed components.
#pragma once

#include <genbafw/cstring.h>

class CEnvironObj;
class CInfoEntryList;
class CModuleVersion;

namespace genba {

// Adds the keys of the section of every file of the folder to the list, files in the
// order the file system lists them, keys in file order.
void CollectInfoFiles(const CEnvironObj& env, CInfoEntryList& list, const CString& strFolder, const char* lpszSection);
// Appends the value of every key of the section, in file order, each with CR LF.
void ReadSectionLines(CString& out, const CString& strFile, const char* lpszSection);

// The empty line, the name, the version line, two empty lines and the legal notice,
// each ended by CR LF. lpszName, when not null, is the name (even when empty).
CString BuildVersionHeader(const CModuleVersion& version, const CString& strVersionInf, const char* lpszName);
// The entries of both INFO folders, greatest key first, then VERSION.INF [Information].
CString BuildVersionInfo(const CEnvironObj& env, const CString& strVersionInf);

} // namespace genba

// Pure path and file-name operations on CP932 byte strings: no system call, no Windows
// header. The backslash is the only separator; searches step by CP932 character.
#pragma once

#include <genbafw/cstring.h>

namespace genba {
namespace path {

bool IsUncPath(const CString& p);             // longer than two bytes, starts with two backslashes
bool IsDriveQualified(const CString& p);      // letter, colon
bool IsDriveAbsolute(const CString& p);       // letter, colon, backslash

// cwd is the process's current directory as the system reports it, empty when it could
// not; then every result that depends on it is empty too.
CString FullPathFrom(const CString& p, const CString& cwd);       // "..\a", "C:\work" => "C:\work\..\a"
CString CurrentDirForDrive(char drive, const CString& cwd);       // 'd', "C:\work" => "D:\"

CString GetDrive(const CString& p);                      // "c:x" => "c:"
CString GetVolumePath(const CString& p);                 // "\\pc1\share\dir" => "\\pc1\share"
CString GetRelativePath(const CString& p);               // "\\pc1\share\dir" => "\dir"
CString GetPathNameFromRelativePath(const CString& p);   // "C:\f.txt" => "C:\"
CString GetDirNameFromRelativePath(const CString& p);    // "C:\f.txt" => "C:"
CString GetFileNameFromRelativePath(const CString& p);   // "C:\f.txt" => "f.txt"
CString GetBaseNameFromFileName(const CString& n);       // "a.b.001" => "a.b"
CString GetExtNameFromFileName(const CString& n);        // "a.b.001" => ".001"
int IsValidFileName(const CString& n);                   // -1 acceptable, else fault position
void AddFileName(CString& p, const CString& n);          // "C:\dir\\//" + "a.txt" => "C:\dir\a.txt"

CString GetShareNameFromUNCPath(const CString& p);       // "\\pc1\data\dir" => "\\pc1\data"
CString GetServerNameFromShareName(const CString& s);    // "\\pc1\data" => "pc1"

} // namespace path
} // namespace genba

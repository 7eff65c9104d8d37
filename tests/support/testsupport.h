// The one home of the helpers the test programs share under Wine: scratch folders and
// files, raw registry access, child processes, staging copies of programs, counting
// what a process holds, and printing CP932 bytes.
#pragma once

#include <genbafw/cstring.h>
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace genbatest {

// --- Files and folders ---------------------------------------------------------------

// Scratch folder of the test prefix (no trailing backslash). The runner's fixtures live
// below it: unc\genbasrv\share is \\genbasrv\share, drive-t is T:.
CString ScratchRoot();
// A fresh, empty folder below the scratch root, named after the caller's test.
CString FreshDir(const char* name);
// Removes a folder with everything in it; links inside are removed, never followed.
bool RemoveTree(const CString& dir);
// As FreshDir, on drive C: (the prefix's temporary folder): the shell, and with it the
// system's file and folder dialogs, cannot open folders on the drive that maps the whole
// Linux tree, where the scratch root is.
CString FreshDirOnC(const char* name);
bool MakeDir(const CString& dir);   // true when it is there afterwards
bool WriteFile(const CString& path, const std::string& bytes = std::string());
std::string ReadFile(const CString& path);
// A Linux symbolic link (the only kind of link Wine has); Windows paths in the prefix.
bool MakeSymlink(const CString& target, const CString& link);
// The full file name of a loaded module (null: the program), and its folder.
CString ModuleFile(HMODULE module);
CString ProgramDir();

// --- Registry ---------------------------------------------------------------------------

bool RegPut(HKEY root, const CString& path, const char* name, DWORD type, const std::string& bytes);
bool RegPutStr(HKEY root, const CString& path, const char* name, const CString& value, DWORD type = REG_SZ);
bool RegPutDWord(HKEY root, const CString& path, const char* name, DWORD value);
bool RegDelValue(HKEY root, const CString& path, const char* name);
bool RegKeyExists(HKEY root, const CString& path);
// The key itself too: RegDeleteTree deletes the key it is given a name of.
inline void RegDelTree(HKEY root, const CString& path) { RegDeleteTreeA(root, path); }
// The stored type and bytes; REG_NONE and no bytes when there is no such value.
std::pair<DWORD, std::string> RegGet(HKEY root, const CString& path, const char* name);

// --- Child processes --------------------------------------------------------------------

struct RunResult {
    DWORD exit = 0xFFFFFFFF;   // 0xFFFFFFFF: not started or did not end in time
    std::string out, err;       // the bytes written to standard output and error
    std::string failure;        // why it did not run, when it did not
};
// Runs a command line (UTF-16, so that any argument survives) with its standard output
// and error in files below `dir`, and ends it after `timeoutMs`.
RunResult RunProgram(const std::wstring& commandLine, const CString& dir, DWORD timeoutMs = 60000);
// Copies the named programs of the test program's folder, and every DLL there, into
// dir; the test program itself when `programs` names "". Under Wine a program that has
// just ended may hold its files for a moment: copying is retried for a while.
bool StageBinaries(const CString& dir, const std::vector<CString>& programs);

// --- What a process holds ---------------------------------------------------------------

// Runs `round` `warmUp` times (first uses allocate for good: caches, tables), then
// `rounds` times, and checks that no handle was gained and that heap and private
// memory grew by no more than a small fixed slack.
// privateSlack: Wine's window layer commits memory of its own in steps that come and go
// with the load of the machine, so window rounds allow more.
void ExpectFlatFootprint(const std::function<void()>& round, int warmUp, int rounds, size_t privateSlack = 512 * 1024);

// --- The platform ----------------------------------------------------------------------

// True when 32-bit programs run through qemu (the runner says so). There a call that
// hands the Wine server a bad pointer kills the thread ("wine client error: partial
// write") instead of failing with ERROR_NOACCESS, so such rows are left out.
inline bool UnderEmulator() { return GetEnvironmentVariableA("GENBA_EMULATED_32BIT", nullptr, 0) != 0; }

// --- Printing and scopes --------------------------------------------------------------

std::string Hex(const CString& s);   // "95 5C 83 5C"
inline std::string Bytes(const CString& s) { return std::string(static_cast<const char*>(s), s.GetLength()); }
std::wstring Wide(const CString& cp932);   // for command lines

class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const CString& dir);
    ~ScopedCurrentDir();
    bool ok() const { return m_ok; }

private:
    CString m_old;
    bool m_ok;
};

} // namespace genbatest

// gtest printing of CString: its bytes as text and hex.
void PrintTo(const CString& s, std::ostream* os);

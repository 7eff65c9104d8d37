// Helpers shared by the test programs under Wine.
#pragma once

#include <genbafw/cstring.h>
#include <windows.h>

#include <string>

namespace genbatest {

// Scratch folder of the test prefix (a Windows path, no trailing backslash); fixtures
// of the runner live below it: unc\genbasrv\share is \\genbasrv\share, drive-t is T:.
CString ScratchRoot();

// A fresh, empty folder below the scratch root for one test, named after the test.
CString FreshDir(const char* name);

// Removes a folder with everything in it; links inside are removed, never followed.
bool RemoveTree(const CString& dir);

// Writes a file (creating it); returns false on failure.
bool WriteFile(const CString& path, const std::string& bytes = std::string());

// Makes a Linux symbolic link (the only kind of link Wine has): link -> target, both
// Windows paths inside the prefix's drives.
bool MakeSymlink(const CString& target, const CString& link);

// Handles the process holds, counted the way that works under Wine.
long ProcessHandleCount();

// Shows bytes as hex, for failure messages on CP932 strings.
std::string Hex(const CString& s);

// Current directory set for a scope.
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

// Writing the tool's CP932 output to the terminal, and reading its command line.
#pragma once

#include <genbafw/cstring.h>
#include <windows.h>

#include <string>
#include <vector>

namespace genbatool {

// Writes CP932 text to a standard handle: as UTF-16 through WriteConsoleW to a console,
// as UTF-8 bytes to anything else (a pipe, a file, or Wine's terminal); with raw, the
// bytes unchanged. False when the system refused the write.
bool WriteText(HANDLE handle, const std::string& cp932, bool raw);

// The arguments after the program name, as CP932. They are taken from the UTF-16
// command line, not from the ANSI one, so that a character without a CP932 form is
// refused (its position in badIndex) instead of silently becoming '?'.
bool CommandLineArgs(std::vector<CString>& args, int& badIndex);

} // namespace genbatool

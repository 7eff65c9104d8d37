// The commands of genbaenv-tool. Each builds its whole output first, in CP932, and
// the caller writes it only at the end, so a failing command prints just its message.
#pragma once

#include "args.h"

#include <string>

namespace genbatool {

enum : int {
    EXIT_DONE = 0,
    EXIT_NOT_DONE = 1,   // not found, or the system refused
    EXIT_BAD_USAGE = 2,  // refused before anything was done
};

struct Output {
    std::string out;   // CP932
    std::string err;   // CP932, without the program name
};

// Runs a parsed request against the library: environment objects are made here.
int RunRequest(const Request& request, Output& output);

// Parses and runs: the whole tool but for the writing of the output.
int RunTool(const std::vector<CString>& args, Output& output);

} // namespace genbatool

// genbaenv-tool: shows and sets the suite's environment exactly as every application
// sees it, through the library itself.
#include "commands.h"
#include "console.h"

#include <string>

int main()
{
    using namespace genbatool;
    std::vector<CString> args;
    int bad = -1;
    Output output;
    int status;
    if (!CommandLineArgs(args, bad)) {
        output.err = bad > 0 ? "argument " + std::to_string(bad) + " holds a character that code page 932 cannot write\n"
                             : std::string("the command line cannot be read\n");
        status = EXIT_BAD_USAGE;
    } else {
        status = RunTool(args, output);
    }
    bool raw = false;
    for (const CString& a : args) {
        if (a == "--") break;
        if (a == "--raw") raw = true;
    }
    if (!WriteText(GetStdHandle(STD_OUTPUT_HANDLE), output.out, raw) && status == EXIT_DONE) status = EXIT_NOT_DONE;
    if (!output.err.empty()) WriteText(GetStdHandle(STD_ERROR_HANDLE), "genbaenv-tool: " + output.err, raw);
    return status;
}

// The command line of genbaenv-tool, checked completely before anything runs: a
// command that is refused has not opened the registry or the disk.
#pragma once

#include <genbafw/cstring.h>

#include <string>
#include <utility>
#include <vector>

namespace genbatool {

enum class Command { Help, Show, Path, Paths, Tree, Files, WorkShow, WorkSet, Get, Set, Del, Dialog, Version };
enum class DataRoot { User, Machine };
enum class ValueType { Any, DWord, Str, Hex };

struct Request {
    Command command = Command::Help;
    bool json = false;   // --json
    bool raw = false;    // --raw: CP932 bytes as they are

    // path
    std::vector<unsigned long> kinds;
    // paths
    bool allApps = false;   // --all: every application code too
    // tree (empty: the current data path), files
    CString dir;
    bool dirIsKind = false;
    unsigned long dirKind = 0;
    bool hasExtList = false;
    CString extList;
    int listFlags = 0;   // SELFILE_FOLDER, SELFILE_HIDDEN
    // work set
    bool hasDataPath = false, hasFolder = false, hasSite = false;
    CString dataPath;
    unsigned short folderNo = 0, siteNo = 0;
    // get, set, del
    DataRoot root = DataRoot::User;
    CString section, entry, name;
    bool wholeKey = false;   // del --key
    ValueType type = ValueType::Any;
    unsigned long dword = 0;
    CString str;
    std::string bytes;
    // dialog KIND: its operands and options, checked by the kind (cmd_dialog.h)
    std::string dialogKind;
    std::vector<CString> operands;
    std::vector<std::pair<std::string, CString>> options;   // name, value ("" for a flag)
    CString screenshot;                                      // --screenshot FILE.png

    const CString* Option(const char* name) const;   // null when not given
};

struct OptionSpec {
    const char* name;
    bool takesValue;
};

// Parses the arguments after the program name (CP932). On refusal returns false with
// a message that names the offending argument.
bool ParseCommandLine(const std::vector<CString>& args, Request& request, std::string& error);

// An unsigned number, decimal or 0x-hexadecimal, from min to max.
// "what" names the argument in the message: "--folder: 5000 is out of range (0 to 4095)".
bool ParseNumber(const CString& text, unsigned long min, unsigned long max, const char* what,
                 unsigned long& value, std::string& error);

// Bytes in hexadecimal: "01 02 ff", "0102FF" or "01:02:FF"; empty text is no bytes.
bool ParseHexBytes(const CString& text, std::string& bytes, std::string& error);

// True for C:\x, C:/x and \\server\share paths.
bool IsAbsolutePath(const CString& path);

// The text of --help.
std::string HelpText();

} // namespace genbatool

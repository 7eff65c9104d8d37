#include "console.h"

#include "textconv.h"

#include <shellapi.h>

namespace genbatool {

namespace {

bool WriteBytes(HANDLE h, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(bytes.size() - done > 65536 ? 65536 : bytes.size() - done);
        if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

bool IsConsole(HANDLE h)
{
    DWORD mode = 0;
    return GetFileType(h) == FILE_TYPE_CHAR && GetConsoleMode(h, &mode);
}

} // namespace

bool WriteText(HANDLE h, const std::string& cp932, bool raw)
{
    if (cp932.empty()) return true;
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return false;
    if (raw) return WriteBytes(h, cp932);
    if (IsConsole(h)) {
        std::wstring w = Cp932ToWide(cp932);
        size_t done = 0;
        while (done < w.size()) {
            DWORD written = 0;
            DWORD chunk = static_cast<DWORD>(w.size() - done > 8192 ? 8192 : w.size() - done);
            if (!WriteConsoleW(h, w.data() + done, chunk, &written, nullptr) || written == 0) return false;
            done += written;
        }
        return true;
    }
    return WriteBytes(h, Cp932ToUtf8(cp932));
}

bool CommandLineArgs(std::vector<CString>& args, int& badIndex)
{
    args.clear();
    badIndex = -1;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return false;
    bool ok = true;
    for (int i = 1; i < argc && ok; ++i) {
        CString a;
        if (!WideToCp932(argv[i], a)) {
            badIndex = i;
            ok = false;
        }
        args.push_back(a);
    }
    LocalFree(argv);
    return ok;
}

} // namespace genbatool

#include "support/testsupport.h"

#include <genbafw/handle.h>
#include <gtest/gtest.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace genbatest {

namespace {

// The prefix's scratch area as the runner made it (a Linux path), as a Windows path.
CString UnixToWindows(const char* unixPath)
{
    typedef WCHAR* (CDECL * ToDos)(const char*);
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) return CString();
    WCHAR* w = toDos(unixPath);
    if (!w) return CString();
    char buf[MAX_PATH * 2] = {0};
    WideCharToMultiByte(CP_ACP, 0, w, -1, buf, sizeof buf, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, w);
    return CString(buf);
}

std::string WindowsToUnix(const CString& winPath)
{
    typedef char* (CDECL * ToUnix)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return std::string();
    WCHAR w[MAX_PATH * 2] = {0};
    MultiByteToWideChar(CP_ACP, 0, winPath, -1, w, MAX_PATH * 2);
    char* u = toUnix(w);
    if (!u) return std::string();
    std::string r(u);
    HeapFree(GetProcessHeap(), 0, u);
    return r;
}

bool RunUnix(const std::string& commandLine)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    // The handle Wine gives for a Linux program can be neither waited on nor asked for
    // an exit code: callers wait for the effect instead.
    genba::UniqueKernelHandle thread(pi.hThread), process(pi.hProcess);
    return true;
}

// Removes a link made from Linux (only Linux can: Windows calls reach its target).
void RemoveLink(const CString& link)
{
    std::string u = WindowsToUnix(link);
    if (u.empty() || !RunUnix("/bin/rm -f \"" + u + "\"")) return;
    // As with ln, Wine reports the child as finished before it has run.
    for (int i = 0; i < 500 && GetFileAttributesA(link) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(10);
}

} // namespace

bool RemoveTree(const CString& dir)
{
    WIN32_FIND_DATAA fd;
    genba::UniqueFindHandle find(FindFirstFileA(dir + "\\*", &fd));
    if (find) {
        do {
            CString name(fd.cFileName);
            if (name == "." || name == "..") continue;
            CString full = dir + "\\" + name;
            SetFileAttributesA(full, FILE_ATTRIBUTE_NORMAL);
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
                // A link: remove the link itself from Linux, never what it points to.
                RemoveLink(full);
            } else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                DeleteFileA(full);
            }
        } while (FindNextFileA(find.get(), &fd));
    }
    return RemoveDirectoryA(dir) != FALSE;
}

CString ScratchRoot()
{
    static CString root;
    if (root.IsEmpty()) {
        const char* u = std::getenv("GENBA_SCRATCH_UNIX");
        if (u && *u) root = UnixToWindows(u);
        if (root.IsEmpty()) {
            char tmp[MAX_PATH] = {0};
            GetTempPathA(MAX_PATH, tmp);
            root = CString(tmp) + "genba-scratch";
            CreateDirectoryA(root, nullptr);
        }
        while (!root.IsEmpty() && root[root.GetLength() - 1] == '\\') root = root.Left(root.GetLength() - 1);
    }
    return root;
}

CString FreshDir(const char* name)
{
    CString base = ScratchRoot() + "\\tests";
    CreateDirectoryA(base, nullptr);
    CString dir = base + "\\" + name;
    RemoveTree(dir);
    CreateDirectoryA(dir, nullptr);
    return dir;
}

bool WriteFile(const CString& path, const std::string& bytes)
{
    HANDLE raw = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return false;
    genba::UniqueKernelHandle file(raw);
    DWORD written = 0;
    BOOL ok = bytes.empty() || ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}

bool MakeSymlink(const CString& target, const CString& link)
{
    std::string t = WindowsToUnix(target), l = WindowsToUnix(link);
    if (t.empty() || l.empty()) return false;
    // Wine runs a Linux program given by its Unix path.
    if (!RunUnix("/bin/ln -s \"" + t + "\" \"" + l + "\"")) return false;
    // Wine reports a Linux child as finished before it has run: wait for the link.
    for (int i = 0; i < 500; ++i) {
        if (GetFileAttributesA(link) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(10);
    }
    return false;
}

long ProcessHandleCount()
{
    // GetProcessHandleCount always answers 0 under Wine; the system handle table does not.
    typedef NTSTATUS(NTAPI * QuerySys)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QuerySys>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    struct Entry {
        ULONG OwnerPid;
        BYTE ObjectType;
        BYTE HandleFlags;
        USHORT HandleValue;
        PVOID ObjectPointer;
        ULONG AccessMask;
    };
    struct Info {
        ULONG Count;
        Entry Handle[1];
    };
    std::vector<unsigned char> buf(1 << 20);
    for (;;) {
        ULONG needed = 0;
        NTSTATUS st = query(16 /* SystemHandleInformation */, buf.data(), static_cast<ULONG>(buf.size()), &needed);
        if (st == static_cast<NTSTATUS>(0xC0000004L)) {   // STATUS_INFO_LENGTH_MISMATCH
            buf.resize(buf.size() * 2);
            continue;
        }
        if (st < 0) return -1;
        break;
    }
    const Info* info = reinterpret_cast<const Info*>(buf.data());
    DWORD pid = GetCurrentProcessId();
    long n = 0;
    for (ULONG i = 0; i < info->Count; ++i)
        if (info->Handle[i].OwnerPid == pid) ++n;
    return n;
}

std::string Hex(const CString& s)
{
    std::string r;
    char b[4];
    for (int i = 0; i < s.GetLength(); ++i) {
        std::snprintf(b, sizeof b, "%02X", static_cast<unsigned char>(s[i]));
        if (i) r += ' ';
        r += b;
    }
    return r;
}

ScopedCurrentDir::ScopedCurrentDir(const CString& dir)
{
    char buf[MAX_PATH + 1] = {0};
    GetCurrentDirectoryA(sizeof buf, buf);
    m_old = buf;
    m_ok = SetCurrentDirectoryA(dir) != FALSE;
}

ScopedCurrentDir::~ScopedCurrentDir() { SetCurrentDirectoryA(m_old); }

} // namespace genbatest

void PrintTo(const CString& s, std::ostream* os)
{
    *os << '"' << static_cast<const char*>(s) << "\" [" << genbatest::Hex(s) << ']';
}

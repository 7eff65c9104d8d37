#include "support/testsupport.h"

#include <genbafw/handle.h>
#include <gtest/gtest.h>
#include <winternl.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace genbatest {

namespace {

// A function of Wine's own kernel32, found by name.
template <typename F>
F WineFunction(const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// The prefix's scratch area as the runner made it (a Linux path), as a Windows path.
CString UnixToWindows(const char* unixPath)
{
    auto toDos = WineFunction<WCHAR*(CDECL*)(const char*)>("wine_get_dos_file_name");
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
    auto toUnix = WineFunction<char*(CDECL*)(LPCWSTR)>("wine_get_unix_file_name");
    if (!toUnix) return std::string();
    WCHAR w[MAX_PATH * 2] = {0};
    MultiByteToWideChar(CP_ACP, 0, winPath, -1, w, MAX_PATH * 2);
    char* u = toUnix(w);
    if (!u) return std::string();
    std::string r(u);
    HeapFree(GetProcessHeap(), 0, u);
    return r;
}

// Runs a Linux program (Wine runs one given by its Unix path) until `path` is there or,
// when `present` is false, gone. The handle Wine gives for a Linux program can be
// neither waited on nor asked for an exit code, and Wine reports the child as finished
// before it has run: the effect is waited for instead.
bool RunUnixUntil(std::string commandLine, const CString& path, bool present)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    genba::UniqueKernelHandle thread(pi.hThread), process(pi.hProcess);
    for (int i = 0; i < 500; ++i, Sleep(10))
        if ((GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) == present) return true;
    return false;
}

// Removes a link made from Linux (only Linux can: Windows calls reach its target).
void RemoveLink(const CString& link)
{
    std::string u = WindowsToUnix(link);
    if (!u.empty()) RunUnixUntil("/bin/rm -f \"" + u + "\"", link, false);
}

// An empty folder, made anew.
CString Fresh(const CString& dir)
{
    RemoveTree(dir);
    CreateDirectoryA(dir, nullptr);
    return dir;
}

CString TempDir()
{
    char tmp[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, tmp);
    return tmp;
}

} // namespace

bool RemoveTree(const CString& dir)
{
    WIN32_FIND_DATAA fd;
    genba::UniqueFindHandle find(FindFirstFileA(dir + "\\*", &fd));
    for (bool more = find.valid(); more; more = FindNextFileA(find.get(), &fd) != FALSE) {
        const CString name(fd.cFileName), full = dir + "\\" + name;
        if (name == "." || name == "..") continue;
        SetFileAttributesA(full, FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            RemoveLink(full);   // the link itself, from Linux, never what it points to
        else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(full);
        else
            DeleteFileA(full);
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
            root = TempDir() + "genba-scratch";
            CreateDirectoryA(root, nullptr);
        }
        while (!root.IsEmpty() && root[root.GetLength() - 1] == '\\') root = root.Left(root.GetLength() - 1);
    }
    return root;
}

CString FreshDir(const char* name)
{
    CreateDirectoryA(ScratchRoot() + "\\tests", nullptr);
    return Fresh(ScratchRoot() + "\\tests\\" + name);
}

CString FreshDirOnC(const char* name) { return Fresh(TempDir() + "genba-" + name); }

bool MakeDir(const CString& dir)
{
    return CreateDirectoryA(dir, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string ReadFile(const CString& path)
{
    std::ifstream in(static_cast<const char*>(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CString ModuleFile(HMODULE module)
{
    char buf[MAX_PATH + 1] = {0};
    DWORD n = GetModuleFileNameA(module, buf, MAX_PATH);
    return n && n < MAX_PATH ? CString(buf, static_cast<int>(n)) : CString();
}

CString ProgramDir()
{
    CString exe = ModuleFile(nullptr);
    return exe.Left(exe.ReverseFind('\\'));
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
    return !t.empty() && !l.empty() && RunUnixUntil("/bin/ln -s \"" + t + "\" \"" + l + "\"", link, true);
}

std::wstring Wide(const CString& cp932)
{
    int n = MultiByteToWideChar(932, 0, cp932, cp932.GetLength(), nullptr, 0);
    std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(932, 0, cp932, cp932.GetLength(), &w[0], n);
    return w;
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

// --- Registry ---------------------------------------------------------------------------

bool RegPut(HKEY root, const CString& path, const char* name, DWORD type, const std::string& bytes)
{
    genba::UniqueRegKey key;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool RegPutStr(HKEY root, const CString& path, const char* name, const CString& value, DWORD type)
{
    return RegPut(root, path, name, type, std::string(static_cast<const char*>(value), value.GetLength() + 1));
}

bool RegPutDWord(HKEY root, const CString& path, const char* name, DWORD value)
{
    return RegPut(root, path, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

bool RegDelValue(HKEY root, const CString& path, const char* name)
{
    genba::UniqueRegKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS) return false;
    return RegDeleteValueA(key.get(), name) == ERROR_SUCCESS;
}

bool RegKeyExists(HKEY root, const CString& path)
{
    genba::UniqueRegKey key;
    return RegOpenKeyExA(root, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::pair<DWORD, std::string> RegGet(HKEY root, const CString& path, const char* name)
{
    std::vector<char> buf(1 << 16);
    DWORD type = REG_NONE, size = static_cast<DWORD>(buf.size());
    if (RegGetValueA(root, path, name, RRF_RT_ANY | RRF_NOEXPAND, &type, buf.data(), &size) != ERROR_SUCCESS)
        return {REG_NONE, std::string()};
    return {type, std::string(buf.data(), size)};
}

// --- Child processes --------------------------------------------------------------------

RunResult RunProgram(const std::wstring& commandLine, const CString& dir, DWORD timeoutMs)
{
    RunResult r;
    // Fresh files for every run: under Wine a child that has ended may still hold its
    // standard handles for a moment.
    static int s_runs = 0;
    CString base;
    base.Format("%s\\run%d", static_cast<const char*>(dir), ++s_runs);
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    auto open = [&sa](const CString& name, DWORD access, DWORD how) {
        return genba::UniqueKernelHandle(
            CreateFileA(name, access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, how, 0, nullptr));
    };
    genba::UniqueKernelHandle in = open("NUL", GENERIC_READ, OPEN_EXISTING);
    genba::UniqueKernelHandle out = open(base + ".out", GENERIC_WRITE, CREATE_ALWAYS);
    genba::UniqueKernelHandle err = open(base + ".err", GENERIC_WRITE, CREATE_ALWAYS);
    if (!in || !out || !err) return r.failure = "cannot open the standard handles", r;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in.get();
    si.hStdOutput = out.get();
    si.hStdError = err.get();
    PROCESS_INFORMATION pi = {};
    std::wstring cmd(commandLine);
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return r.failure = "cannot start: error " + std::to_string(GetLastError()), r;
    genba::UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
    if (WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 99);
        r.failure = "did not end in time";
    } else {
        GetExitCodeProcess(process.get(), &r.exit);
    }
    out.reset();
    err.reset();
    r.out = ReadFile(base + ".out");
    r.err = ReadFile(base + ".err");
    return r;
}

bool StageBinaries(const CString& dir, const std::vector<CString>& programs)
{
    const CString from = ProgramDir();
    std::vector<CString> files;
    for (const CString& p : programs) files.push_back(p.IsEmpty() ? ModuleFile(nullptr).Mid(from.GetLength() + 1) : p);
    WIN32_FIND_DATAA fd;
    genba::UniqueFindHandle find(FindFirstFileA(from + "\\*.dll", &fd));
    for (bool more = find.valid(); more; more = FindNextFileA(find.get(), &fd) != FALSE) files.push_back(fd.cFileName);
    for (int attempt = 0; attempt < 50; ++attempt, Sleep(100)) {
        bool all = MakeDir(dir);
        // Copies, not links: Wine will not delete a link to a running file.
        for (const CString& f : files) all = all && CopyFileA(from + "\\" + f, dir + "\\" + f, FALSE);
        if (all) return true;
    }
    return false;
}

// --- What a process holds ---------------------------------------------------------------

namespace {

// Handles, counted the way that works under Wine: GetProcessHandleCount always answers
// 0 there; the system handle table does not.
long ProcessHandleCount()
{
    std::vector<unsigned char> buf(1 << 20);
    ULONG needed = 0;
    NTSTATUS st;
    while ((st = NtQuerySystemInformation(SystemHandleInformation, buf.data(), static_cast<ULONG>(buf.size()), &needed)) ==
           static_cast<NTSTATUS>(0xC0000004L))   // STATUS_INFO_LENGTH_MISMATCH
        buf.resize(buf.size() * 2);
    if (st < 0) return -1;
    const auto* info = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buf.data());
    long n = 0;
    for (ULONG i = 0; i < info->Count; ++i)
        if (info->Handle[i].OwnerPid == GetCurrentProcessId()) ++n;
    return n;
}

size_t HeapBytesInUse()
{
    std::vector<HANDLE> heaps(64);
    for (DWORD n; (n = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data())) != heaps.size();)
        heaps.resize(n);   // grows until it holds them all, then shrinks to them
    size_t total = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY e = {};
        while (HeapWalk(heap, &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += e.cbData;
        HeapUnlock(heap);
    }
    return total;
}

// Wine leaves PrivateUsage at 0 and reports the private commit as PagefileUsage.
size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc))
        return 0;
    return pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
}

} // namespace

void ExpectFlatFootprint(const std::function<void()>& round, int warmUp, int rounds, size_t kPrivateSlack)
{
    const size_t kHeapSlack = 16 * 1024;
    for (int i = 0; i < warmUp; ++i) round();
    const long handles = ProcessHandleCount();
    const size_t heap = HeapBytesInUse(), privateBytes = PrivateBytes();
    ASSERT_GT(handles, 0);
    for (int i = 0; i < rounds; ++i) round();
    EXPECT_LE(ProcessHandleCount(), handles);
    EXPECT_LE(HeapBytesInUse(), heap + kHeapSlack);
    EXPECT_LE(PrivateBytes(), privateBytes + kPrivateSlack);
}

} // namespace genbatest

void PrintTo(const CString& s, std::ostream* os)
{
    *os << '"' << static_cast<const char*>(s) << "\" [" << genbatest::Hex(s) << ']';
}

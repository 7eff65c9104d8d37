// Path, file-name and network-name operations of the environment object. The pure
// rules live in pathops; this file adds the current directory and the network provider.
#include <genbaenv/environ.h>
#include <genbafw/fillbuffer.h>
#include <genbafw/handle.h>

#include "pathname/netprovider.h"
#include "pathname/pathops.h"
#include "pathname/syschar.h"

#include <memory>
#include <new>

namespace {

const GenbaNetProvider kSystemProvider = {WNetOpenEnumA, WNetEnumResourceA, WNetCloseEnum};
const GenbaNetProvider* g_provider = &kSystemProvider;

struct NetEnumTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { genba::NetProvider().CloseEnum(h); }
};
using UniqueNetEnum = genba::UniqueHandle<NetEnumTraits>;

const DWORD kFirstEnumBuffer = 1600;
const DWORD kMaxEnumBuffer = 16 * 1024 * 1024;

// The remote name that drive letter `upper` is connected to, or empty.
CString FindConnectedRemoteName(char upper)
{
    const GenbaNetProvider& net = genba::NetProvider();
    UniqueNetEnum en;
    if (net.OpenEnum(RESOURCE_CONNECTED, RESOURCETYPE_DISK, 0, nullptr, en.put()) != NO_ERROR) {
        en.release();   // nothing was opened; the slot may hold garbage
        return CString();
    }
    genba::FillBytes buf(kFirstEnumBuffer);
    auto nextBatch = [&](unsigned char* data, unsigned long size) {
        DWORD count = 0xFFFFFFFF;
        DWORD asked = size;
        DWORD rc = net.EnumResource(en.get(), &count, data, &asked);
        if (rc == ERROR_MORE_DATA) return genba::Fill::Grow(asked);
        // A batch of no entries would be asked for again forever.
        return rc == NO_ERROR && count != 0 ? genba::Fill::Done(count) : genba::Fill::Failed();
    };
    for (unsigned long count = 0; buf.Call(kMaxEnumBuffer, nextBatch, count);) {
        const NETRESOURCEA* res = reinterpret_cast<const NETRESOURCEA*>(buf.data());
        for (unsigned long i = 0; i < count; ++i) {
            const char* local = res[i].lpLocalName;
            if (local && *local && genba::SysUpperChar(*local) == upper)
                return CString(res[i].lpRemoteName);
        }
    }
    return CString();
}

} // namespace

namespace genba {
const GenbaNetProvider& NetProvider() { return *g_provider; }
} // namespace genba

extern "C" void GenbaSetNetProviderForTest(const GenbaNetProvider* provider)
{
    g_provider = provider ? provider : &kSystemProvider;
}

using namespace genba;

CString CEnvironObj::GetCurrentDir() const
{
    // A directory longer than 260 bytes (double-byte names make one) or no answer
    // counts as none: callers keep paths in MAX_PATH buffers, and a cut one would lie.
    CString dir;
    FillString(dir, MAX_PATH + 1, MAX_PATH + 1, [](char* buf, unsigned long size) {
        DWORD n = GetCurrentDirectoryA(size, buf);
        return n == 0 ? Fill::Failed() : n < size ? Fill::Done(n) : Fill::Grow(n);
    });
    return dir;
}

CString CEnvironObj::GetCurrentDir(char drive) const { return path::CurrentDirForDrive(drive, GetCurrentDir()); }
CString CEnvironObj::GetCurrentDrive() const { return path::GetDrive(GetCurrentDir()); }
CString CEnvironObj::GetFullPath(const CString& p) const { return path::FullPathFrom(p, GetCurrentDir()); }
CString CEnvironObj::GetDrive(const CString& p) const { return path::GetDrive(p); }
CString CEnvironObj::GetVolumePath(const CString& p) const { return path::GetVolumePath(p); }
CString CEnvironObj::GetRelativePath(const CString& p) const { return path::GetRelativePath(p); }
CString CEnvironObj::GetPathNameFromRelativePath(const CString& p) const { return path::GetPathNameFromRelativePath(p); }
CString CEnvironObj::GetDirNameFromRelativePath(const CString& p) const { return path::GetDirNameFromRelativePath(p); }
CString CEnvironObj::GetFileNameFromRelativePath(const CString& p) const { return path::GetFileNameFromRelativePath(p); }
CString CEnvironObj::GetBaseNameFromFileName(const CString& n) const { return path::GetBaseNameFromFileName(n); }
CString CEnvironObj::GetExtNameFromFileName(const CString& n) const { return path::GetExtNameFromFileName(n); }
int CEnvironObj::IsValidFileName(const CString& n) const { return path::IsValidFileName(n); }
void CEnvironObj::AddFileName(CString& p, const CString& n) const { path::AddFileName(p, n); }
CString CEnvironObj::GetShareNameFromUNCPath(const CString& p) const { return path::GetShareNameFromUNCPath(p); }
CString CEnvironObj::GetServerNameFromShareName(const CString& s) const { return path::GetServerNameFromShareName(s); }

CString CEnvironObj::GetUNCPath(char drive) const
{
    char upper = SysUpperChar(drive);
    if (!SysIsAlpha(upper)) return CString();
    CString remote = FindConnectedRemoteName(upper);
    if (!remote.IsEmpty()) return remote;
    CString local(upper);
    local += ':';
    return local;
}

CString CEnvironObj::GetUNCPath(const CString& p) const
{
    CString full = GetFullPath(p);
    if (path::IsUncPath(full)) return full;
    if (full.GetLength() >= 3 && full[1] == ':' && full[2] == '\\') return GetUNCPath(full[0]) + full.Mid(2);
    return CString();
}

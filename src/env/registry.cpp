#include "env/registry.h"

#include "env/config.h"
#include "env/regnames.h"
#include "env/regtext.h"

#include <genbaenv/environ.h>
#include <genbafw/fillbuffer.h>
#include <zrapli.h>

#include <cstring>

namespace genba {

namespace {

const REGSAM kReadAccess = KEY_READ;                   // 0x20019
const REGSAM kReadWriteAccess = KEY_READ | KEY_WRITE;  // 0x2001F


const CString& RootSuffix(HKEY root)
{
    static const CString none;
    if (root == HKEY_CURRENT_USER) return s_strUserSuffix;
    if (root == HKEY_LOCAL_MACHINE) return s_strMachineSuffix;
    return none;
}

bool IsGiven(const char* text) { return text && *text; }

void AppendComponent(CString& path, const CString& component)
{
    if (component.IsEmpty()) return;
    path += '\\';
    path += component;
}

// Expands %NAME% references into `out`; 0 (out unchanged) when the system cannot give
// the whole expansion. The count the system returns is no size to trust: under code
// page 932 Wine counts characters, not bytes, so a buffer of that size cuts a
// double-byte expansion short; and an expansion past the system's limit (32K
// characters) comes back cut, with the full count. So the buffer has room for two bytes
// a character, and the expansion counts only when it ends before the buffer does and
// the system needed no more than it gave.
int ExpandInto(const CString& text, CString& out)
{
    const DWORD kMaxBuffer = 2 * 32768 + 2;
    const DWORD need = ExpandEnvironmentStringsA(text, nullptr, 0);
    if (need == 0) return 0;
    auto expand = [&text](char* buf, unsigned long size) {
        const DWORD got = ExpandEnvironmentStringsA(text, buf, size);
        if (got == 0) return Fill::Failed();
        const void* zero = std::memchr(buf, 0, size);
        const DWORD len = zero ? static_cast<DWORD>(static_cast<const char*>(zero) - buf) : size;
        // A full buffer: the environment grew between the calls.
        if (len + 1 >= size) return Fill::Grow(got * 2 + 2);
        if (got > len + 2) return Fill::Failed();   // cut by the system: it needed more than it gave
        return Fill::Done(len);
    };
    return FillString(out, need < kMaxBuffer / 2 ? need * 2 + 2 : kMaxBuffer, kMaxBuffer, expand) ? 1 : 0;
}

enum class NameKind { Value, Subkey };

// Name of the value or subkey at `index`. The size the system reports for the longest
// name is not in CP932 bytes, so the buffer starts with room to spare and grows if the
// system still asks for more.
bool EnumName(HKEY key, NameKind kind, DWORD index, DWORD longest, CString& name)
{
    auto enumerate = [=](char* buf, unsigned long size) {
        DWORD len = size;
        LONG rc = kind == NameKind::Value
                      ? RegEnumValueA(key, index, buf, &len, nullptr, nullptr, nullptr, nullptr)
                      : RegEnumKeyExA(key, index, buf, &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) return Fill::Grow();
        return rc == ERROR_SUCCESS && len < size ? Fill::Done(len) : Fill::Failed();
    };
    return FillString(name, (longest + 1) * 2 + 2, 0x40000, enumerate);
}

} // namespace

CString BuildProductKeyPath(const ZRApliChange& apli, HKEY root, const char* section, const char* entry,
                            const char* valueName, CString& pending)
{
    CString path(regname::kSoftware);
    pending = regname::kCompany;
    pending += '\\';
    pending += apli.GetProductKeyName();
    pending += RootSuffix(root);
    if (IsGiven(section)) {
        AppendComponent(path, pending);
        path += '\\';
        path += section;
        pending = regname::kCurrentVersion;
    }
    if (IsGiven(entry)) {
        AppendComponent(path, pending);
        pending = entry;
    }
    if (valueName) {
        AppendComponent(path, pending);
        pending = valueName;
    }
    return path;
}

CString ProductKeyPath(const ZRApliChange& apli, HKEY root, const char* section, const char* entry)
{
    CString pending;
    CString path = BuildProductKeyPath(apli, root, section, entry, nullptr, pending);
    AppendComponent(path, pending);
    return path;
}

UniqueRegKey OpenProductKey(const ZRApliChange& apli, HKEY root, const char* section, const char* entry,
                            const char* valueName, int mode)
{
    if (mode != KEYOPEN_READ && !valueName) return UniqueRegKey();
    CString pending;
    CString path = BuildProductKeyPath(apli, root, section, entry, valueName, pending);
    if (!valueName) AppendComponent(path, pending);

    UniqueRegKey key;
    LONG rc = ERROR_INVALID_PARAMETER;
    switch (mode) {
    case KEYOPEN_READ:
        rc = RegOpenKeyExA(root, path, 0, kReadAccess, key.put());
        break;
    case KEYOPEN_WRITE:
        // No delete of the old value here: the write that follows replaces it and its
        // type at once, and a write that fails leaves it as it was.
        rc = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWriteAccess, nullptr,
                             key.put(), nullptr);
        break;
    case KEYOPEN_DELETE:
        rc = RegOpenKeyExA(root, path, 0, kReadWriteAccess, key.put());
        if (rc == ERROR_SUCCESS) RegDeleteValueA(key.get(), valueName);
        break;
    default:
        break;
    }
    if (rc != ERROR_SUCCESS) {
        key.release();   // a failed call leaves nothing to close, whatever the slot holds
        return UniqueRegKey();
    }
    return key;
}

UniqueRegKey OpenMachineKey(const ZRApliChange& apli, const char* section, const char* entry,
                            const char* valueName, int mode)
{
    return OpenProductKey(apli, HKEY_LOCAL_MACHINE, section, entry, valueName, mode);
}

UniqueRegKey OpenUserKey(const ZRApliChange& apli, const char* section, const char* entry,
                         const char* valueName, int mode)
{
    return OpenProductKey(apli, HKEY_CURRENT_USER, section, entry, valueName, mode);
}

int ReadRegString(HKEY key, CString& out, const char* name, DWORD limit)
{
    if (!key || limit == 0) return 0;
    CString text;
    char* buf = text.GetBuffer(static_cast<int>(limit));
    DWORD type = REG_NONE;
    DWORD size = limit;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    bool isText = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
    // Only the bytes returned count: a value stored without a terminator is not read on
    // into whatever follows it in the buffer.
    int length = rc == ERROR_SUCCESS && isText ? RegTextLength(buf, size, limit) : -1;
    text.ReleaseBuffer(length < 0 ? 0 : length);
    if (length < 0) return 0;
    if (type == REG_EXPAND_SZ) return ExpandInto(text, out);
    out = text;
    return 1;
}

int ReadRegDWord(HKEY key, unsigned long& out, const char* name)
{
    if (!key) return 0;
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return 0;
    out = value;
    return 1;
}

CString GetServerNameFromPath(const CEnvironObj& env, const CString& path)
{
    if (path.IsEmpty()) return CString();
    return env.GetServerNameFromShareName(env.GetShareNameFromUNCPath(env.GetUNCPath(path)));
}

int DeleteRegKeyContents(HKEY parent, const char* name)
{
    UniqueRegKey key;
    if (RegOpenKeyExA(parent, name, 0, kReadWriteAccess, key.put()) != ERROR_SUCCESS) {
        key.release();
        return 0;
    }
    DWORD subkeys = 0, longestSubkey = 0, values = 0, longestValue = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr, &values,
                         &longestValue, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;

    // Downwards, so that deleting an item never moves one not yet visited.
    CString item;
    for (DWORD i = values; i-- > 0;) {
        if (!EnumName(key.get(), NameKind::Value, i, longestValue, item)) return 0;
        if (RegDeleteValueA(key.get(), item) != ERROR_SUCCESS) return 0;
    }
    for (DWORD i = subkeys; i-- > 0;) {
        if (!EnumName(key.get(), NameKind::Subkey, i, longestSubkey, item)) return 0;
        if (!DeleteRegKeyContents(key.get(), item)) return 0;
        if (RegDeleteKeyA(key.get(), item) != ERROR_SUCCESS) return 0;
    }
    return 1;
}

} // namespace genba

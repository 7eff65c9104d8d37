#include "version/profile.h"

#include <genbafw/cp932.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace genba {

CString ReadProfileValue(const CString& file, const char* section, const char* key, int nMaxChars)
{
    std::vector<char> buf(static_cast<size_t>(nMaxChars) + 1, '\0');
    const DWORD n = GetPrivateProfileStringA(section, key, "", buf.data(), static_cast<DWORD>(buf.size()), file);
    int len = static_cast<int>(n < buf.size() ? n : 0);
    if (const void* zero = std::memchr(buf.data(), 0, static_cast<size_t>(len)))
        len = static_cast<int>(static_cast<const char*>(zero) - buf.data());
    // Cut inside a character, the system leaves its lead byte (Windows) or a stale byte.
    if (len > 0 && cp932::CharStart(buf.data(), len, len - 1) == len - 1 &&
        cp932::IsLeadByte(static_cast<unsigned char>(buf[static_cast<size_t>(len) - 1])))
        --len;
    return CString(buf.data(), len);
}

bool ForEachProfileKey(const CString& file, const char* section, unsigned long nBufferSize,
                       const std::function<void(const char* key)>& visit)
{
    std::unique_ptr<char[]> buf(new (std::nothrow) char[nBufferSize]);
    if (!buf || nBufferSize < 2) return false;
    const DWORD n = GetPrivateProfileStringA(section, nullptr, "", buf.get(), nBufferSize, file);
    const char* p = buf.get();
    const char* end = p + (n < nBufferSize ? n : 0);
    while (p < end) {
        const char* zero = static_cast<const char*>(std::memchr(p, 0, static_cast<size_t>(end - p)));
        if (!zero || zero == p) break;   // a cut name, or the list's end
        visit(p);
        p = zero + 1;
    }
    return true;
}

} // namespace genba

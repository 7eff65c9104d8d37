// The settings store: named numbers, texts and byte blocks below the suite's product
// key, per user (HKEY_CURRENT_USER) and per machine (HKEY_LOCAL_MACHINE).
//
//   section ""  entry ""  => product key
//   section ""  entry E   => product key\E
//   section S   entry ""  => product key\S\CurrentVersion
//   section S   entry E   => product key\S\CurrentVersion\E
#include "env/environ_impl.h"

#include "env/config.h"
#include "env/regnames.h"
#include "env/registry.h"

#include <cstring>
#include <memory>
#include <new>

using genba::UniqueRegKey;

namespace {

// A user write or delete in the CurrentWork entry may change the install type, so the
// next environment object reads the setup section and the homes again.
void NoteUserChange(int result, const CString& section, const CString& entry)
{
    if (result && section.IsEmpty() && entry.CompareNoCase(genba::regname::kCurrentWork) == 0) genba::s_bHomesLoaded = 0;
}

int WriteValue(const ZRApliChange& apli, HKEY root, const CString& section, const CString& entry,
               const CString& name, DWORD type, const void* data, DWORD size)
{
    UniqueRegKey key = genba::OpenProductKey(apli, root, section, entry, name, genba::KEYOPEN_WRITE);
    if (!key) return 0;
    // A block that is not there cannot be written; handing it on would make the system
    // read from address zero.
    if (!data && size != 0) return 0;
    LONG rc = RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
    return rc == ERROR_SUCCESS ? 1 : 0;
}

int WriteDWord(const ZRApliChange& apli, HKEY root, const CString& section, const CString& entry,
               const CString& name, unsigned long value)
{
    DWORD v = static_cast<DWORD>(value);
    return WriteValue(apli, root, section, entry, name, REG_DWORD, &v, sizeof v);
}

int WriteStr(const ZRApliChange& apli, HKEY root, const CString& section, const CString& entry,
             const CString& name, const CString& value)
{
    // The text up to its first zero byte, and the terminator.
    const char* text = value;
    DWORD size = static_cast<DWORD>(std::strlen(text)) + 1;
    return WriteValue(apli, root, section, entry, name, REG_SZ, text, size);
}

int ReadDWord(const ZRApliChange& apli, HKEY root, const CString& section, const CString& entry,
              const CString& name, unsigned long& value)
{
    UniqueRegKey key = genba::OpenProductKey(apli, root, section, entry, name, genba::KEYOPEN_READ);
    return key ? genba::ReadRegDWord(key.get(), value, name) : 0;
}

int ReadStr(const ZRApliChange& apli, HKEY root, const CString& section, const CString& entry,
            const CString& name, CString& value)
{
    UniqueRegKey key = genba::OpenProductKey(apli, root, section, entry, name, genba::KEYOPEN_READ);
    return key ? genba::ReadRegString(key.get(), value, name, genba::kRegTextLimit) : 0;
}

int ReadBuff(const ZRApliChange& apli, HKEY root, const CString& section, const CString& entry,
             const CString& name, void* buffer, unsigned long size)
{
    // Without a buffer the system only reports the size; that is not a read.
    if (!buffer && size != 0) return 0;
    UniqueRegKey key = genba::OpenProductKey(apli, root, section, entry, name, genba::KEYOPEN_READ);
    if (!key) return 0;
    // Asked first, then read into a block of its own: a value that is no block, or one
    // larger than the caller's buffer, never touches the caller's bytes (the system
    // writes a text it then refuses, and may fill a buffer it reports as too small).
    DWORD type = REG_NONE;
    DWORD stored = 0;
    LONG rc = RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &stored);
    if (rc != ERROR_SUCCESS || type != REG_BINARY || stored > size) return 0;
    if (stored == 0) return 1;
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[stored]);
    if (!block) return 0;
    DWORD got = stored;
    rc = RegQueryValueExA(key.get(), name, nullptr, &type, block.get(), &got);
    if (rc != ERROR_SUCCESS || type != REG_BINARY || got > size) return 0;
    std::memcpy(buffer, block.get(), got);
    return 1;
}

unsigned long ReadBuffSize(const ZRApliChange& apli, HKEY root, const CString& section, const CString& entry,
                           const CString& name)
{
    UniqueRegKey key = genba::OpenProductKey(apli, root, section, entry, name, genba::KEYOPEN_READ);
    if (!key) return 0;
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size);
    if ((rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) && type == REG_BINARY) return size;
    return 0;
}

int DeleteValue(const ZRApliChange& apli, HKEY root, const CString& section, const CString& entry,
                const CString& name)
{
    // Opening in delete mode removes the value; whether one was there is not asked.
    UniqueRegKey key = genba::OpenProductKey(apli, root, section, entry, name, genba::KEYOPEN_DELETE);
    return key ? 1 : 0;
}

int DeleteKey(const ZRApliChange& apli, HKEY root, const CString& section, const CString& entry)
{
    CString path = genba::ProductKeyPath(apli, root, section, entry);
    if (!genba::DeleteRegKeyContents(root, path)) return 0;
    return RegDeleteKeyA(root, path) == ERROR_SUCCESS ? 1 : 0;
}

} // namespace

int CEnvironObj::SetUserDataDWord(const CString& section, const CString& entry, const CString& name,
                                  unsigned long value) const
{
    int r = WriteDWord(m_pImpl->m_ApliChange, HKEY_CURRENT_USER, section, entry, name, value);
    NoteUserChange(r, section, entry);
    return r;
}

int CEnvironObj::GetUserDataDWord(const CString& section, const CString& entry, const CString& name,
                                  unsigned long& value) const
{
    return ReadDWord(m_pImpl->m_ApliChange, HKEY_CURRENT_USER, section, entry, name, value);
}

int CEnvironObj::SetUserDataStr(const CString& section, const CString& entry, const CString& name,
                                const CString& value) const
{
    int r = WriteStr(m_pImpl->m_ApliChange, HKEY_CURRENT_USER, section, entry, name, value);
    NoteUserChange(r, section, entry);
    return r;
}

int CEnvironObj::GetUserDataStr(const CString& section, const CString& entry, const CString& name,
                                CString& value) const
{
    return ReadStr(m_pImpl->m_ApliChange, HKEY_CURRENT_USER, section, entry, name, value);
}

int CEnvironObj::SetUserDataBuff(const CString& section, const CString& entry, const CString& name,
                                 const void* data, unsigned long size) const
{
    int r = WriteValue(m_pImpl->m_ApliChange, HKEY_CURRENT_USER, section, entry, name, REG_BINARY, data, size);
    NoteUserChange(r, section, entry);
    return r;
}

int CEnvironObj::GetUserDataBuff(const CString& section, const CString& entry, const CString& name,
                                 void* buffer, unsigned long size) const
{
    return ReadBuff(m_pImpl->m_ApliChange, HKEY_CURRENT_USER, section, entry, name, buffer, size);
}

unsigned long CEnvironObj::GetUserDataBuffSize(const CString& section, const CString& entry,
                                               const CString& name) const
{
    return ReadBuffSize(m_pImpl->m_ApliChange, HKEY_CURRENT_USER, section, entry, name);
}

int CEnvironObj::DelUserData(const CString& section, const CString& entry, const CString& name) const
{
    int r = DeleteValue(m_pImpl->m_ApliChange, HKEY_CURRENT_USER, section, entry, name);
    NoteUserChange(r, section, entry);
    return r;
}

int CEnvironObj::DelUserSection(const CString& section, const CString& entry) const
{
    // Deleting the whole CurrentWork key leaves the homes as they are.
    return DeleteKey(m_pImpl->m_ApliChange, HKEY_CURRENT_USER, section, entry);
}

int CEnvironObj::SetMachineDataDWord(const CString& section, const CString& entry, const CString& name,
                                     unsigned long value) const
{
    return WriteDWord(m_pImpl->m_ApliChange, HKEY_LOCAL_MACHINE, section, entry, name, value);
}

int CEnvironObj::GetMachineDataDWord(const CString& section, const CString& entry, const CString& name,
                                     unsigned long& value) const
{
    return ReadDWord(m_pImpl->m_ApliChange, HKEY_LOCAL_MACHINE, section, entry, name, value);
}

int CEnvironObj::SetMachineDataStr(const CString& section, const CString& entry, const CString& name,
                                   const CString& value) const
{
    return WriteStr(m_pImpl->m_ApliChange, HKEY_LOCAL_MACHINE, section, entry, name, value);
}

int CEnvironObj::GetMachineDataStr(const CString& section, const CString& entry, const CString& name,
                                   CString& value) const
{
    return ReadStr(m_pImpl->m_ApliChange, HKEY_LOCAL_MACHINE, section, entry, name, value);
}

int CEnvironObj::SetMachineDataBuff(const CString& section, const CString& entry, const CString& name,
                                    const void* data, unsigned long size) const
{
    return WriteValue(m_pImpl->m_ApliChange, HKEY_LOCAL_MACHINE, section, entry, name, REG_BINARY, data, size);
}

int CEnvironObj::GetMachineDataBuff(const CString& section, const CString& entry, const CString& name,
                                    void* buffer, unsigned long size) const
{
    return ReadBuff(m_pImpl->m_ApliChange, HKEY_LOCAL_MACHINE, section, entry, name, buffer, size);
}

unsigned long CEnvironObj::GetMachineDataBuffSize(const CString& section, const CString& entry,
                                                  const CString& name) const
{
    return ReadBuffSize(m_pImpl->m_ApliChange, HKEY_LOCAL_MACHINE, section, entry, name);
}

int CEnvironObj::DelMachineData(const CString& section, const CString& entry, const CString& name) const
{
    return DeleteValue(m_pImpl->m_ApliChange, HKEY_LOCAL_MACHINE, section, entry, name);
}

int CEnvironObj::DelMachineSection(const CString& section, const CString& entry) const
{
    return DeleteKey(m_pImpl->m_ApliChange, HKEY_LOCAL_MACHINE, section, entry);
}

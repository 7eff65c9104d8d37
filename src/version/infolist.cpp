#include "version/infolist.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <new>
#include <utility>

namespace {

std::unique_ptr<char[]> CopyText(const char* text)
{
    const size_t len = std::strlen(text);
    std::unique_ptr<char[]> copy(new (std::nothrow) char[len + 1]);
    if (copy) std::memcpy(copy.get(), text, len + 1);
    return copy;
}

} // namespace

void CInfoEntryList::Clear()
{
    m_pEntries.reset();
    m_nCount = 0;
    m_nAlloc = 0;
}

const char* CInfoEntryList::GetKey(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_pEntries[nIndex].key.get() : nullptr;
}

const char* CInfoEntryList::GetValue(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_pEntries[nIndex].value.get() : nullptr;
}

int CInfoEntryList::LowerBound(const char* lpszKey) const
{
    int lo = 0, hi = m_nCount;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (lstrcmpA(m_pEntries[mid].key.get(), lpszKey) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

bool CInfoEntryList::Grow()
{
    if (m_nAlloc > INT_MAX - GROW) return false;
    std::unique_ptr<Entry[]> entries(new (std::nothrow) Entry[m_nAlloc + GROW]);
    if (!entries) return false;
    for (int i = 0; i < m_nCount; ++i) entries[i] = std::move(m_pEntries[i]);
    m_pEntries = std::move(entries);
    m_nAlloc += GROW;
    return true;
}

int CInfoEntryList::Set(const char* lpszKey, const char* lpszValue)
{
    if (!lpszKey || !*lpszKey) return -1;
    const int pos = LowerBound(lpszKey);
    if (pos < m_nCount && lstrcmpA(m_pEntries[pos].key.get(), lpszKey) == 0) return pos;   // the first value stays
    Entry entry{CopyText(lpszKey), CopyText(lpszValue ? lpszValue : "")};
    if (!entry.key || !entry.value) return -1;
    if (m_nCount == m_nAlloc && !Grow()) return -1;
    for (int i = m_nCount; i > pos; --i) m_pEntries[i] = std::move(m_pEntries[i - 1]);
    m_pEntries[pos] = std::move(entry);
    ++m_nCount;
    return pos;
}

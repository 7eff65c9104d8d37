// CInfoEntryList: the information entries of the version box while it is built, a
// list of key and value texts ordered by key (lstrcmpA, ascending), one entry a key.
#pragma once

#include <memory>

class CInfoEntryList {
public:
    enum { GROW = 256 };   // entries the array grows by

    CInfoEntryList() = default;
    ~CInfoEntryList() { Clear(); }
    CInfoEntryList(const CInfoEntryList&) = delete;
    CInfoEntryList& operator=(const CInfoEntryList&) = delete;

    void Clear();
    int GetCount() const { return m_pEntries ? m_nCount : 0; }
    // Null for an index outside the list.
    const char* GetKey(int nIndex) const;
    const char* GetValue(int nIndex) const;

    // The index of the key's entry: a new key is inserted in order with a copy of the
    // value (null: empty); a key already there keeps its first value. -1 for a null or
    // empty key, and when memory runs out (nothing changes then).
    int Set(const char* lpszKey, const char* lpszValue);

private:
    struct Entry {
        std::unique_ptr<char[]> key;
        std::unique_ptr<char[]> value;
    };
    // The first entry whose key does not compare below lpszKey: a binary search, since
    // the keys are in order.
    int LowerBound(const char* lpszKey) const;
    bool Grow();

    std::unique_ptr<Entry[]> m_pEntries;
    int m_nCount = 0;
    int m_nAlloc = 0;
};

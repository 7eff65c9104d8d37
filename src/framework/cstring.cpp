#include <genbafw/cstring.h>
#include <genbafw/cp932.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

// The bytes follow a small header in one allocation; an empty string points at a
// shared, never-freed empty buffer so that construction never allocates.
struct CString::Data {
    int nDataLength;
    int nAllocLength;
    char* chars() { return reinterpret_cast<char*>(this + 1); }
};

namespace {
struct EmptyData {
    int nDataLength = 0;
    int nAllocLength = 0;
    char chars[1] = {0};
} g_empty;

char* EmptyChars() { return g_empty.chars; }

// No exception may leave a framework DLL (unwinders are per module), and a string
// that cannot hold its bytes cannot go on truthfully: running out of memory is fatal.
[[noreturn]] void OutOfMemory()
{
    std::fputs("genbafw: out of memory for a string\n", stderr);
    std::abort();
}

void* AllocOrDie(size_t n)
{
    void* mem = std::malloc(n);
    if (!mem) OutOfMemory();
    return mem;
}

int SafeLen(const char* psz) { return psz ? static_cast<int>(std::strlen(psz)) : 0; }

using genba::cp932::IsLeadByte;
using genba::cp932::NextPos;

// One character of a terminated CP932 string as a number: a double-byte character as
// lead * 256 + trail, any other byte (a lone lead byte before the end included) as
// itself. Ordering by these numbers is the framework's multibyte string order.
unsigned ReadChar(const unsigned char*& p)
{
    unsigned c = *p++;
    if (IsLeadByte(static_cast<unsigned char>(c)) && *p != 0) c = (c << 8) | *p++;
    return c;
}

// Full-width Latin letters of code page 932 fold like the single-byte ones.
const unsigned kWideUpperA = 0x8260, kWideUpperZ = 0x8279, kWideLowerA = 0x8281, kWideLowerZ = 0x829A;
const unsigned kWideCaseDiff = kWideLowerA - kWideUpperA;

unsigned FoldLowerChar(unsigned c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A' + 'a';
    if (c >= kWideUpperA && c <= kWideUpperZ) return c + kWideCaseDiff;
    return c;
}

unsigned FoldUpperChar(unsigned c)
{
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if (c >= kWideLowerA && c <= kWideLowerZ) return c - kWideCaseDiff;
    return c;
}

// Replaces every character of s (len bytes) by fold(character), in place; a fold
// never changes a character's width.
template <typename Fold>
void FoldEachChar(char* s, int len, Fold fold)
{
    for (int p = 0; p < len; p = NextPos(s, len, p)) {
        const unsigned char* at = reinterpret_cast<const unsigned char*>(s + p);
        bool wide = NextPos(s, len, p) - p == 2;
        unsigned c = wide ? (static_cast<unsigned>(at[0]) << 8 | at[1]) : at[0];
        unsigned f = fold(c);
        if (f == c) continue;
        if (wide) {
            s[p] = static_cast<char>(f >> 8);
            s[p + 1] = static_cast<char>(f & 0xFF);
        } else {
            s[p] = static_cast<char>(f);
        }
    }
}

} // namespace

CString::Data* CString::GetData() const
{
    return reinterpret_cast<Data*>(m_pchData) - 1;
}

void CString::AllocBuffer(int nLen)
{
    if (nLen <= 0) {
        m_pchData = EmptyChars();
        return;
    }
    void* mem = AllocOrDie(sizeof(Data) + static_cast<size_t>(nLen) + 1);
    Data* d = static_cast<Data*>(mem);
    d->nDataLength = nLen;
    d->nAllocLength = nLen;
    d->chars()[nLen] = '\0';
    m_pchData = d->chars();
}

void CString::Release()
{
    if (m_pchData != EmptyChars()) std::free(GetData());
    m_pchData = EmptyChars();
}

void CString::AssignCopy(const char* pch, int nLen)
{
    if (nLen <= 0) {
        Release();
        return;
    }
    if (m_pchData == EmptyChars() || GetData()->nAllocLength < nLen) {
        CString fresh(pch, nLen);
        std::swap(m_pchData, fresh.m_pchData);
        return;
    }
    std::memmove(m_pchData, pch, static_cast<size_t>(nLen));
    GetData()->nDataLength = nLen;
    m_pchData[nLen] = '\0';
}

void CString::Grow(int nNewLen)
{
    if (m_pchData != EmptyChars() && GetData()->nAllocLength >= nNewLen) return;
    int nOld = GetLength();
    int nAlloc = nNewLen < 64 ? 64 : (nNewLen > INT_MAX / 3 * 2 ? nNewLen : nNewLen + nNewLen / 2);
    void* mem = AllocOrDie(sizeof(Data) + static_cast<size_t>(nAlloc) + 1);
    Data* d = static_cast<Data*>(mem);
    d->nDataLength = nOld;
    d->nAllocLength = nAlloc;
    std::memcpy(d->chars(), m_pchData, static_cast<size_t>(nOld) + 1);
    Release();
    m_pchData = d->chars();
}

CString::CString() : m_pchData(EmptyChars()) {}

CString::CString(const CString& other) : m_pchData(EmptyChars())
{
    AssignCopy(other.m_pchData, other.GetLength());
}

CString::CString(CString&& other) noexcept : m_pchData(other.m_pchData)
{
    other.m_pchData = EmptyChars();
}

CString::CString(const char* psz) : CString(psz, SafeLen(psz)) {}

CString::CString(const char* pch, int nLength) : m_pchData(EmptyChars())
{
    if (!pch || nLength <= 0) return;
    AllocBuffer(nLength);
    std::memcpy(m_pchData, pch, static_cast<size_t>(nLength));
}

CString::CString(char ch, int nRepeat) : m_pchData(EmptyChars())
{
    if (nRepeat <= 0) return;
    AllocBuffer(nRepeat);
    std::memset(m_pchData, ch, static_cast<size_t>(nRepeat));
}

CString::~CString() { Release(); }

CString& CString::operator=(const CString& other)
{
    if (this != &other) AssignCopy(other.m_pchData, other.GetLength());
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        Release();
        m_pchData = other.m_pchData;
        other.m_pchData = EmptyChars();
    }
    return *this;
}

CString& CString::operator=(const char* psz)
{
    // psz may point into this string: AssignCopy moves, never frees first.
    AssignCopy(psz, SafeLen(psz));
    return *this;
}

CString& CString::operator=(char ch)
{
    AssignCopy(&ch, 1);
    return *this;
}

int CString::GetLength() const { return GetData()->nDataLength; }
bool CString::IsEmpty() const { return GetLength() == 0; }
void CString::Empty() { Release(); }

char CString::GetAt(int nIndex) const
{
    return (nIndex >= 0 && nIndex < GetLength()) ? m_pchData[nIndex] : '\0';
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex >= 0 && nIndex < GetLength()) m_pchData[nIndex] = ch;
}

void CString::Append(const char* pch, int nLength)
{
    if (!pch || nLength <= 0) return;
    int nOld = GetLength();
    if (m_pchData != EmptyChars() && pch >= m_pchData && pch <= m_pchData + nOld) {
        CString copy(pch, nLength);   // appending part of itself: copy before growing
        Append(copy.m_pchData, nLength);
        return;
    }
    if (nLength > INT_MAX - 1 - nOld) OutOfMemory();   // a length an int cannot hold
    Grow(nOld + nLength);
    std::memcpy(m_pchData + nOld, pch, static_cast<size_t>(nLength));
    GetData()->nDataLength = nOld + nLength;
    m_pchData[nOld + nLength] = '\0';
}

CString& CString::operator+=(const CString& s)
{
    Append(s.m_pchData, s.GetLength());
    return *this;
}

CString& CString::operator+=(const char* psz)
{
    Append(psz, SafeLen(psz));
    return *this;
}

CString& CString::operator+=(char ch)
{
    Append(&ch, 1);
    return *this;
}

int CString::Compare(const char* psz) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_pchData);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(psz ? psz : "");
    for (;;) {
        unsigned ca = ReadChar(a), cb = ReadChar(b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

int CString::CompareNoCase(const char* psz) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_pchData);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(psz ? psz : "");
    // Whole characters are folded, so a trail byte that looks like a letter stays.
    for (;;) {
        unsigned ca = FoldLowerChar(ReadChar(a)), cb = FoldLowerChar(ReadChar(b));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

CString CString::Left(int nCount) const
{
    if (nCount < 0) nCount = 0;
    if (nCount >= GetLength()) return *this;
    return CString(m_pchData, nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - (nFirst < 0 ? 0 : nFirst)); }

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0) nFirst = 0;
    if (nCount < 0) nCount = 0;
    int nLen = GetLength();
    if (nFirst >= nLen) return CString();
    if (nCount > nLen - nFirst) nCount = nLen - nFirst;
    if (nFirst == 0 && nCount == nLen) return *this;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0) nCount = 0;
    int nLen = GetLength();
    if (nCount >= nLen) return *this;
    return CString(m_pchData + nLen - nCount, nCount);
}

int CString::Find(char ch) const { return Find(ch, 0); }

int CString::Find(char ch, int nStart) const
{
    if (ch == '\0') return -1;
    return genba::cp932::FindByte(m_pchData, GetLength(), ch, nStart);
}

int CString::Find(const char* pszSub) const { return Find(pszSub, 0); }

int CString::Find(const char* pszSub, int nStart) const
{
    int nSub = SafeLen(pszSub);
    int nLen = GetLength();
    if (nSub == 0 || nStart > nLen) return -1;
    if (nStart < 0) nStart = 0;
    int p = 0;
    while (p < nStart) p = NextPos(m_pchData, nLen, p);
    // A match begins and ends on character boundaries: it never starts on a trail byte
    // nor takes only the lead byte of a double-byte character.
    for (; p + nSub <= nLen; p = NextPos(m_pchData, nLen, p)) {
        if (std::memcmp(m_pchData + p, pszSub, static_cast<size_t>(nSub)) != 0) continue;
        int end = p;
        while (end < p + nSub) end = NextPos(m_pchData, nLen, end);
        if (end == p + nSub) return p;
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    if (ch == '\0') return -1;
    return genba::cp932::ReverseFindByte(m_pchData, GetLength(), ch);
}

int CString::FindOneOf(const char* pszCharSet) const
{
    int nSet = SafeLen(pszCharSet);
    int nLen = GetLength();
    // Whole characters are compared: a double-byte character matches only the same
    // double-byte member of the set, never a member equal to one of its bytes.
    for (int p = 0; p < nLen; p = NextPos(m_pchData, nLen, p)) {
        int width = NextPos(m_pchData, nLen, p) - p;
        for (int q = 0; q < nSet; q = NextPos(pszCharSet, nSet, q))
            if (NextPos(pszCharSet, nSet, q) - q == width &&
                std::memcmp(pszCharSet + q, m_pchData + p, static_cast<size_t>(width)) == 0)
                return p;
    }
    return -1;
}

void CString::MakeUpper() { FoldEachChar(m_pchData, GetLength(), FoldUpperChar); }
void CString::MakeLower() { FoldEachChar(m_pchData, GetLength(), FoldLowerChar); }

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
} // namespace

void CString::TrimRight()
{
    int nLen = GetLength();
    int keep = 0;
    for (int p = 0; p < nLen; p = NextPos(m_pchData, nLen, p))
        if (!IsBlank(m_pchData[p])) keep = NextPos(m_pchData, nLen, p);
    if (keep < nLen) *this = Left(keep);
}

void CString::TrimLeft()
{
    int nLen = GetLength();
    int p = 0;
    while (p < nLen && IsBlank(m_pchData[p])) ++p;
    if (p > 0) *this = Mid(p);
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args)
{
    if (!pszFormat) {
        Empty();
        return;
    }
    va_list probe;
    va_copy(probe, args);
    int n = std::vsnprintf(nullptr, 0, pszFormat, probe);
    va_end(probe);
    if (n <= 0) {
        Empty();
        return;
    }
    CString out;
    out.AllocBuffer(n);
    std::vsnprintf(out.m_pchData, static_cast<size_t>(n) + 1, pszFormat, args);
    *this = std::move(out);
}

char* CString::GetBuffer(int nMinBufLength)
{
    int nLen = GetLength();
    if (nMinBufLength < nLen) nMinBufLength = nLen;
    if (nMinBufLength == 0) nMinBufLength = 1;   // a writable buffer, never the shared empty one
    if (m_pchData == EmptyChars() || GetData()->nAllocLength < nMinBufLength) {
        void* mem = AllocOrDie(sizeof(Data) + static_cast<size_t>(nMinBufLength) + 1);
        Data* d = static_cast<Data*>(mem);
        d->nDataLength = nLen;
        d->nAllocLength = nMinBufLength;
        std::memcpy(d->chars(), m_pchData, static_cast<size_t>(nLen) + 1);
        Release();
        m_pchData = d->chars();
    }
    return m_pchData;
}

char* CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0) nNewLength = 0;
    GetBuffer(nNewLength);
    GetData()->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_pchData == EmptyChars()) return;
    Data* d = GetData();
    if (nNewLength < 0) {
        // Bounded by the buffer: a caller that filled every byte gets no overrun.
        nNewLength = 0;
        while (nNewLength < d->nAllocLength && m_pchData[nNewLength] != '\0') ++nNewLength;
    }
    if (nNewLength > d->nAllocLength) nNewLength = d->nAllocLength;
    d->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
    if (nNewLength == 0) Release();
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const char* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}

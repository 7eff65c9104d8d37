// CString: the framework's byte string. Every path, name and message of the suite is a
// CP932 byte string; lengths and positions are byte counts, and every search steps over
// the second byte of a double-byte character. One pointer wide, so it crosses the DLL
// boundary by value; all of its memory is owned by the framework library. It never
// throws: running out of memory for a string ends the process.
#pragma once

#include <genbafw/fwdefs.h>
#include <cstdarg>

class GENBAFW_API CString {
public:
    CString();
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString(const char* psz);                 // null gives an empty string
    CString(const char* pch, int nLength);    // exactly nLength bytes (zero bytes included)
    CString(char ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* psz);
    CString& operator=(char ch);

    int GetLength() const;
    bool IsEmpty() const;
    void Empty();
    operator const char*() const { return m_pchData; }
    char GetAt(int nIndex) const;             // 0 outside the string
    void SetAt(int nIndex, char ch);          // ignored outside the string

    CString& operator+=(const CString& s);
    CString& operator+=(const char* psz);
    CString& operator+=(char ch);
    void Append(const char* pch, int nLength);

    // <0, 0, >0, character by character in code page 932 (the multibyte order of the
    // runtime's _mbscmp): a double-byte character counts as lead * 256 + trail, so it
    // sorts after every single-byte one. Equal exactly when the bytes are equal.
    int Compare(const char* psz) const;
    // As Compare, without regard to case (_mbsicmp): A-Z and the full-width capitals
    // (82 60-82 79) fold to a-z and the full-width small letters (82 81-82 9A) before
    // comparing; a trail byte is never folded on its own.
    int CompareNoCase(const char* psz) const;

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;

    // Searches step by CP932 character; results are byte positions, -1 when not found.
    int Find(char ch) const;
    int Find(char ch, int nStart) const;
    int Find(const char* pszSub) const;
    int Find(const char* pszSub, int nStart) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* pszCharSet) const;

    void MakeUpper();   // a-z and the full-width small letters; trail bytes never change
    void MakeLower();   // A-Z and the full-width capitals
    void TrimRight();   // trailing spaces, tabs and line ends
    void TrimLeft();

    void Format(const char* pszFormat, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void FormatV(const char* pszFormat, va_list args);

    // Direct access for system calls: room for at least nMinBufLength bytes plus a
    // terminator. ReleaseBuffer(-1) takes the length up to the first zero byte.
    char* GetBuffer(int nMinBufLength = 0);
    char* GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    struct Data;
    Data* GetData() const;
    void AllocBuffer(int nLen);
    void Release();
    void AssignCopy(const char* pch, int nLen);
    void Grow(int nNewLen);

    char* m_pchData;
};

GENBAFW_API CString operator+(const CString& a, const CString& b);
GENBAFW_API CString operator+(const CString& a, const char* b);
GENBAFW_API CString operator+(const char* a, const CString& b);
GENBAFW_API CString operator+(const CString& a, char b);

inline bool operator==(const CString& a, const CString& b) { return a.GetLength() == b.GetLength() && a.Compare(b) == 0; }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }

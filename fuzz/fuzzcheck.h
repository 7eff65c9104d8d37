// Shared by the fuzz targets: property checks that abort (so libFuzzer keeps the input),
// the split of an input into fields, and a CP932 character model written apart from the
// library's own stepping, so that a fault in the stepping shows as a disagreement.
#pragma once

#include <genbafw/cstring.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fuzzcheck {

[[noreturn]] inline void Fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "property failed: %s\n  at %s:%d\n", what, file, line);
    std::abort();
}

#define FUZZ_CHECK(cond) \
    do { \
        if (!(cond)) ::fuzzcheck::Fail(#cond, __FILE__, __LINE__); \
    } while (0)

// Lead bytes of code page 932.
inline bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Character boundaries of a byte string: a lead byte and the byte after it form one
// character unless that byte is the end or a zero byte.
class Chars {
public:
    explicit Chars(const CString& s) : Chars(static_cast<const char*>(s), s.GetLength()) {}
    Chars(const char* s, int len) : m_s(s), m_len(len), m_start(static_cast<size_t>(len) + 1, false)
    {
        for (int p = 0; p < len;) {
            m_start[p] = true;
            m_starts.push_back(p);
            bool pair = IsLead(static_cast<unsigned char>(s[p])) && p + 1 < len && s[p + 1] != '\0';
            p += pair ? 2 : 1;
        }
        m_start[len] = true;
    }

    // True at the start of a character and at the end of the string.
    bool Boundary(int pos) const { return pos >= 0 && pos <= m_len && m_start[pos]; }
    const std::vector<int>& Starts() const { return m_starts; }
    int Width(int pos) const
    {
        return IsLead(static_cast<unsigned char>(m_s[pos])) && pos + 1 < m_len && m_s[pos + 1] != '\0' ? 2 : 1;
    }
    // A single-byte character equal to c starts at pos.
    bool SingleAt(int pos, char c) const { return Boundary(pos) && pos < m_len && Width(pos) == 1 && m_s[pos] == c; }
    // Position of the first / last single-byte character c, or -1.
    int First(char c, int from = 0) const
    {
        for (int p : m_starts)
            if (p >= from && Width(p) == 1 && m_s[p] == c) return p;
        return -1;
    }
    int Last(char c) const
    {
        int found = -1;
        for (int p : m_starts)
            if (Width(p) == 1 && m_s[p] == c) found = p;
        return found;
    }
    int Count(char c) const
    {
        int n = 0;
        for (int p : m_starts)
            if (Width(p) == 1 && m_s[p] == c) ++n;
        return n;
    }

private:
    const char* m_s;
    int m_len;
    std::vector<bool> m_start;
    std::vector<int> m_starts;
};

inline bool SameBytes(const CString& a, const CString& b)
{
    return a.GetLength() == b.GetLength() &&
           std::memcmp(static_cast<const char*>(a), static_cast<const char*>(b), static_cast<size_t>(a.GetLength())) == 0;
}

inline bool StartsWith(const CString& s, const CString& prefix)
{
    return prefix.GetLength() <= s.GetLength() &&
           std::memcmp(static_cast<const char*>(s), static_cast<const char*>(prefix), static_cast<size_t>(prefix.GetLength())) == 0;
}

inline bool EndsWith(const CString& s, const CString& suffix)
{
    int off = s.GetLength() - suffix.GetLength();
    return off >= 0 && std::memcmp(static_cast<const char*>(s) + off, static_cast<const char*>(suffix),
                                   static_cast<size_t>(suffix.GetLength())) == 0;
}

// A result taken from the front of s: a prefix that ends on a character boundary of s,
// so it never ends in a lead byte that s had paired.
inline bool IsPrefixPart(const CString& s, const CString& part)
{
    return StartsWith(s, part) && Chars(s).Boundary(part.GetLength());
}

// A result taken from the back of s: a suffix that starts on a character boundary of s.
inline bool IsSuffixPart(const CString& s, const CString& part)
{
    return EndsWith(s, part) && Chars(s).Boundary(s.GetLength() - part.GetLength());
}

// The input as one string (zero bytes included) and as up to maxFields fields split at
// zero bytes; missing fields are empty.
struct Input {
    Input(const uint8_t* data, size_t size, int maxFields)
        : whole(reinterpret_cast<const char*>(data), static_cast<int>(size))
    {
        const char* p = reinterpret_cast<const char*>(data);
        const char* end = p + size;
        for (int i = 0; i < maxFields; ++i) {
            const char* z = static_cast<const char*>(std::memchr(p, 0, static_cast<size_t>(end - p)));
            const char* stop = z ? z : end;
            fields.emplace_back(p, static_cast<int>(stop - p));
            p = z ? z + 1 : end;
        }
    }
    CString whole;
    std::vector<CString> fields;
};

// Keeps the fuzzers to inputs of a few kilobytes (longer than any path the system takes).
const size_t kMaxInput = 1 << 14;

} // namespace fuzzcheck

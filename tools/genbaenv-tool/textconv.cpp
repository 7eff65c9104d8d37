#include "textconv.h"

#include <genbafw/cp932.h>
#include <windows.h>

namespace genbatool {

namespace {

const UINT kCodePage932 = 932;

bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Lone lead bytes replaced by '?', so that the system conversion cannot take the next
// byte as their second half.
std::string WithoutLoneLeadBytes(const std::string& s)
{
    std::string r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (!genba::cp932::IsLeadByte(b)) {
            r += s[i];
        } else if (i + 1 < s.size() && IsTrailByte(static_cast<unsigned char>(s[i + 1]))) {
            r += s[i];
            r += s[i + 1];
            ++i;
        } else {
            r += '?';
        }
    }
    return r;
}

// The JIS-side code points of characters whose CP932 mapping uses another code point.
wchar_t ToCp932Side(wchar_t c)
{
    switch (c) {
    case 0x301C: return 0xFF5E;   // WAVE DASH -> FULLWIDTH TILDE
    case 0x2016: return 0x2225;   // DOUBLE VERTICAL LINE -> PARALLEL TO
    case 0x2212: return 0xFF0D;   // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    case 0x2014: return 0x2015;   // EM DASH -> HORIZONTAL BAR
    case 0x00A2: return 0xFFE0;   // CENT SIGN -> FULLWIDTH CENT SIGN
    case 0x00A3: return 0xFFE1;   // POUND SIGN -> FULLWIDTH POUND SIGN
    case 0x00AC: return 0xFFE2;   // NOT SIGN -> FULLWIDTH NOT SIGN
    default: return c;
    }
}

} // namespace

std::wstring Cp932ToWide(const std::string& cp932)
{
    if (cp932.empty()) return std::wstring();
    std::string clean = WithoutLoneLeadBytes(cp932);
    int n = MultiByteToWideChar(kCodePage932, 0, clean.data(), static_cast<int>(clean.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kCodePage932, 0, clean.data(), static_cast<int>(clean.size()), &w[0], n);
    return w;
}

std::string WideToUtf8(const std::wstring& wide)
{
    if (wide.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &s[0], n, nullptr, nullptr);
    return s;
}

std::string Cp932ToUtf8(const std::string& cp932) { return WideToUtf8(Cp932ToWide(cp932)); }

bool WideToCp932(const std::wstring& wide, CString& out)
{
    if (wide.empty()) {
        out.Empty();
        return true;
    }
    std::wstring w(wide);
    for (wchar_t& c : w) c = ToCp932Side(c);
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()),
                                nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), &s[0], n,
                        nullptr, &usedDefault);
    if (usedDefault) return false;
    out = CString(s.data(), n);
    return true;
}

} // namespace genbatool

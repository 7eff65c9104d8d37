// Share and server names taken out of any bytes: the input whole, and each field of it
// split at zero bytes.
#include "fuzzcheck.h"

#include "pathname/pathops.h"

using namespace genba::path;
using fuzzcheck::Chars;
using fuzzcheck::IsPrefixPart;
using fuzzcheck::SameBytes;
using fuzzcheck::StartsWith;

namespace {

void CheckShareName(const CString& p)
{
    CString share = GetShareNameFromUNCPath(p);
    if (!IsUncPath(p)) {
        FUZZ_CHECK(share.IsEmpty());
        return;
    }
    // The share name is the volume part of a UNC path.
    FUZZ_CHECK(SameBytes(share, GetVolumePath(p)));
    FUZZ_CHECK(IsPrefixPart(p, share));
    if (share.IsEmpty()) {
        int endServer = Chars(p).First('\\', 2);
        FUZZ_CHECK(endServer < 0 || endServer == 2);
    } else {
        FUZZ_CHECK(IsUncPath(share));
        Chars c(share);
        int endServer = c.First('\\', 2);
        FUZZ_CHECK(endServer > 2 && c.First('\\', endServer + 1) < 0);
    }
}

void CheckServerName(const CString& s)
{
    CString server = GetServerNameFromShareName(s);
    if (!IsUncPath(s)) {
        FUZZ_CHECK(server.IsEmpty());
        return;
    }
    Chars c(s);
    int sep = c.First('\\', 2);
    if (server.IsEmpty()) {
        // No backslash after the server, an empty server, or nothing after the backslash.
        FUZZ_CHECK(sep < 0 || sep == 2 || sep + 1 == s.GetLength());
        return;
    }
    FUZZ_CHECK(StartsWith(s, "\\\\" + server + "\\"));
    FUZZ_CHECK(s.GetLength() > server.GetLength() + 3);
    FUZZ_CHECK(sep == server.GetLength() + 2);
    FUZZ_CHECK(Chars(server).First('\\') < 0);
}

void CheckChain(const CString& p)
{
    CString share = GetShareNameFromUNCPath(p);
    CString fromShare = GetServerNameFromShareName(share);
    if (!fromShare.IsEmpty()) FUZZ_CHECK(SameBytes(fromShare, GetServerNameFromShareName(p)));
    if (share.IsEmpty()) FUZZ_CHECK(fromShare.IsEmpty());
}

void Check(const CString& p)
{
    CheckShareName(p);
    CheckServerName(p);
    CheckChain(p);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > fuzzcheck::kMaxInput) return 0;
    fuzzcheck::Input in(data, size, 3);
    Check(in.whole);
    for (const CString& f : in.fields) Check(f);
    return 0;
}

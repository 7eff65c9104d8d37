// Prints the version line the library builds for this program, which carries one of
// the version resources of versions.rc (or none).
#include <genbaenv/environ.h>
#include <genbaenv/version.h>

#include <cstdio>

int main()
{
    const CString line = GetProgramVersion(CEnvironObj());
    std::fwrite(static_cast<const char*>(line), 1, static_cast<size_t>(line.GetLength()), stdout);
    return 0;
}

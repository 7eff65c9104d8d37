// listing: a numbered AddFileList of a folder of 4,095 numbered files and 4,000 others,
// against one bare FindFirstFileA/FindNextFileA pass over the same folder.
#include <genbaenv/environ.h>
#include <genbaenv/selfile.h>

#include <windows.h>

#include "benchclock.h"

#include <cstdio>

namespace {

const int kNumbered = 4095;
const int kOthers = 4000;
const int kRepetitions = 25;
const double kTarget = 1.3;

bool Touch(const char* path)
{
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

// The folder is made once and kept for later runs (a marker file says it is complete).
// Other files: half with an extension that carries no number, half with a longer one.
bool PrepareFolder(const CString& dir)
{
    CString marker = dir + "\\complete.marker";
    if (GetFileAttributesA(marker) != INVALID_FILE_ATTRIBUTES) return true;
    CreateDirectoryA(dir, nullptr);
    char path[MAX_PATH];
    for (int i = 1; i <= kNumbered; ++i) {
        std::snprintf(path, sizeof path, "%s\\site%04d.%03X", static_cast<const char*>(dir), i, i);
        if (!Touch(path)) return false;
    }
    for (int i = 0; i < kOthers; ++i) {
        std::snprintf(path, sizeof path, "%s\\other%04d.%s", static_cast<const char*>(dir), i, i % 2 ? "txt" : "html");
        if (!Touch(path)) return false;
    }
    return Touch(marker);
}

int BarePass(const CString& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(dir + "\\*", &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do ++n; while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

} // namespace

int main()
{
    char tmp[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, tmp);
    CString dir = CString(tmp) + "genba-bench-listing";
    if (!PrepareFolder(dir)) {
        std::printf("listing ratio 0 target %.1f (cannot make the folder)\n", kTarget);
        return 1;
    }
    CEnvironObj env;
    double bestBare = 1e9, bestOurs = 1e9;
    int seen = 0, listed = 0;
    // The order alternates, so that neither side always runs on the other's caches.
    for (int rep = 0; rep < kRepetitions; ++rep) {
        for (int side = 0; side < 2; ++side) {
            const bool ours = (side == 0) == (rep % 2 == 0);
            double t0 = BenchNow();
            if (ours) {
                CSelFileList list;
                listed = list.AddFileList(env, dir, "", nullptr, 0, nullptr, nullptr);
            } else {
                seen = BarePass(dir);
            }
            double t = BenchNow() - t0;
            double& best = ours ? bestOurs : bestBare;
            if (t < best) best = t;
        }
    }
    if (listed != kNumbered || seen < kNumbered + kOthers) {
        std::printf("listing ratio 0 target %.1f (listed %d of %d, saw %d)\n", kTarget, listed, kNumbered, seen);
        return 1;
    }
    std::printf("listing ratio %.2f target %.1f\n", bestOurs / bestBare, kTarget);
    return 0;
}

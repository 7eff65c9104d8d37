// freenumber: the save dialog's search for the lowest free number, in one listing, on a
// folder whose numbers 1 to 4000 are taken (4,000 numbered and 4,000 other entries),
// against one bare enumeration of that folder.
#include "pathname/freenumber.h"

#include <windows.h>

#include "benchclock.h"
#include "benchfolder.h"

#include <cstdio>
#include <string>

namespace {

const int kNumbered = 4000, kOthers = 4000;
const int kRepetitions = 15;
const double kTarget = 1.5;

int BareEnumeration(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &fd);
    int n = 0;
    if (find == INVALID_HANDLE_VALUE) return 0;
    do ++n;
    while (FindNextFileA(find, &fd));
    FindClose(find);
    return n;
}

} // namespace

int main()
{
    const std::string dir = MakeBenchFolder("genba-bench-freenumber", kNumbered, kOthers);
    double bestOurs = 1e9, bestBare = 1e9;
    unsigned long found = 0;
    for (int rep = 0; rep < kRepetitions; ++rep) {
        for (int side = 0; side < 2; ++side) {
            const bool ours = (side == 0) == (rep % 2 == 0);
            const double t0 = BenchNow();
            if (ours)
                found = genba::FindFirstFreeNumber(dir.c_str(), 0);
            else
                BareEnumeration(dir);
            const double t = BenchNow() - t0;
            double& best = ours ? bestOurs : bestBare;
            if (t < best) best = t;
        }
    }
    if (found != kNumbered + 1) {
        std::printf("freenumber ratio 0 target %.1f (found %lu)\n", kTarget, found);
        return 1;
    }
    std::printf("freenumber ratio %.2f target %.1f\n", bestOurs / bestBare, kTarget);
    return 0;
}

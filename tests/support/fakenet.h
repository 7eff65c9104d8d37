// A network provider for the tests: Wine reports no connected drives, so a test says
// which drive letters are connected to which shares, how the provider answers, and
// reads back how the library asked.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace genbatest {

struct FakeNet {
    struct Drive {
        const char* local;   // "Z:"; null: a connection without a drive
        std::string remote;
    };
    std::vector<Drive> drives;
    DWORD openError = NO_ERROR;
    DWORD enumError = NO_ERROR;   // answered by every enumeration call (more-data: without a larger size)
    size_t perBatch = 1000;       // entries a call returns at most (0: success with none)
    // What the library did: the buffer size of every enumeration call, opens and closes.
    std::vector<DWORD> sizes;
    int successfulOpens = 0, closes = 0;
    size_t next = 0;

    // Bytes the records and strings of drives [from, from + n) take.
    size_t NeededBytes(size_t from, size_t n) const;
};

// GetUNCPath asks `net` until the scope ends, then the system's provider again.
class ScopedFakeNet {
public:
    explicit ScopedFakeNet(FakeNet& net);
    ~ScopedFakeNet();
    ScopedFakeNet(const ScopedFakeNet&) = delete;
    ScopedFakeNet& operator=(const ScopedFakeNet&) = delete;
};

} // namespace genbatest

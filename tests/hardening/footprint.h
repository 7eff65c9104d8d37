// What a process holds, for the soak tests: handles, heap blocks in use and private
// memory. Under Wine GetProcessHandleCount answers 0 and PrivateUsage stays 0, so the
// handles come from the system handle table and the private bytes from PagefileUsage
// (the private commit Wine reports there); the heap bytes are summed with HeapWalk over
// every heap of the process (the C runtime's own heap included), block by block.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>

namespace genbatest {

struct Footprint {
    long handles;
    size_t heapBytes;      // bytes of every block in use, all heaps
    size_t privateBytes;   // private commit
};

Footprint TakeFootprint();

// Runs `round` `warmUp` times (first uses may allocate for good: caches, tables), takes
// a footprint, runs it `rounds` times more and checks that no handle was gained and
// that heap and private memory grew by no more than a small fixed slack.
void ExpectFlatFootprint(const std::function<void()>& round, int warmUp, int rounds);

// The slack allowed after the warm-up.
const size_t kHeapSlack = 16 * 1024;
const size_t kPrivateSlack = 512 * 1024;

} // namespace genbatest

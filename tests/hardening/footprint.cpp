#include "hardening/footprint.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <vector>

namespace genbatest {

namespace {

size_t HeapBytesInUse()
{
    std::vector<HANDLE> heaps(64);
    for (DWORD n; (n = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data())) != heaps.size();)
        heaps.resize(n);   // grows until it holds them all, then shrinks to them
    size_t total = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY e = {};
        while (HeapWalk(heap, &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += e.cbData;
        HeapUnlock(heap);
    }
    return total;
}

size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc))
        return 0;
    return pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
}

} // namespace

Footprint TakeFootprint() { return Footprint{ProcessHandleCount(), HeapBytesInUse(), PrivateBytes()}; }

void ExpectFlatFootprint(const std::function<void()>& round, int warmUp, int rounds)
{
    for (int i = 0; i < warmUp; ++i) round();
    const Footprint before = TakeFootprint();
    ASSERT_GT(before.handles, 0);
    ASSERT_GT(before.heapBytes, 0u);
    ASSERT_GT(before.privateBytes, 0u);
    for (int i = 0; i < rounds; ++i) round();
    const Footprint after = TakeFootprint();
    EXPECT_LE(after.handles, before.handles);
    EXPECT_LE(after.heapBytes, before.heapBytes + kHeapSlack) << "heap bytes " << before.heapBytes << " -> " << after.heapBytes;
    EXPECT_LE(after.privateBytes, before.privateBytes + kPrivateSlack)
        << "private bytes " << before.privateBytes << " -> " << after.privateBytes;
}

} // namespace genbatest

#include "platform/Memory.h"

#include <cstdint>
#include <cstdlib>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace platform {

void PreferLargePagesForHeap(std::size_t bytes) {
#if defined(MADV_HUGEPAGE) && defined(M_MMAP_THRESHOLD)
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    constexpr int kLargestHeapBlock = 32 << 20;  // the allocator's upper limit
    constexpr int kDefaultTopPad = 128 << 10;
    // Big blocks come from the heap too (not each from a mapping of its own),
    // and a freed top is kept, so the marked range stays the heap's.
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(bytes * 2));
    // Every thread allocates from this one heap: tables loaded on a helper
    // thread land in the marked range too, not in an arena of their own.
    mallopt(M_ARENA_MAX, 1);
    // One growth of the heap by the whole reserve.
    mallopt(M_TOP_PAD, static_cast<int>(bytes));
    void* block = std::malloc(kDefaultTopPad);
    mallopt(M_TOP_PAD, kDefaultTopPad);
    if (!block) return;
    const std::uintptr_t start = (reinterpret_cast<std::uintptr_t>(block) + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(kLargePage - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    std::free(block);
#else
    (void)bytes;
#endif
}

void ReleaseFreeHeap() { malloc_trim(0); }

}  // namespace platform

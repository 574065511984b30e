#include "platform/Memory.h"

#include <cstdint>

#include <sys/mman.h>
#include <unistd.h>

namespace platform {

void PrefaultForWriting(void* data, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    static const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + page - 1) & ~(page - 1);
    const std::uintptr_t end = (start + bytes) & ~(page - 1);
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace platform

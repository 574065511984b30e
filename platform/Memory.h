#pragma once
// Memory the program is about to fill.
#include <cstddef>

namespace platform {

// Asks the system to back the pages wholly inside [data, data + bytes) with
// memory at once, in one call, instead of one page fault a page as they are
// first written (much dearer, above all in a virtual machine). A hint only:
// where the system cannot, nothing happens and the pages come as written.
void PrefaultForWriting(void* data, std::size_t bytes);

}  // namespace platform

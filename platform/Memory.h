#pragma once
// Memory the program is about to fill.
#include <cstddef>

namespace platform {

// Asks the system to back the pages wholly inside [data, data + bytes) with
// memory at once, in one call, instead of one page fault a page as they are
// first written (much dearer, above all in a virtual machine). A hint only:
// where the system cannot, nothing happens and the pages come as written.
void PrefaultForWriting(void* data, std::size_t bytes);

// Called first thing in a program that loads large tables at start-up: the
// next `bytes` of the heap are taken at once and marked for large (2 MB)
// pages, and big blocks are served from the heap too, so that the tables
// arrive in a few hundred faults instead of many thousands. A hint only, as
// above; the heap behaves as before otherwise.
void PreferLargePagesForHeap(std::size_t bytes);

// Hands the free memory inside the heap (read buffers, temporaries) back to
// the system; what is in use stays where it is.
void ReleaseFreeHeap();

}  // namespace platform

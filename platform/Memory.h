#pragma once
// Memory the program is about to fill.
#include <cstddef>

namespace platform {

// Called first thing in a program that loads large tables at start-up: the
// next `bytes` of the heap are taken at once and marked for large (2 MB)
// pages, and big blocks are served from the heap too, so that the tables
// arrive in a few hundred page faults instead of many thousands (a fault is
// dear, above all in a virtual machine). A hint only: where the system
// cannot, the heap behaves as before.
void PreferLargePagesForHeap(std::size_t bytes);

// Hands the free memory inside the heap (read buffers, temporaries) back to
// the system; what is in use stays where it is.
void ReleaseFreeHeap();

}  // namespace platform

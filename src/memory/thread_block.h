// A record of the library's own kept per thread as a thread-local item.
#pragma once

#include <korvane/memory.h>

namespace kv {

// The calling thread's block under `item`: made zero-filled by MemAlloc on first use and
// handed to `destructor` (which frees it) when the thread's items go. `created` (may be
// null) tells whether this call made it. Null when it cannot be made or stored.
void* threadBlock(DWORD item, DWORD size, TLS_DESTRUCTOR destructor, bool* created = nullptr);

}  // namespace kv

// The common dialogs' records keep their Win32 layouts, with pointer-sized slots on 64-bit
// targets.
#include <korvane/win32.h>

#include <cstddef>

constexpr size_t kPtr = sizeof(void*);

static_assert(sizeof(DEVNAMES) == 8);
static_assert(sizeof(PAGESETUPDLGA) == (kPtr == 4 ? 84 : 128));
static_assert(offsetof(PAGESETUPDLGA, Flags) == 4 * kPtr && offsetof(PAGESETUPDLGA, hInstance) == (kPtr == 4 ? 60 : 80));

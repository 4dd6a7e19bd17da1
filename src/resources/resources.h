// The library's own resources. On Windows they are compiled into the DLL from korvane.rc;
// elsewhere the build generates this table from the same file and the platform layer
// serves it to LoadStringA for the library's module handle.
#pragma once

#include <korvane/win32.h>
#if !defined(_WIN32)
#include <korvane/platform.h>

namespace kv {
extern const KW_RESOURCES gResources;
}  // namespace kv
#endif

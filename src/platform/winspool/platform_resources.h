// The platform layer's own resources (properties.rc) and the module handle they are
// served under.
#pragma once

#include <korvane/platform.h>

namespace kw::winspool {

extern const KW_RESOURCES gResources;

// The platform layer's module, registered with its resources on first use.
HINSTANCE platformModule();

}  // namespace kw::winspool

// The tests' own dialogs and words (dialog_helpers.rc), served under a module of their own.
#pragma once

#include <korvane/platform.h>

namespace kvtest {

extern const KW_RESOURCES gResources;

// The module the tests' resources are registered under, on first use.
HINSTANCE testModule();

}  // namespace kvtest

// The printer properties dialog behind DocumentPropertiesA's DM_IN_PROMPT.
#pragma once

#include "winspool/printers.h"

namespace kw::winspool {

// Shows the dialog for `printer` over `mode`, owned by `owner`: IDOK with `mode` edited,
// IDCANCEL with it untouched, -1 when the dialog cannot be made.
LONG promptDevMode(HWND owner, const Printer& printer, DEVMODEA& mode);

}  // namespace kw::winspool

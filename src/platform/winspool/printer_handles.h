// Open printers: each handle keeps the printer as it was when opened.
#pragma once

#include "winspool/printers.h"

namespace kw::winspool {

HANDLE openHandle(Printer printer);
// The printer behind a live handle; false (ERROR_INVALID_HANDLE) for anything else,
// closed handles included.
bool printerOf(HANDLE handle, Printer& printer);
bool closeHandle(HANDLE handle);

}  // namespace kw::winspool

// PRINTER_INFO records packed as the spooler packs them: the records at the front of the
// caller's buffer, device modes behind them, texts at the back.
#pragma once

#include "winspool/printers.h"

#include <vector>

namespace kw::winspool {

// Writes the records of `printers` at `level` (1, 2 or 4) when `size` is enough, and
// tells the bytes needed either way. False, with the last error, for a bad level, a null
// `needed` or a buffer too small.
bool packPrinterInfo(const std::vector<Printer>& printers, DWORD level, LPBYTE buffer, DWORD size, DWORD& needed);

}  // namespace kw::winspool

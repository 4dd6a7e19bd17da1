// A printer's device mode through the spooler: its size and the driver's default.
#pragma once

#include <korvane/win32.h>

namespace kv {

// Owns an open printer handle for a scope.
class OpenedPrinter {
 public:
  explicit OpenedPrinter(LPCSTR device);
  ~OpenedPrinter();
  OpenedPrinter(const OpenedPrinter&) = delete;
  OpenedPrinter& operator=(const OpenedPrinter&) = delete;
  explicit operator bool() const { return handle_ != nullptr; }
  HANDLE handle() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

// The bytes a device mode of the printer takes: what the driver says, else what the
// device mode stored with the printer says, else 148.
DWORD devModeSize(HANDLE printer, LPCSTR device);
// A new unlocked GHND block holding the driver's default device mode (or, when the driver
// does not answer, the one stored with the printer), or null.
HGLOBAL defaultDevMode(HANDLE printer, LPCSTR device);

// The PRINTER_INFO_2 of an open printer in a GHND block, locked (`info` set); null when
// it cannot be read.
HGLOBAL printerInfo(HANDLE printer, PRINTER_INFO_2A*& info);

}  // namespace kv

// The default printer's three names, as the page setup's default or win.ini tell them.
#pragma once

#include <korvane/win32.h>

namespace kv {

// Room for the device-names block of the default printer: the block and its names.
struct DefaultPrinterWork {
  CHAR bytes[1024];
};

// Points the three names into `work`; false (some names perhaps set, others null) when
// the default printer is not known.
bool findDefaultPrinter(DefaultPrinterWork& work, LPCSTR& device, LPCSTR& driver, LPCSTR& port);

}  // namespace kv

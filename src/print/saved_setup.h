// The saved printer setup: one record per process remembering the printer and device
// mode last chosen in the printer setup dialog, kept in a locked global block.
#pragma once

#include <korvane/win32.h>

#include <cstddef>

namespace kv {

struct SavedSetup {
  HGLOBAL devMode;  // a GHND copy of the chosen device mode, 0: none
  CHAR device[260];
  CHAR driver[260];
  CHAR port[260];
};
static_assert(offsetof(SavedSetup, device) == sizeof(HGLOBAL));
static_assert(sizeof(HGLOBAL) != 4 || sizeof(SavedSetup) == 784);
static_assert(sizeof(HGLOBAL) != 8 || sizeof(SavedSetup) == 792);

struct PrintState {
  HGLOBAL savedSetup;  // the block holding the SavedSetup, 0 until the first save
  SavedSetup* saved;   // that block, locked for as long as it exists
};

extern PrintState gPrintState;

// Remembers the printer and a copy of `devMode` (may be 0). False when the record could
// not be made; a device mode that cannot be copied leaves the names saved without one.
bool saveSetup(LPCSTR device, LPCSTR driver, LPCSTR port, HGLOBAL devMode);
// A new unlocked GHND copy of the saved device mode when all three names match exactly,
// else null.
HGLOBAL lookUpSetup(LPCSTR device, LPCSTR driver, LPCSTR port);

}  // namespace kv

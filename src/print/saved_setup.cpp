// The saved printer setup, under the main lock.
#include "print/saved_setup.h"

#include <korvane/print.h>

#include "memory/cr_lock.h"

#include <cstring>

namespace kv {

constinit PrintState gPrintState{};

namespace {

// A new GHND block with the same bytes as `block`, or null.
HGLOBAL copyBlock(HGLOBAL block) {
  const SIZE_T size = GlobalSize(block);
  const void* from = size ? GlobalLock(block) : nullptr;
  if (!from) return nullptr;
  HGLOBAL copy = GlobalAlloc(GHND, size);
  void* to = copy ? GlobalLock(copy) : nullptr;
  if (to) {
    std::memcpy(to, from, size);
    GlobalUnlock(copy);
  } else if (copy) {
    GlobalFree(copy);
    copy = nullptr;
  }
  GlobalUnlock(block);
  return copy;
}

void copyName(CHAR (&field)[260], LPCSTR name) {
  lstrcpynA(field, name ? name : "", sizeof field);
}

bool sameName(const CHAR (&field)[260], LPCSTR name) { return name && lstrcmpA(field, name) == 0; }

}  // namespace

bool saveSetup(LPCSTR device, LPCSTR driver, LPCSTR port, HGLOBAL devMode) {
  MainLock lock;
  PrintState& s = gPrintState;
  if (!s.saved) {
    s.savedSetup = GlobalAlloc(GHND, sizeof(SavedSetup));
    s.saved = s.savedSetup ? static_cast<SavedSetup*>(GlobalLock(s.savedSetup)) : nullptr;
    if (!s.saved) {
      if (s.savedSetup) GlobalFree(s.savedSetup);
      s.savedSetup = nullptr;
      return false;
    }
  } else if (s.saved->devMode) {
    GlobalFree(s.saved->devMode);
    s.saved->devMode = nullptr;
  }
  copyName(s.saved->device, device);
  copyName(s.saved->driver, driver);
  copyName(s.saved->port, port);
  if (devMode) s.saved->devMode = copyBlock(devMode);
  return true;
}

HGLOBAL lookUpSetup(LPCSTR device, LPCSTR driver, LPCSTR port) {
  MainLock lock;
  const SavedSetup* saved = gPrintState.saved;
  if (!saved || !saved->devMode || !sameName(saved->device, device) || !sameName(saved->driver, driver) ||
      !sameName(saved->port, port))
    return nullptr;
  return copyBlock(saved->devMode);
}

}  // namespace kv

KV_API void KV_CALL PrtClearSaved(void) {
  kv::MainLock lock;
  kv::PrintState& s = kv::gPrintState;
  if (!s.saved) return;
  if (s.saved->devMode) GlobalFree(s.saved->devMode);
  GlobalUnlock(s.savedSetup);
  GlobalFree(s.savedSetup);
  s = kv::PrintState{};
}

// The printer setup: the modal dialog run over a record of the caller's choice, then what
// changed decided, the new default written to win.ini and the setup saved.
#include <korvane/print.h>

#include <cstring>
#include <string>

#include "frame/state.h"
#include "print/printer_setup.h"
#include "print/saved_setup.h"

namespace kv {

HGLOBAL copyModeBlock(HGLOBAL mode) {
  const SIZE_T size = mode ? GlobalSize(mode) : 0;
  const void* from = size ? GlobalLock(mode) : nullptr;
  if (!from) return nullptr;
  HGLOBAL copy = GlobalAlloc(GHND, size);
  if (void* to = copy ? GlobalLock(copy) : nullptr) {
    std::memcpy(to, from, size);
    GlobalUnlock(copy);
  }
  GlobalUnlock(mode);
  return copy;
}

bool sameModeBytes(HGLOBAL a, HGLOBAL b) {
  const SIZE_T size = a ? GlobalSize(a) : 0;
  if (!size || !b || GlobalSize(b) != size) return false;
  const void* x = GlobalLock(a);
  const void* y = GlobalLock(b);
  const bool same = x && y && std::memcmp(x, y, size) == 0;
  if (x) GlobalUnlock(a);
  if (y) GlobalUnlock(b);
  return same;
}

}  // namespace kv

namespace {

void broadcastWinIni(LPARAM section, UINT flags, UINT timeout) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, section, flags, timeout, &ignored);
}

bool sameNames(const kv::PrinterSetupRecord& r) {
  return lstrcmpA(r.device, r.callerDevice) == 0 && lstrcmpA(r.driver, r.callerDriver) == 0 &&
         lstrcmpA(r.port, r.callerPort) == 0;
}

void freeBlock(HGLOBAL& block) {
  if (block) GlobalFree(block);
  block = nullptr;
}

}  // namespace

KV_API int KV_CALL PrintPrinterSetupExt(HWND owner, HGLOBAL* devMode, LPSTR device, LPSTR driver, LPSTR port,
                                        LPCSTR sixth, BOOL hidePortless, HINSTANCE messageInstance, UINT messageId) {
  if (!devMode || !device || !driver || !port) return 0;
  HLOCAL block = LocalAlloc(LMEM_ZEROINIT, sizeof(kv::PrinterSetupRecord));
  auto* r = block ? static_cast<kv::PrinterSetupRecord*>(LocalLock(block)) : nullptr;
  if (!r) {
    if (block) LocalFree(block);
    return 0;
  }
  r->owner = owner;
  r->callerMode = devMode;
  r->callerDevice = device;
  r->callerDriver = driver;
  r->callerPort = port;
  r->hidePortless = hidePortless;
  r->sixth = sixth;
  r->messageInstance = messageInstance;
  r->messageId = messageId;
  // A handle that is not a global block counts as none.
  HGLOBAL callers = *devMode && GlobalSize(*devMode) ? *devMode : nullptr;
  bool startIsOurs = false;
  r->startMode = callers;
  if (!r->startMode) {
    r->startMode = kv::lookUpSetup(device, driver, port);
    startIsOurs = r->startMode != nullptr;
  }
  // The starting bytes, to tell afterwards whether the user changed anything.
  HGLOBAL original = kv::copyModeBlock(r->startMode);

  INT_PTR chosen = DialogBoxParamA(kv::gpState->module, "PRTSETUP", owner, PrintPrinterSetupDlgProc,
                                   reinterpret_cast<LPARAM>(r));
  if (chosen == -1) chosen = 0;  // no dialog: as Cancel
  bool unchanged = false;
  if ((chosen == 1 && r->startMode && r->workMode) || (chosen != 1 && r->startMode)) {
    const HGLOBAL compared = chosen == 1 ? r->workMode : r->startMode;
    unchanged = kv::sameModeBytes(compared, original) && sameNames(*r);
  } else if (chosen == 1 && !r->startMode && !r->workMode) {
    unchanged = sameNames(*r);  // nothing to compare but the names
  }
  int result = unchanged ? 0 : static_cast<int>(chosen);
  if (chosen == 1 && !unchanged) {
    if (!sameNames(*r)) {
      const std::string value = std::string(r->device) + "," + r->driver + "," + r->port;
      WriteProfileStringA("windows", "device", value.c_str());
      WriteProfileStringA(nullptr, nullptr, nullptr);
      broadcastWinIni(0, 0, 1000);
    }
    kv::saveSetup(r->device, r->driver, r->port, r->workMode);
    *devMode = r->workMode;
    r->workMode = nullptr;
    lstrcpyA(device, r->device);
    lstrcpyA(driver, r->driver);
    lstrcpyA(port, r->port);
    freeBlock(r->startMode);  // the caller's old one, replaced, or our copy
  } else {
    freeBlock(r->workMode);
    if (startIsOurs) freeBlock(r->startMode);
  }
  freeBlock(original);
  LocalUnlock(block);
  LocalFree(block);
  if (!unchanged) broadcastWinIni(reinterpret_cast<LPARAM>("windows"), SMTO_BLOCK | SMTO_ABORTIFHUNG, 2000);
  return result;
}

KV_API int KV_CALL PrintPrinterSetup(HWND owner, HGLOBAL* devMode, LPSTR device, LPSTR driver, LPSTR port,
                                     LPCSTR sixth) {
  return PrintPrinterSetupExt(owner, devMode, device, driver, port, sixth, FALSE, nullptr, 0);
}

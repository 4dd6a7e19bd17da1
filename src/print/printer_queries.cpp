// The papers of a printer, its driver and port, and whether it can be set up.
#include <korvane/print.h>

#include "print/device_modes.h"

#include <cstring>

namespace {

// A GHND block of `bytes` filled by DeviceCapabilitiesA, unlocked; null on failure.
HGLOBAL capabilityBlock(LPCSTR device, LPCSTR port, WORD capability, const DEVMODEA* mode, int count, SIZE_T bytes) {
  HGLOBAL block = GlobalAlloc(GHND, bytes);
  auto* out = block ? static_cast<LPSTR>(GlobalLock(block)) : nullptr;
  if (!out) {
    if (block) GlobalFree(block);
    return nullptr;
  }
  const int filled = DeviceCapabilitiesA(device, port, capability, out, mode);
  GlobalUnlock(block);
  if (filled != count) {
    GlobalFree(block);
    return nullptr;
  }
  return block;
}

}  // namespace

extern "C" {

KV_API int KV_CALL PrintGetDevice(LPCSTR device, LPSTR driver, LPSTR port) {
  kv::OpenedPrinter printer(device);
  if (!printer) return 0;
  PRINTER_INFO_2A* info = nullptr;
  HGLOBAL block = kv::printerInfo(printer.handle(), info);
  if (!block) return 0;
  if (driver) lstrcpyA(driver, info->pDriverName ? info->pDriverName : "");
  if (port) lstrcpyA(port, info->pPortName ? info->pPortName : "");
  GlobalUnlock(block);
  GlobalFree(block);
  return 1;
}

KV_API int KV_CALL PrintGetPageSizes(LPCSTR device, LPCSTR, LPCSTR port, const DEVMODEA* mode, HGLOBAL* papers,
                                     HGLOBAL* sizes) {
  kv::OpenedPrinter printer(device);
  if (!printer) return 0;
  HGLOBAL temporary = nullptr;
  if (!mode) {
    temporary = kv::defaultDevMode(printer.handle(), device);
    mode = temporary ? static_cast<const DEVMODEA*>(GlobalLock(temporary)) : nullptr;
    if (!mode) {
      if (temporary) GlobalFree(temporary);
      return -1;
    }
  }
  int result = -1;
  const int count = DeviceCapabilitiesA(device, port, DC_PAPERS, nullptr, mode);
  if (count > 0 && papers && sizes) {
    HGLOBAL codes = capabilityBlock(device, port, DC_PAPERS, mode, count, static_cast<SIZE_T>(count) * 2);
    HGLOBAL dimensions = codes ? capabilityBlock(device, port, DC_PAPERSIZE, mode, count, static_cast<SIZE_T>(count) * 8)
                               : nullptr;
    if (codes && dimensions) {
      *papers = codes;
      *sizes = dimensions;
      result = count;
    } else if (codes) {
      GlobalFree(codes);
    }
  }
  if (temporary) {
    GlobalUnlock(temporary);
    GlobalFree(temporary);
  }
  return result;
}

KV_API int KV_CALL PrintCanDoPrinterSetup(DWORD, LPCSTR device) {
  kv::OpenedPrinter printer(device);
  if (!printer) return 0;
  if (HGLOBAL mode = kv::defaultDevMode(printer.handle(), device)) GlobalFree(mode);
  return 1;
}

}  // extern "C"

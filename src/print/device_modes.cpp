// Device modes through the spooler, shared by the printing functions.
#include "print/device_modes.h"

#include <cstring>

namespace kv {

namespace {

constexpr DWORD kDefaultDevModeSize = 148;

}  // namespace

OpenedPrinter::OpenedPrinter(LPCSTR device) {
  if (device && !OpenPrinterA(const_cast<LPSTR>(device), &handle_, nullptr)) handle_ = nullptr;
}

OpenedPrinter::~OpenedPrinter() {
  if (handle_) ClosePrinter(handle_);
}

HGLOBAL printerInfo(HANDLE printer, PRINTER_INFO_2A*& info) {
  info = nullptr;
  DWORD needed = 0;
  GetPrinterA(printer, 2, nullptr, 0, &needed);
  if (needed < sizeof(PRINTER_INFO_2A)) return nullptr;
  HGLOBAL block = GlobalAlloc(GHND, needed);
  auto* bytes = block ? static_cast<BYTE*>(GlobalLock(block)) : nullptr;
  if (bytes && GetPrinterA(printer, 2, bytes, needed, &needed)) {
    info = reinterpret_cast<PRINTER_INFO_2A*>(bytes);
    return block;
  }
  if (bytes) GlobalUnlock(block);
  if (block) GlobalFree(block);
  return nullptr;
}

DWORD devModeSize(HANDLE printer, LPCSTR device) {
  const LONG size = DocumentPropertiesA(nullptr, printer, const_cast<LPSTR>(device), nullptr, nullptr, 0);
  if (size > 0) return static_cast<DWORD>(size);
  PRINTER_INFO_2A* info = nullptr;
  DWORD stored = 0;
  if (HGLOBAL block = printerInfo(printer, info)) {
    if (info->pDevMode) stored = info->pDevMode->dmSize + info->pDevMode->dmDriverExtra;
    GlobalUnlock(block);
    GlobalFree(block);
  }
  return stored ? stored : kDefaultDevModeSize;
}

HGLOBAL defaultDevMode(HANDLE printer, LPCSTR device) {
  const DWORD size = devModeSize(printer, device);
  HGLOBAL block = GlobalAlloc(GHND, size);
  auto* mode = block ? static_cast<DEVMODEA*>(GlobalLock(block)) : nullptr;
  if (!mode) {
    if (block) GlobalFree(block);
    return nullptr;
  }
  if (DocumentPropertiesA(nullptr, printer, const_cast<LPSTR>(device), mode, nullptr, DM_OUT_BUFFER) < 0) {
    // The device mode stored with the printer, never read past its own end.
    PRINTER_INFO_2A* info = nullptr;
    if (HGLOBAL stored = printerInfo(printer, info)) {
      if (info->pDevMode) {
        const DWORD have = info->pDevMode->dmSize + info->pDevMode->dmDriverExtra;
        std::memcpy(mode, info->pDevMode, have < size ? have : size);
      }
      GlobalUnlock(stored);
      GlobalFree(stored);
    }
  }
  GlobalUnlock(block);
  return block;
}

}  // namespace kv

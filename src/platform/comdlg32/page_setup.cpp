// PageSetupDlgA's default printer: the device names and device mode of the printer that
// the spooler marks as the default.
#include "internal.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

thread_local DWORD lastError = 0;

BOOL fail(DWORD error) {
  lastError = error;
  return FALSE;
}

// A GHND block holding `bytes`, or null.
HGLOBAL blockOf(const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GHND, size);
  void* to = block ? GlobalLock(block) : nullptr;
  if (!to) {
    if (block) GlobalFree(block);
    return nullptr;
  }
  std::memcpy(to, bytes, size);
  GlobalUnlock(block);
  return block;
}

}  // namespace

KW32_API DWORD WINAPI CommDlgExtendedError(void) { return lastError; }

KW32_API BOOL WINAPI PageSetupDlgA(LPPAGESETUPDLGA setup) {
  lastError = 0;
  if (setup == nullptr) return fail(CDERR_INITIALIZATION);
  if (setup->lStructSize != sizeof(PAGESETUPDLGA)) return fail(CDERR_STRUCTSIZE);
  if (!(setup->Flags & PSD_RETURNDEFAULT)) return fail(CDERR_DIALOGFAILURE);
  if (setup->hDevMode || setup->hDevNames) return fail(PDERR_RETDEFFAILURE);
  try {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> list(needed);
    if (needed == 0 || !EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 2, list.data(), needed, &needed, &count) ||
        count == 0)
      return fail(PDERR_NODEFAULTPRN);
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(list.data());
    const std::string driver = info->pDriverName ? info->pDriverName : "";
    const std::string device = info->pPrinterName ? info->pPrinterName : "";
    std::string port = info->pPortName ? info->pPortName : "";
    port = port.substr(0, port.find(','));

    // DEVNAMES and the three names behind it, each terminated.
    std::vector<BYTE> names(sizeof(DEVNAMES) + driver.size() + device.size() + port.size() + 3);
    if (names.size() > 0xFFFF) return fail(CDERR_INITIALIZATION);
    DEVNAMES head{};
    head.wDriverOffset = sizeof(DEVNAMES);
    head.wDeviceOffset = static_cast<WORD>(head.wDriverOffset + driver.size() + 1);
    head.wOutputOffset = static_cast<WORD>(head.wDeviceOffset + device.size() + 1);
    head.wDefault = DN_DEFAULTPRN;
    std::memcpy(names.data(), &head, sizeof head);
    std::memcpy(names.data() + head.wDriverOffset, driver.c_str(), driver.size() + 1);
    std::memcpy(names.data() + head.wDeviceOffset, device.c_str(), device.size() + 1);
    std::memcpy(names.data() + head.wOutputOffset, port.c_str(), port.size() + 1);

    const DEVMODEA* mode = info->pDevMode;
    const size_t modeSize = mode ? mode->dmSize + mode->dmDriverExtra : 0;
    HGLOBAL devNames = blockOf(names.data(), names.size());
    HGLOBAL devMode = modeSize ? blockOf(mode, modeSize) : nullptr;
    if (!devNames || (modeSize && !devMode)) {
      if (devNames) GlobalFree(devNames);
      if (devMode) GlobalFree(devMode);
      return fail(CDERR_MEMALLOCFAILURE);
    }
    setup->hDevNames = devNames;
    setup->hDevMode = devMode;
    return TRUE;
  } catch (...) {
    return fail(CDERR_MEMALLOCFAILURE);
  }
}

// The default printer: the page setup's default, else "device" of win.ini's section
// "windows" ("name,driver,port").
#include "print/default_printer.h"

#include <korvane/intl.h>
#include <korvane/print.h>

#include <cstring>

namespace {

constexpr DWORD kProfileValueRoom = 81;

// "name, driver, port" of the profile, cut in place.
bool fromProfile(kv::DefaultPrinterWork& work, LPCSTR& device, LPCSTR& driver, LPCSTR& port) {
  device = driver = port = nullptr;
  if (GetProfileStringA("Windows", "Device", "", work.bytes, kProfileValueRoom) == 0 || !work.bytes[0]) return false;
  LPSTR at = IntlStripStartSpace(work.bytes);
  device = at;
  LPSTR comma = IntlStrChr(at, ',');
  if (!comma) return false;
  *comma = '\0';
  at = IntlStripStartSpace(comma + 1);
  driver = at;
  comma = IntlStrChr(at, ',');
  if (!comma) return false;
  *comma = '\0';
  port = IntlStripStartSpace(comma + 1);
  return true;
}

// The names of a DEVNAMES block copied into `work`; offsets that leave the copy fail.
bool fromDevNames(HGLOBAL names, kv::DefaultPrinterWork& work, LPCSTR& device, LPCSTR& driver, LPCSTR& port) {
  const SIZE_T size = GlobalSize(names);
  const void* block = GlobalLock(names);
  if (!block) return false;
  const bool fits = size >= sizeof(DEVNAMES) && size < sizeof work.bytes;
  if (fits) {
    std::memcpy(work.bytes, block, size);
    work.bytes[size] = '\0';
  }
  GlobalUnlock(names);
  if (!fits) return false;
  DEVNAMES head;
  std::memcpy(&head, work.bytes, sizeof head);
  if (head.wDriverOffset >= size || head.wDeviceOffset >= size || head.wOutputOffset >= size) return false;
  driver = work.bytes + head.wDriverOffset;
  device = work.bytes + head.wDeviceOffset;
  port = work.bytes + head.wOutputOffset;
  return true;
}

}  // namespace

namespace kv {

bool findDefaultPrinter(DefaultPrinterWork& work, LPCSTR& device, LPCSTR& driver, LPCSTR& port) {
  device = driver = port = nullptr;
  PAGESETUPDLGA setup;
  std::memset(&setup, 0, sizeof setup);
  setup.lStructSize = sizeof setup;
  setup.Flags = PSD_RETURNDEFAULT;
  if (!PageSetupDlgA(&setup) && CommDlgExtendedError() != 0) return fromProfile(work, device, driver, port);
  const bool found = setup.hDevNames && fromDevNames(setup.hDevNames, work, device, driver, port);
  if (setup.hDevNames) GlobalFree(setup.hDevNames);
  if (setup.hDevMode) GlobalFree(setup.hDevMode);
  return found;
}

}  // namespace kv

KV_API int KV_CALL PrintGetDefaultPrinter(LPSTR device, LPSTR driver, LPSTR port) {
  kv::DefaultPrinterWork work;
  LPCSTR d = nullptr, r = nullptr, p = nullptr;
  if (!kv::findDefaultPrinter(work, d, r, p)) return 0;
  if (device) lstrcpyA(device, d);
  if (driver) lstrcpyA(driver, r);
  if (port) lstrcpyA(port, p);
  return 1;
}
